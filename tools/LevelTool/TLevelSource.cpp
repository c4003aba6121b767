#include "LevelTool/TLevelSource.h"

#include "missions/TLevelFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace {

const std::array<const char*, 9> HeaderKeys = {"Mode",
                                               "Name",
                                               "CaptionIndex",
                                               "TextIndex",
                                               "FirstLineIndex",
                                               "SecondLineIndex",
                                               "CrateLifetime",
                                               "CrateIntervalMin",
                                               "CrateIntervalMax"};
const std::array<const char*, 8> WaveKeys = {"count", "kind",  "goal",       "pause",
                                             "typeA", "typeB", "typeBCount", "reserved"};
const std::array<const char*, 3> KindNames = {"timed", "kill", "end"};

std::string Trim(const std::string& Text) {
    const size_t First = Text.find_first_not_of(" \t\r");
    if (First == std::string::npos)
        return "";
    return Text.substr(First, Text.find_last_not_of(" \t\r") - First + 1);
}

bool SameWord(const std::string& A, const std::string& B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::tolower(static_cast<unsigned char>(X)) ==
                      std::tolower(static_cast<unsigned char>(Y));
           });
}

template <size_t N> int FindKey(const std::array<const char*, N>& Keys, const std::string& Key) {
    for (size_t I = 0; I < N; ++I)
        if (SameWord(Keys[I], Key))
            return static_cast<int>(I);
    return -1;
}

bool ParseInt(const std::string& Text, int& Value) {
    const char* End = Text.data() + Text.size();
    const auto [Stop, Code] = std::from_chars(Text.data(), End, Value);
    return Code == std::errc() && Stop == End && !Text.empty();
}

// Names are written bare unless a byte would be lost to trimming or comments: then in quotes, with
// \" \\ and \xNN escapes.
bool NeedsQuotes(const std::string& Name) {
    if (!Name.empty() &&
        (Name.front() == ' ' || Name.front() == '\t' || Name.back() == ' ' || Name.back() == '\t'))
        return true;
    return std::any_of(Name.begin(), Name.end(), [](char C) {
        const unsigned char U = static_cast<unsigned char>(C);
        return C == '#' || C == '"' || C == '\\' || U < 0x20 || U == 0x7F;
    });
}

std::string Quote(const std::string& Name) {
    std::string Out = "\"";
    for (char C : Name) {
        const unsigned char U = static_cast<unsigned char>(C);
        if (C == '"' || C == '\\') {
            Out += '\\';
            Out += C;
        } else if (C == '#' || U < 0x20 || U == 0x7F) {
            char Hex[8];
            std::snprintf(Hex, sizeof Hex, "\\x%02X", U);
            Out += Hex;
        } else {
            Out += C;
        }
    }
    return Out + "\"";
}

bool Unquote(const std::string& Value, std::string& Name) {
    if (Value.size() < 2 || Value.front() != '"' || Value.back() != '"') {
        Name = Value;
        return Value.empty() || Value.front() != '"';
    }
    Name.clear();
    for (size_t I = 1; I + 1 < Value.size(); ++I) {
        if (Value[I] != '\\') {
            Name += Value[I];
            continue;
        }
        if (I + 2 < Value.size() && (Value[I + 1] == '"' || Value[I + 1] == '\\')) {
            Name += Value[++I];
            continue;
        }
        unsigned Byte = 0;
        if (I + 4 < Value.size() && Value[I + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(Value[I + 2])) &&
            std::sscanf(Value.c_str() + I + 2, "%2x", &Byte) == 1 &&
            std::isxdigit(static_cast<unsigned char>(Value[I + 3]))) {
            Name += static_cast<char>(Byte);
            I += 3;
            continue;
        }
        return false;
    }
    return true;
}

// What the parser has collected, with the line each value came from.
struct TParsed {
    std::string Values[HeaderKeys.size()];
    int Lines[HeaderKeys.size()] = {};
    std::vector<TWave> Waves;
    std::vector<int> WaveLines;
};

struct TParser {
    const std::string& FileName;
    std::string& Error;
    int Line = 0;

    bool Fail(const std::string& Message, int At = -1) {
        Error = FileName + ":" + std::to_string(At < 0 ? Line : At) + ": " + Message;
        return false;
    }

