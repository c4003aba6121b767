#pragma once

#include "render/TVelaFontAlt.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TVelaDevice;

// The game's font list, indexed from 0, and the font files known by face name.
class TVelaFontsAlt {
  public:
    explicit TVelaFontsAlt(TVelaDevice& Device);
    ~TVelaFontsAlt();
    TVelaFontsAlt(const TVelaFontsAlt&) = delete;
    TVelaFontsAlt& operator=(const TVelaFontsAlt&) = delete;

    TVelaFontAlt& Add();
    TVelaFontAlt* Font(int Index) const;
    int Count() const { return static_cast<int>(Fonts.size()); }
    bool InitializeAll();
    void Clear();

    // The lines every font keeps rendered take memory for their pixels: so that long play, with new
    // scores and messages in many sizes all the time, cannot grow it without end, all the fonts start
    // their caches over when together they would pass the budget. Play itself keeps more than a screen
    // shows: every crate's message in all the sizes it grows through is some 5 MB of lines, 14 MB on the
    // software renderer with its copy per kind of tint, and a smaller budget would start them over
    // again and again.
    static constexpr size_t CacheBudget = size_t(32) << 20;
    void MakeRoom(size_t Bytes);
    size_t CachedBytes() const;

    // Makes a TrueType file known under its face name, read into memory once: every size opens it from
    // there, not from the disk. False when the file is missing or is no font TrueType can open.
    bool RegisterFontFile(const std::string& Face, const std::string& FileName);
    // The face's file in memory; null for a face never registered.
    const std::vector<uint8_t>* FontDataOf(const std::string& Face) const;

  private:
    TVelaDevice& Device;
    std::vector<std::unique_ptr<TVelaFontAlt>> Fonts;
    // Kept for as long as a font of the face is open: TrueType reads glyphs from it as it needs them.
    std::map<std::string, std::vector<uint8_t>> FontFiles;
};

// The game's fonts, owned by the main window; nullptr before it has made them.
extern TVelaFontsAlt* Fonts;
