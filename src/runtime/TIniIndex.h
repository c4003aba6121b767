#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

// Where each section and key name of an INI file first appears, so a lookup costs a binary search
// instead of a walk through the file. Names match without regard to case and are views into the
// indexed lines, so a copy starts empty: it would view another file's lines.
class TIniIndex {
  public:
    // A section's header line and one past its last line.
    struct TSection {
        size_t Header;
        size_t End;
    };

    TIniIndex() = default;
    TIniIndex(const TIniIndex&) {}
    TIniIndex& operator=(const TIniIndex&) {
        Clear();
        return *this;
    }

    bool Built() const { return IsBuilt; }
    void Clear();

    // Every section header and every key line below one, in line order; then Finish.
    void AddSection(std::string_view Name, size_t Header);
    void AddKey(size_t Header, std::string_view Name, size_t Line);
    void Finish(size_t LineCount);

    // The first section of that name.
    bool FindSection(std::string_view Name, TSection& Range) const;
    // The first line of that key in the section whose header is on line Header, or NotFound.
    size_t FindKey(size_t Header, std::string_view Name, size_t NotFound) const;

  private:
    struct TEntry {
        std::string_view Name;
        bool IsSection;
        size_t Header; // a key's section header
        size_t Line;   // for a section, one past its last line
    };
    // The first entry in line order with that hash, name and, for a key, section.
    const TEntry* Find(bool IsSection, size_t Header, std::string_view Name) const;

    std::vector<TEntry> Entries;
    // (hash, entry) sorted, so entries of one hash sit together in line order.
    std::vector<std::pair<size_t, size_t>> ByHash;
    bool IsBuilt = false;
};