    bool Header(const std::string& Text, TParsed& Out) {
        const size_t Colon = Text.find(':');
        if (Colon == std::string::npos)
            return Fail("expected \"Key: value\" or a wave line, found \"" + Text + "\"");
        const std::string Key = Trim(Text.substr(0, Colon));
        const int Index = FindKey(HeaderKeys, Key);
        if (Index < 0)
            return Fail("unknown key \"" + Key + "\"");
        if (Out.Lines[Index] != 0)
            return Fail(std::string(HeaderKeys[Index]) + " given twice (first on line " +
                        std::to_string(Out.Lines[Index]) + ")");
        Out.Values[Index] = Trim(Text.substr(Colon + 1));
        Out.Lines[Index] = Line;
        return true;
    }

    bool WaveField(TWave& Wave, int Key, const std::string& Value) {
        if (Key == 1) {
            const int Kind = FindKey(KindNames, Value);
            int Number = Kind;
            if (Kind < 0 && (!ParseInt(Value, Number) || Number < 0 || Number > 255))
                return Fail("kind \"" + Value + "\" is not timed, kill, end or a number 0..255");
            Wave.Kind = static_cast<uint8_t>(Number);
            return true;
        }
        int Number = 0;
        if (!ParseInt(Value, Number))
            return Fail(std::string(WaveKeys[static_cast<size_t>(Key)]) + " \"" + Value +
                        "\" is not a whole number");
        int* Fields[] = {&Wave.RocketCount, nullptr,     &Wave.Goal,       &Wave.Pause,
                         &Wave.TypeA,       &Wave.TypeB, &Wave.TypeBCount, &Wave.Reserved};
        *Fields[Key] = Number;
        return true;
    }

    bool WaveLine(const std::string& Text, TParsed& Out) {
        std::istringstream Words(Text.substr(4));
        TWave Wave;
        bool Seen[WaveKeys.size()] = {};
        std::string Word;
        while (Words >> Word) {
            const size_t Equals = Word.find('=');
            const int Key = Equals == std::string::npos ? -1 : FindKey(WaveKeys, Word.substr(0, Equals));
            if (Key < 0)
                return Fail("\"" + Word +
                            "\" is not one of count=, kind=, goal=, pause=, typeA=, typeB=, "
                            "typeBCount=, reserved=");
            if (Seen[Key])
                return Fail(std::string(WaveKeys[static_cast<size_t>(Key)]) + " given twice");
            Seen[Key] = true;
            if (!WaveField(Wave, Key, Word.substr(Equals + 1)))
                return false;
        }
        if (!Seen[0] || !Seen[1])
            return Fail("a wave needs count= and kind=");
        if (!Seen[5])
            Wave.TypeB = Wave.TypeA; // no type given for the last rockets: the same as the others
        Out.Waves.push_back(Wave);
        Out.WaveLines.push_back(Line);
        return true;
    }

    bool Parse(const std::string& Text, TParsed& Out) {
        std::istringstream Lines(Text);
        std::string Raw;
        while (std::getline(Lines, Raw)) {
            ++Line;
            const std::string Content = Trim(Raw.substr(0, Raw.find('#')));
            if (Content.empty())
                continue;
            const bool IsWave = Content.compare(0, 4, "wave") == 0 &&
                                (Content.size() == 4 || Content[4] == ' ' || Content[4] == '\t');
            if (!(IsWave ? WaveLine(Content, Out) : Header(Content, Out)))
                return false;
        }
        return true;
    }
};

// Header fields in file order; Mode and Name are strings, the rest numbers.
bool Assemble(TParser& P, const TParsed& In, std::string& Mode, TCampaignLevel& Campaign,
              TEndlessLevel& Endless) {
    const bool Endlessly = In.Values[0] == "T";
    for (size_t I = 0; I < HeaderKeys.size(); ++I)
        if (In.Lines[I] == 0)
            return P.Fail(std::string("missing ") + HeaderKeys[I] + ":", P.Line);
    if (Endlessly && !In.Waves.empty())
        return P.Fail("an endless mission (Mode: T) makes its own waves; remove the wave lines",
                      In.WaveLines[0]);
    std::string Name;
    if (!Unquote(In.Values[1], Name))
        return P.Fail("Name " + In.Values[1] + " is not a plain name or a properly quoted one", In.Lines[1]);
    if (Name.size() > static_cast<size_t>(TLevelFile::NameCapacity))
        return P.Fail("Name is longer than " + std::to_string(TLevelFile::NameCapacity) + " characters",
                      In.Lines[1]);
    int Numbers[HeaderKeys.size()] = {};
    for (size_t I = 2; I < HeaderKeys.size(); ++I)
        if (!ParseInt(In.Values[I], Numbers[I]))
            return P.Fail(std::string(HeaderKeys[I]) + " \"" + In.Values[I] + "\" is not a whole number",
                          In.Lines[I]);
    Mode = In.Values[0];
    Campaign = TCampaignLevel{
        Name,     Numbers[2], Numbers[3], Numbers[4], Numbers[5], static_cast<int>(In.Waves.size()),
        In.Waves, Numbers[6], Numbers[7], Numbers[8]};
    Endless = TEndlessLevel{Name,       Numbers[2], Numbers[3], Numbers[4],
                            Numbers[5], Numbers[6], Numbers[7], Numbers[8]};
    return true;
}

