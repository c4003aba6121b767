#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/TIniIndex.h"

// A Windows-style INI file with the behaviour the game's data and save files were made for: section
// and key names match without regard to case, the first match wins, values are cut at 2047
// characters, numbers may be hexadecimal ("0x1F", "$1F"), and writing a key rewrites only that one
// line. Every write goes straight through to the file, atomically, unless it falls between BeginUpdate
// and EndUpdate.
class TIniFile {
  public:
    // Longest value a read returns (the profile API's 2048-byte buffer less its terminator).
    static constexpr size_t MaxValueLength = 2047;

    // Reads FileName now; a missing or unreadable file reads as empty.
    explicit TIniFile(std::string FileName);
    // An in-memory file with the given contents; writes still go to FileName when it is not empty.
    static TIniFile FromText(const std::string& Text, std::string FileName = std::string());
    // Replaces the in-memory contents (the file on disk is not touched).
    void LoadText(const std::string& Text);
    // The contents as they would be written.
    std::string Text() const;

    const std::string& FileName() const { return Name; }

    std::string ReadString(const std::string& Section, const std::string& Key,
                           const std::string& Default) const;
    int ReadInteger(const std::string& Section, const std::string& Key, int Default) const;
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;
    double ReadFloat(const std::string& Section, const std::string& Key, double Default) const;
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Key) const;
    // Key names of the first section of that name, in file order, each name once.
    std::vector<std::string> ReadSectionKeys(const std::string& Section) const;
    std::vector<std::string> ReadSections() const;

    bool WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
    bool WriteInteger(const std::string& Section, const std::string& Key, int Value);
    bool WriteBool(const std::string& Section, const std::string& Key, bool Value);
    bool DeleteKey(const std::string& Section, const std::string& Key);
    bool EraseSection(const std::string& Section);

    // The writes that follow stay in memory until EndUpdate puts them all on disk in one atomic write,
    // so a failure never leaves the file with only some of them.
    void BeginUpdate();
    // False when the file could not be written; the file and what is held are then as at BeginUpdate.
    bool EndUpdate();
    // Why the last write to disk failed.
    const std::string& LastError() const { return WriteError; }

    // Decimal with an optional sign, or 32-bit hexadecimal after "0x", "0X" or "$" ("$FFFFFFFF" is -1).
    // Blanks around the number are allowed; anything else, or a number beyond 32 bits, is rejected.
    static bool ParseInteger(const std::string& Text, int& Value);

  private:
    struct TLine {
        std::string Text;
        std::string Ending; // "\r\n", "\n" or "" (last line without a newline)
    };
    using TSectionRange = TIniIndex::TSection;

    TIniFile() = default;
    bool FindSection(std::string_view Section, TSectionRange& Range) const;
    // Index of the first line of the section holding Key, or Lines.size().
    size_t FindKey(const TSectionRange& Range, std::string_view Key) const;
    std::string NewLineEnding() const { return CrLf ? "\r\n" : "\n"; }
    void InsertLine(size_t Index, const std::string& Text);
    std::vector<TLine> RollbackCopy() const;
    bool Flush(const std::vector<TLine>& Old);
    // The index of the lines as they are now, built on the first lookup after a change.
    const TIniIndex& Indexed() const;

    std::string Name;
    std::vector<TLine> Lines;
    // Lookups build it, so a TIniFile is not to be read from two threads at once.
    mutable TIniIndex NameIndex;
    bool CrLf = false;
    bool Updating = false;
    std::vector<TLine> BeforeUpdate;
    std::string WriteError;
};
