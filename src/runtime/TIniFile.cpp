#include "runtime/TIniFile.h"
#include "runtime/TAscii.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <string_view>

#include "runtime/TFile.h"
#include "runtime/TWin1250.h"

namespace {

bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\v' || C == '\f';
}

// The index holds every name of the file, so names are views into the lines, not copies.
std::string_view TrimView(std::string_view Text) {
    size_t Begin = 0;
    size_t End = Text.size();
    while (Begin < End && IsBlank(Text[Begin])) {
        ++Begin;
    }
    while (End > Begin && IsBlank(Text[End - 1])) {
        --End;
    }
    return Text.substr(Begin, End - Begin);
}

std::string Trim(std::string_view Text) {
    return std::string(TrimView(Text));
}

enum class TKind { Blank, Comment, Section, Key, Other };

// What a line is, and its section name or key name (trimmed).
TKind Classify(std::string_view Line, std::string_view* Name = nullptr, std::string_view* Value = nullptr) {
    size_t First = 0;
    while (First < Line.size() && IsBlank(Line[First])) {
        ++First;
    }
    if (First == Line.size()) {
        return TKind::Blank;
    }
    char C = Line[First];
    if (C == ';' || C == '#') {
        return TKind::Comment;
    }
    if (C == '[') {
        if (Name) {
            size_t Close = Line.find(']', First + 1);
            size_t Stop = Close == std::string_view::npos ? Line.size() : Close;
            *Name = TrimView(Line.substr(First + 1, Stop - First - 1));
        }
        return TKind::Section;
    }
    size_t Equals = Line.find('=', First);
    if (Equals == std::string_view::npos) {
        return TKind::Other;
    }
    if (Name) {
        *Name = TrimView(Line.substr(First, Equals - First));
    }
    if (Value) {
        *Value = Line.substr(Equals + 1);
    }
    return TKind::Key;
}

std::string CleanValue(std::string_view Raw) {
    std::string Value = Trim(Raw);
    if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') &&
        Value.back() == Value.front()) {
        Value = Value.substr(1, Value.size() - 2);
    }
    if (Value.size() > TIniFile::MaxValueLength) {
        Value.resize(TIniFile::MaxValueLength);
    }
    return Value;
}

} // namespace

TIniFile::TIniFile(std::string FileName) : Name(std::move(FileName)) {
    std::string Contents;
    if (TFile::ReadText(Name, Contents)) {
        // A file saved again by an editor as "Unicode" (UTF-16), or with a UTF-8 mark before its first
        // section, reads as the text it holds.
        LoadText(TWin1250::WithoutByteOrderMark(Contents));
    }
}

TIniFile TIniFile::FromText(const std::string& Text, std::string FileName) {
    TIniFile Ini;
    Ini.Name = std::move(FileName);
    Ini.LoadText(Text);
    return Ini;
}

void TIniFile::LoadText(const std::string& Text) {
    NameIndex.Clear();
    Lines.clear();
    CrLf = false;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t Newline = Text.find('\n', Start);
        TLine Line;
        if (Newline == std::string::npos) {
            Line.Text = Text.substr(Start);
            Start = Text.size();
        } else {
            size_t Stop = Newline;
            if (Stop > Start && Text[Stop - 1] == '\r') {
                --Stop;
                Line.Ending = "\r\n";
            } else {
                Line.Ending = "\n";
            }
            Line.Text = Text.substr(Start, Stop - Start);
            Start = Newline + 1;
        }
        if (Lines.empty()) {
            CrLf = Line.Ending == "\r\n";
        }
        Lines.push_back(std::move(Line));
    }
}

std::string TIniFile::Text() const {
    std::string Out;
    for (const TLine& Line : Lines) {
        Out += Line.Text;
        Out += Line.Ending;
    }
    return Out;
}

