#include "render/TVelaFontsAlt.h"

#include "runtime/TFile.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>

static std::string FaceKey(std::string Face) {
    std::transform(Face.begin(), Face.end(), Face.begin(), [](unsigned char C) { return std::tolower(C); });
    return Face;
}

TVelaFontsAlt::TVelaFontsAlt(TVelaDevice& Device) : Device(Device) {
    if (TTF_WasInit() == 0)
        TTF_Init();
}

TVelaFontsAlt::~TVelaFontsAlt() {
    Clear();
}

TVelaFontAlt& TVelaFontsAlt::Add() {
    Fonts.push_back(std::make_unique<TVelaFontAlt>(Device, *this));
    return *Fonts.back();
}

TVelaFontAlt* TVelaFontsAlt::Font(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return Fonts[Index].get();
}

bool TVelaFontsAlt::InitializeAll() {
    bool Success = true;
    for (auto& Entry : Fonts)
        Success = Entry->Initialize() && Success;
    return Success;
}

void TVelaFontsAlt::MakeRoom(size_t Bytes) {
    if (CachedBytes() + Bytes <= CacheBudget)
        return;
    for (auto& Entry : Fonts)
        Entry->ClearCache();
}

size_t TVelaFontsAlt::CachedBytes() const {
    size_t Bytes = 0;
    for (const auto& Entry : Fonts)
        Bytes += Entry->CacheBytes();
    return Bytes;
}

void TVelaFontsAlt::Clear() {
    Fonts.clear();
}

bool TVelaFontsAlt::RegisterFontFile(const std::string& Face, const std::string& FileName) {
    std::vector<uint8_t> Data;
    if (!TFile::ReadAll(FileName, Data) || Data.empty())
        return false;
    // A damaged file is found out once here rather than by every size that would fail to open.
    SDL_RWops* Stream = SDL_RWFromConstMem(Data.data(), static_cast<int>(Data.size()));
    TTF_Font* Trial = Stream != nullptr ? TTF_OpenFontRW(Stream, 1, 16) : nullptr;
    if (Trial == nullptr)
        return false;
    TTF_CloseFont(Trial);
    // Fonts already open read from the first file, so it stays.
    FontFiles.emplace(FaceKey(Face), std::move(Data));
    return true;
}

const std::vector<uint8_t>* TVelaFontsAlt::FontDataOf(const std::string& Face) const {
    auto Found = FontFiles.find(FaceKey(Face));
    return Found == FontFiles.end() ? nullptr : &Found->second;
}
