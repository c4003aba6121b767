#include "runtime/TIniIndex.h"

#include <algorithm>

#include "runtime/TAscii.h"

namespace {

// FNV-1a over the name with bit 5 set in every byte, so names that match without regard to case hash
// alike; the few other bytes it joins are told apart when the names are compared.
size_t NameHash(bool IsSection, size_t Header, std::string_view Name) {
    size_t Hash = 14695981039346656037ull;
    for (char C : Name) {
        Hash = (Hash ^ (static_cast<unsigned char>(C) | 0x20u)) * 1099511628211ull;
    }
    // A key's hash holds its section, so a key name common to many sections does not make long runs.
    return IsSection ? Hash : Hash + (Header + 1) * 0x9E3779B97F4A7C15ull;
}

} // namespace

void TIniIndex::Clear() {
    Entries.clear();
    ByHash.clear();
    IsBuilt = false;
}

void TIniIndex::AddSection(std::string_view Name, size_t Header) {
    Entries.push_back(TEntry{Name, true, Header, Header + 1});
}

void TIniIndex::AddKey(size_t Header, std::string_view Name, size_t Line) {
    Entries.push_back(TEntry{Name, false, Header, Line});
}

void TIniIndex::Finish(size_t LineCount) {
    // A section ends where the next one begins.
    size_t End = LineCount;
    for (size_t I = Entries.size(); I-- > 0;) {
        if (Entries[I].IsSection) {
            Entries[I].Line = End;
            End = Entries[I].Header;
        }
    }
    for (size_t I = 0; I < Entries.size(); ++I) {
        ByHash.emplace_back(NameHash(Entries[I].IsSection, Entries[I].Header, Entries[I].Name), I);
    }
    std::sort(ByHash.begin(), ByHash.end());
    IsBuilt = true;
}

const TIniIndex::TEntry* TIniIndex::Find(bool IsSection, size_t Header, std::string_view Name) const {
    const size_t Hash = NameHash(IsSection, Header, Name);
    for (auto It = std::lower_bound(ByHash.begin(), ByHash.end(), std::make_pair(Hash, size_t{0}));
         It != ByHash.end() && It->first == Hash; ++It) {
        const TEntry& Entry = Entries[It->second];
        if (Entry.IsSection == IsSection && (IsSection || Entry.Header == Header) &&
            TAscii::SameName(Entry.Name, Name)) {
            return &Entry;
        }
    }
    return nullptr;
}

bool TIniIndex::FindSection(std::string_view Name, TSection& Range) const {
    const TEntry* Entry = Find(true, 0, Name);
    if (Entry) {
        Range = TSection{Entry->Header, Entry->Line};
    }
    return Entry != nullptr;
}

size_t TIniIndex::FindKey(size_t Header, std::string_view Name, size_t NotFound) const {
    const TEntry* Entry = Find(false, Header, Name);
    return Entry ? Entry->Line : NotFound;
}