const TIniIndex& TIniFile::Indexed() const {
    if (NameIndex.Built()) {
        return NameIndex;
    }
    size_t Header = Lines.size(); // keys before the first section belong to none
    std::string_view Name;
    for (size_t I = 0; I < Lines.size(); ++I) {
        const TKind Kind = Classify(Lines[I].Text, &Name);
        if (Kind == TKind::Section) {
            NameIndex.AddSection(Name, I);
            Header = I;
        } else if (Kind == TKind::Key && Header != Lines.size()) {
            NameIndex.AddKey(Header, Name, I);
        }
    }
    NameIndex.Finish(Lines.size());
    return NameIndex;
}

bool TIniFile::FindSection(std::string_view Section, TSectionRange& Range) const {
    return Indexed().FindSection(TrimView(Section), Range);
}

size_t TIniFile::FindKey(const TSectionRange& Range, std::string_view Key) const {
    return Indexed().FindKey(Range.Header, TrimView(Key), Lines.size());
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key,
                                 const std::string& Default) const {
    TSectionRange Range;
    if (!FindSection(Section, Range)) {
        return Default;
    }
    size_t Index = FindKey(Range, Key);
    if (Index == Lines.size()) {
        return Default;
    }
    std::string_view Name, Value;
    Classify(Lines[Index].Text, &Name, &Value);
    return CleanValue(Value);
}