// The loader's messages begin with "wave N:" or with the field's name: that gives the line.
int LineOfProblem(const TParsed& In, const std::string& Problem) {
    int Wave = 0;
    if (std::sscanf(Problem.c_str(), "wave %d:", &Wave) == 1 && Wave >= 1 &&
        static_cast<size_t>(Wave) <= In.WaveLines.size())
        return In.WaveLines[static_cast<size_t>(Wave) - 1];
    const std::string First = Problem.substr(0, Problem.find(' '));
    const int Key = FindKey(HeaderKeys, First);
    return Key >= 0 ? In.Lines[Key] : 0;
}

} // namespace

bool TLevelSource::Compile(const std::string& Text, const std::string& FileName, std::vector<uint8_t>& Bytes,
                           std::string& Error) {
    TParser Parser{FileName, Error};
    TParsed Parsed;
    std::string Mode;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    if (!Parser.Parse(Text, Parsed) || !Assemble(Parser, Parsed, Mode, Campaign, Endless))
        return false;
    std::vector<uint8_t> Out = TLevelFile::Write(Mode, Campaign, Endless);
    std::string CheckedMode, Problem;
    TCampaignLevel CheckedCampaign;
    TEndlessLevel CheckedEndless;
    if (!TLevelFile::Read(Out, CheckedMode, CheckedCampaign, CheckedEndless, Problem))
        return Parser.Fail(Problem, LineOfProblem(Parsed, Problem));
    Bytes = std::move(Out);
    return true;
}

std::string TLevelSource::Decompile(const std::string& Mode, const TCampaignLevel& Campaign,
                                    const TEndlessLevel& Endless) {
    const bool IsCampaign = Mode == "C";
    std::ostringstream Out;
    Out << "# Mission file source; LevelTool compiles it.\n";
    if (IsCampaign)
        Out << "# Waves: count = rockets at once, kind = timed (goal = ms), kill (goal = rockets to "
               "destroy)\n"
               "# or end; pause = ms before the next wave; the last typeBCount rockets are of typeB.\n";
    Out << "Mode: " << Mode << "\n";
    const std::string& Name = IsCampaign ? Campaign.Name : Endless.Name;
    Out << "Name: " << (NeedsQuotes(Name) ? Quote(Name) : Name) << "\n";
    const int Texts[] = {IsCampaign ? Campaign.CaptionIndex : Endless.CaptionIndex,
                         IsCampaign ? Campaign.TextIndex : Endless.TextIndex,
                         IsCampaign ? Campaign.FirstLineIndex : Endless.FirstLineIndex,
                         IsCampaign ? Campaign.SecondLineIndex : Endless.SecondLineIndex,
                         IsCampaign ? Campaign.CrateLifetime : Endless.CrateLifetime,
                         IsCampaign ? Campaign.CrateIntervalMin : Endless.CrateIntervalMin,
                         IsCampaign ? Campaign.CrateIntervalMax : Endless.CrateIntervalMax};
    for (size_t I = 0; I < 7; ++I)
        Out << HeaderKeys[I + 2] << ": " << Texts[I] << "\n";
    if (!IsCampaign)
        return Out.str();
    Out << "\n";
    for (const TWave& Wave : Campaign.Waves) {
        Out << "wave count=" << Wave.RocketCount << " kind=";
        if (Wave.Kind < KindNames.size())
            Out << KindNames[Wave.Kind];
        else
            Out << int(Wave.Kind);
        Out << " goal=" << Wave.Goal << " pause=" << Wave.Pause << " typeA=" << Wave.TypeA
            << " typeB=" << Wave.TypeB << " typeBCount=" << Wave.TypeBCount;
        if (Wave.Reserved != 0)
            Out << " reserved=" << Wave.Reserved;
        Out << "\n";
    }
    return Out.str();
}