bool TIniFile::ParseInteger(const std::string& Text, int& Value) {
    const std::string Number = Trim(Text);
    size_t Pos = 0;
    int Base = 10;
    bool Negative = false;
    if (Number.size() > 1 && Number[0] == '$') {
        Base = 16;
        Pos = 1;
    } else if (Number.size() > 2 && Number[0] == '0' && (Number[1] == 'x' || Number[1] == 'X')) {
        Base = 16;
        Pos = 2;
    } else if (!Number.empty() && (Number[0] == '+' || Number[0] == '-')) {
        Negative = Number[0] == '-';
        Pos = 1;
    }
    if (Pos >= Number.size()) {
        return false;
    }
    uint64_t Result = 0;
    for (; Pos < Number.size(); ++Pos) {
        char C = Number[Pos];
        unsigned Digit;
        if (C >= '0' && C <= '9') {
            Digit = static_cast<unsigned>(C - '0');
        } else if (Base == 16 && TAscii::Lower(C) >= 'a' && TAscii::Lower(C) <= 'f') {
            Digit = static_cast<unsigned>(TAscii::Lower(C) - 'a' + 10);
        } else {
            return false;
        }
        Result = Result * static_cast<unsigned>(Base) + Digit;
        if (Result > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (Base == 16) {
        Value = static_cast<int>(static_cast<uint32_t>(Result));
        return true;
    }
    if (Negative ? Result > 0x80000000ull : Result > 0x7FFFFFFFull) {
        return false;
    }
    Value = Negative ? static_cast<int>(-static_cast<int64_t>(Result)) : static_cast<int>(Result);
    return true;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Key, int Default) const {
    int Value;
    return ParseInteger(ReadString(Section, Key, std::string()), Value) ? Value : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& Section, const std::string& Key, double Default) const {
    const std::string Text = Trim(ReadString(Section, Key, std::string()));
    if (Text.empty()) {
        return Default;
    }
    // Read in the C locale whatever the process locale is, so "0.5" means the same everywhere.
    std::istringstream Stream(Text);
    Stream.imbue(std::locale::classic());
    double Value;
    Stream >> Value;
    if (Stream.fail()) {
        return Default;
    }
    Stream >> std::ws;
    return Stream.eof() ? Value : Default;
}

bool TIniFile::SectionExists(const std::string& Section) const {
    TSectionRange Range;
    return FindSection(Section, Range);
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Key) const {
    TSectionRange Range;
    return FindSection(Section, Range) && FindKey(Range, Key) != Lines.size();
}

std::vector<std::string> TIniFile::ReadSectionKeys(const std::string& Section) const {
    std::vector<std::string> Keys;
    TSectionRange Range;
    if (!FindSection(Section, Range)) {
        return Keys;
    }
    // A key is listed at its first line: the one a lookup finds.
    std::string_view Found;
    for (size_t I = Range.Header + 1; I < Range.End; ++I) {
        if (Classify(Lines[I].Text, &Found) == TKind::Key && FindKey(Range, Found) == I) {
            Keys.emplace_back(Found);
        }
    }
    return Keys;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> Sections;
    // A section is listed at its first header: the one a lookup finds.
    std::string_view Found;
    for (size_t I = 0; I < Lines.size(); ++I) {
        TSectionRange Range;
        if (Classify(Lines[I].Text, &Found) == TKind::Section && FindSection(Found, Range) &&
            Range.Header == I) {
            Sections.emplace_back(Found);
        }
    }
    return Sections;
}

void TIniFile::InsertLine(size_t Index, const std::string& Text) {
    // The line before the new one must end in a newline, or the two would run together.
    if (Index > 0 && Lines[Index - 1].Ending.empty()) {
        Lines[Index - 1].Ending = NewLineEnding();
    }
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(Index), TLine{Text, NewLineEnding()});
}

bool TIniFile::Flush(const std::vector<TLine>& Old) {
    // Every write ends here, having changed the lines the index points into.
    NameIndex.Clear();
    if (Name.empty() || Updating) {
        return true;
    }
    const std::string Contents = Text();
    if (TFile::WriteAtomic(Name, Contents.data(), Contents.size(), &WriteError)) {
        return true;
    }
    // The file was not changed, so neither is what we hold.
    Lines = Old;
    return false;
}

std::vector<TIniFile::TLine> TIniFile::RollbackCopy() const {
    // Only a write that goes to disk at once can fail and need the lines it changed.
    return Name.empty() || Updating ? std::vector<TLine>() : Lines;
}

bool TIniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) {
    const std::vector<TLine> Old = RollbackCopy();
    if (Lines.empty()) {
        CrLf = false;
    }
    TSectionRange Range;
    if (FindSection(Section, Range)) {
        size_t Index = FindKey(Range, Key);
        if (Index != Lines.size()) {
            std::string_view Spelling;
            Classify(Lines[Index].Text, &Spelling);
            Lines[Index].Text = std::string(Spelling) + "=" + Value;
        } else {
            size_t Last = Range.End;
            while (Last > Range.Header + 1 && Classify(Lines[Last - 1].Text) == TKind::Blank) {
                --Last;
            }
            InsertLine(Last, Trim(Key) + "=" + Value);
        }
    } else {
        InsertLine(Lines.size(), "[" + Trim(Section) + "]");
        InsertLine(Lines.size(), Trim(Key) + "=" + Value);
    }
    return Flush(Old);
}

bool TIniFile::WriteInteger(const std::string& Section, const std::string& Key, int Value) {
    return WriteString(Section, Key, std::to_string(Value));
}

bool TIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
    return WriteString(Section, Key, Value ? "1" : "0");
}

bool TIniFile::DeleteKey(const std::string& Section, const std::string& Key) {
    TSectionRange Range;
    if (!FindSection(Section, Range)) {
        return true;
    }
    size_t Index = FindKey(Range, Key);
    if (Index == Lines.size()) {
        return true;
    }
    const std::vector<TLine> Old = RollbackCopy();
    Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(Index));
    return Flush(Old);
}

bool TIniFile::EraseSection(const std::string& Section) {
    TSectionRange Range;
    if (!FindSection(Section, Range)) {
        return true;
    }
    const std::vector<TLine> Old = RollbackCopy();
    Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(Range.Header),
                Lines.begin() + static_cast<std::ptrdiff_t>(Range.End));
    return Flush(Old);
}

void TIniFile::BeginUpdate() {
    if (!Updating) {
        BeforeUpdate = Lines;
    }
    Updating = true;
}

bool TIniFile::EndUpdate() {
    Updating = false;
    return Flush(BeforeUpdate);
}
