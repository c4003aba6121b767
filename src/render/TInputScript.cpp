#include "render/TInputScript.h"

#include "runtime/TFile.h"
#include "runtime/TWin1250.h"

#include <SDL.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

namespace {

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

// Reads the next blank-separated word from Pos; empty at the end of the line or at a comment.
std::string NextWord(const std::string& Line, size_t& Pos) {
    while (Pos < Line.size() && IsBlank(Line[Pos]))
        ++Pos;
    if (Pos >= Line.size() || Line[Pos] == '#') {
        Pos = Line.size();
        return {};
    }
    size_t Start = Pos;
    while (Pos < Line.size() && !IsBlank(Line[Pos]))
        ++Pos;
    return Line.substr(Start, Pos - Start);
}

bool ParseInt(const std::string& Word, int Min, int Max, int& Value) {
    const char* First = Word.data();
    const char* Last = Word.data() + Word.size();
    if (First != Last && *First == '+' && Min < 0)
        ++First;
    auto [End, Error] = std::from_chars(First, Last, Value);
    return First != Last && Error == std::errc() && End == Last && Value >= Min && Value <= Max;
}

bool ParseUnsigned(const std::string& Word, uint32_t Max, uint32_t& Value) {
    auto [End, Error] = std::from_chars(Word.data(), Word.data() + Word.size(), Value);
    return !Word.empty() && Error == std::errc() && End == Word.data() + Word.size() && Value <= Max;
}

bool IsValidUtf8(const std::string& Text) {
    size_t I = 0;
    while (I < Text.size()) {
        auto C = static_cast<unsigned char>(Text[I]);
        int Length = C < 0x80 ? 1 : (C >> 5) == 0x6 ? 2 : (C >> 4) == 0xE ? 3 : (C >> 3) == 0x1E ? 4 : 0;
        if (Length == 0 || I + Length > Text.size())
            return false;
        unsigned Code = Length == 1 ? C : C & (0x7F >> Length);
        for (int K = 1; K < Length; ++K) {
            auto Next = static_cast<unsigned char>(Text[I + K]);
            if ((Next & 0xC0) != 0x80)
                return false;
            Code = (Code << 6) | (Next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not text.
        static const unsigned Least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (Code < Least[Length] || (Code >= 0xD800 && Code <= 0xDFFF) || Code > 0x10FFFF)
            return false;
        I += Length;
    }
    return true;
}

constexpr const char* WindowEventNames[] = {"focus-lost", "focus-gained", "minimised",
                                            "restored",   "close",        "quit"};
constexpr TWindowEvent WindowEvents[] = {TWindowEvent::FocusLost, TWindowEvent::FocusGained,
                                         TWindowEvent::Minimised, TWindowEvent::Restored,
                                         TWindowEvent::Close,     TWindowEvent::Quit};

bool ParseWindowEvent(const std::string& Word, int& Event) {
    for (size_t Index = 0; Index < std::size(WindowEventNames); ++Index)
        if (Word == WindowEventNames[Index]) {
            Event = static_cast<int>(WindowEvents[Index]);
            return true;
        }
    return false;
}

const char* WindowEventName(int Event) {
    for (size_t Index = 0; Index < std::size(WindowEvents); ++Index)
        if (static_cast<int>(WindowEvents[Index]) == Event)
            return WindowEventNames[Index];
    return nullptr;
}

// SDL's own names, exactly as SDL writes them (SDL would also take other case and a sign before an axis).
bool ParsePadButton(const std::string& Word, int& Button) {
    Button = SDL_GameControllerGetButtonFromString(Word.c_str());
    return Button != SDL_CONTROLLER_BUTTON_INVALID &&
           Word == SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(Button));
}

bool ParsePadAxis(const std::string& Word, int& Axis) {
    Axis = SDL_GameControllerGetAxisFromString(Word.c_str());
    return Axis != SDL_CONTROLLER_AXIS_INVALID &&
           Word == SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(Axis));
}

bool ParsePadEvent(const std::string& Action, const std::string& Line, size_t& Pos,
                   TInputScript::TEvent& Event, std::string& Why) {
    using TKind = TInputScript::TEvent::TKind;
    if (Action == "down" || Action == "up") {
        Event.Kind = Action == "down" ? TKind::PadDown : TKind::PadUp;
        if (!ParsePadButton(NextWord(Line, Pos), Event.A)) {
            Why =
                "expected a pad button (a, b, x, y, back, start, leftshoulder, rightshoulder, dpup, dpdown, "
                "dpleft, dpright ...)";
            return false;
        }
        return true;
    }
    if (Action == "axis") {
        Event.Kind = TKind::PadAxis;
        if (!ParsePadAxis(NextWord(Line, Pos), Event.A)) {
            Why = "expected a pad axis (leftx, lefty, rightx, righty, lefttrigger, righttrigger)";
            return false;
        }
        if (!ParseInt(NextWord(Line, Pos), -32768, 32767, Event.B)) {
            Why = "expected an axis position -32768..32767";
            return false;
        }
        return true;
    }
    Why = "expected \"down\", \"up\" or \"axis\" after \"pad\"";
    return false;
}

// What one line holds: nothing, an event, a frame's clock step or the seed.
struct TParsedLine {
    enum class TWhat { Nothing, Event, Clock, Seed } What = TWhat::Nothing;
    TInputScript::TEvent Event;
    uint32_t Value = 0;
};

bool ParseMouseEvent(const std::string& Action, const std::string& Line, size_t& Pos,
                     TInputScript::TEvent& Event, std::string& Why) {
    using TKind = TInputScript::TEvent::TKind;
    if (Action == "move" || Action == "at") {
        Event.Kind = Action == "move" ? TKind::MouseMove : TKind::MouseAt;
        if (!ParseInt(NextWord(Line, Pos), INT32_MIN, INT32_MAX, Event.A) ||
            !ParseInt(NextWord(Line, Pos), INT32_MIN, INT32_MAX, Event.B)) {
            Why = std::string("expected two whole numbers ") + (Action == "move" ? "DX DY" : "X Y") +
                  " after \"mouse " + Action + "\"";
            return false;
        }
    } else if (Action == "down" || Action == "up") {
        Event.Kind = Action == "down" ? TKind::MouseDown : TKind::MouseUp;
        if (!ParseInt(NextWord(Line, Pos), 0, 7, Event.A)) {
            Why = "expected a mouse button 0..7";
            return false;
        }
    } else if (Action == "wheel") {
        Event.Kind = TKind::MouseWheel;
        if (!ParseInt(NextWord(Line, Pos), -1000, 1000, Event.A)) {
            Why = "expected wheel notches -1000..1000 after \"mouse wheel\"";
            return false;
        }
    } else {
        Why = "expected \"move\", \"at\", \"down\", \"up\" or \"wheel\" after \"mouse\"";
        return false;
    }
    return true;
}

// The clock and seed lines, which the game reads rather than the input state.
bool ParseSetting(const std::string& Kind, const std::string& Word, TParsedLine& Parsed, std::string& Why) {
    const int Frame = Parsed.Event.Frame;
    if (Kind == "clock") {
        Parsed.What = TParsedLine::TWhat::Clock;
        if (Frame < 1) {
            Why = "a clock line belongs to a frame from 1 on";
            return false;
        }
        if (!ParseUnsigned(Word, INT32_MAX, Parsed.Value)) {
            Why = "expected milliseconds 0..2147483647 after \"clock\"";
            return false;
        }
        return true;
    }
    Parsed.What = TParsedLine::TWhat::Seed;
    if (Frame != 0) {
        Why = "a seed line belongs to frame 0";
        return false;
    }
    if (!ParseUnsigned(Word, UINT32_MAX, Parsed.Value)) {
        Why = "expected a seed 0..4294967295 after \"seed\"";
        return false;
    }
    return true;
}

// A line as a terminal can show it: control bytes, and any byte outside ASCII in a line that is not UTF-8,
// as \xNN, and no more than a screen line of it.
std::string Printable(const std::string& Line) {
    constexpr size_t Shown = 80;
    const bool Utf8 = TWin1250::IsValidUtf8(Line);
    std::string Out;
    for (size_t At = 0; At < Line.size() && At < Shown; ++At) {
        const unsigned char Byte = static_cast<unsigned char>(Line[At]);
        if (Byte < 0x20 || Byte == 0x7F || (Byte >= 0x80 && !Utf8)) {
            static const char Digits[] = "0123456789ABCDEF";
            Out += "\\x";
            Out += Digits[Byte >> 4];
            Out += Digits[Byte & 15];
        } else {
            Out += static_cast<char>(Byte);
        }
    }
    if (Line.size() > Shown)
        Out += "...";
    return Out;
}

// Parses one line without its end-of-line. Returns false with Why filled.
bool ParseLine(const std::string& Line, TParsedLine& Parsed, std::string& Why) {
    using TEvent = TInputScript::TEvent;
    TEvent& Event = Parsed.Event;
    size_t Pos = 0;
    std::string Word = NextWord(Line, Pos);
    if (Word.empty())
        return true;
    if (!ParseInt(Word, 0, INT32_MAX, Event.Frame)) {
        Why = "expected a frame number (0 or more), found \"" + Word + "\"";
        return false;
    }
    Parsed.What = TParsedLine::TWhat::Event;
    std::string Kind = NextWord(Line, Pos);
    if (Kind == "text") {
        if (Pos >= Line.size() || Pos + 1 >= Line.size()) {
            Why = "expected the text after \"text \"";
            return false;
        }
        Event.Kind = TEvent::TKind::Text;
        Event.Text = Line.substr(Pos + 1);
        if (!IsValidUtf8(Event.Text)) {
            Why = "the text is not valid UTF-8";
            return false;
        }
        return true;
    }
    std::string Action = NextWord(Line, Pos);
    if (Kind == "key") {
        if (Action != "down" && Action != "up") {
            Why = "expected \"down\" or \"up\" after \"key\"";
            return false;
        }
        Event.Kind = Action == "down" ? TEvent::TKind::KeyDown : TEvent::TKind::KeyUp;
        if (!ParseInt(NextWord(Line, Pos), 0, 255, Event.A)) {
            Why = "expected a key code 0..255";
            return false;
        }
    } else if (Kind == "mouse") {
        if (!ParseMouseEvent(Action, Line, Pos, Event, Why))
            return false;
    } else if (Kind == "window") {
        Event.Kind = TEvent::TKind::Window;
        if (!ParseWindowEvent(Action, Event.A)) {
            Why = "expected \"focus-lost\", \"focus-gained\", \"minimised\", \"restored\" or \"close\" after "
                  "\"window\"";
            return false;
        }
    } else if (Kind == "pad") {
        if (!ParsePadEvent(Action, Line, Pos, Event, Why))
            return false;
    } else if (Kind == "clock" || Kind == "seed") {
        if (!ParseSetting(Kind, Action, Parsed, Why))
            return false;
    } else {
        Why = "expected \"key\", \"mouse\", \"text\", \"window\", \"pad\", \"clock\" or \"seed\" after the "
              "frame number";
        return false;
    }
    std::string Extra = NextWord(Line, Pos);
    if (!Extra.empty()) {
        Why = "unexpected \"" + Extra + "\" at the end of the line";
        return false;
    }
    return true;
}

} // namespace

void TInputScript::Clear() {
    Events.clear();
    Next = 0;
    Clocks.clear();
    HasSeed = false;
    SeedValue = 0;
}

bool TInputScript::Load(const std::string& Text, std::string& Error) {
    Clear();
    size_t Start = 0;
    int LineNumber = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos)
            End = Text.size();
        std::string Line = Text.substr(Start, End - Start);
        Start = End + 1;
        ++LineNumber;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();

        TParsedLine Parsed;
        std::string Why;
        bool Parsable = ParseLine(Line, Parsed, Why);
        if (Parsable && Parsed.What == TParsedLine::TWhat::Clock &&
            !Clocks.emplace(Parsed.Event.Frame, Parsed.Value).second) {
            Why = "frame " + std::to_string(Parsed.Event.Frame) + " has a clock line already";
            Parsable = false;
        }
        if (Parsable && Parsed.What == TParsedLine::TWhat::Seed) {
            Parsable = !HasSeed;
            Why = "the seed is given once only";
            HasSeed = true;
            SeedValue = Parsed.Value;
        }
        if (!Parsable) {
            Clear();
            Error =
                "input script line " + std::to_string(LineNumber) + ": \"" + Printable(Line) + "\": " + Why;
            return false;
        }
        if (Parsed.What == TParsedLine::TWhat::Event)
            Events.push_back(std::move(Parsed.Event));
    }
    std::stable_sort(Events.begin(), Events.end(),
                     [](const TEvent& A, const TEvent& B) { return A.Frame < B.Frame; });
    return true;
}

bool TInputScript::LoadFile(const std::string& Path, std::string& Error) {
    std::string Text;
    if (!TFile::ReadText(Path, Text, TFile::LargeLimit)) {
        Clear();
        Error =
            "input script \"" + Path + "\": " + (TFile::IsDirectory(Path) ? "is a folder" : "cannot be read");
        return false;
    }
    return Load(Text, Error);
}

void TInputScript::Feed(int Frame, TInputState& State) {
    for (; Next < Events.size() && Events[Next].Frame <= Frame; ++Next)
        State.Apply(Events[Next]);
}

bool TInputScript::ClockStep(int Frame, uint32_t& Milliseconds) const {
    auto Found = Clocks.upper_bound(Frame);
    if (Found == Clocks.begin())
        return false;
    Milliseconds = (--Found)->second;
    return true;
}

std::string TInputScript::Line(const TEvent& Event) {
    using TKind = TEvent::TKind;
    const std::string Frame = std::to_string(Event.Frame) + " ";
    const std::string A = std::to_string(Event.A);
    const std::string AB = A + " " + std::to_string(Event.B);
    const char* Name = nullptr;
    switch (Event.Kind) {
    case TKind::KeyDown:
        return Frame + "key down " + A;
    case TKind::KeyUp:
        return Frame + "key up " + A;
    case TKind::MouseMove:
        return Frame + "mouse move " + AB;
    case TKind::MouseAt:
        return Frame + "mouse at " + AB;
    case TKind::MouseDown:
        return Frame + "mouse down " + A;
    case TKind::MouseUp:
        return Frame + "mouse up " + A;
    case TKind::MouseWheel:
        return Frame + "mouse wheel " + A;
    case TKind::Text: {
        // A line cannot hold a line break, and typing takes no control character.
        std::string Text;
        for (const char C : Event.Text)
            if (static_cast<unsigned char>(C) >= 0x20 && C != 0x7F)
                Text += C;
        return Text.empty() ? std::string() : Frame + "text " + Text;
    }
    case TKind::Window:
        Name = WindowEventName(Event.A);
        return Name ? Frame + "window " + Name : std::string();
    case TKind::PadDown:
    case TKind::PadUp:
        Name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(Event.A));
        return Name ? Frame + "pad " + (Event.Kind == TKind::PadDown ? "down " : "up ") + Name
                    : std::string();
    case TKind::PadAxis:
        Name = SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(Event.A));
        return Name ? Frame + "pad axis " + Name + " " + std::to_string(Event.B) : std::string();
    }
    return {};
}

std::string TInputScript::ClockLine(int Frame, uint32_t Milliseconds) {
    return std::to_string(Frame) + " clock " + std::to_string(Milliseconds);
}

std::string TInputScript::SeedLine(uint32_t Seed) {
    return "0 seed " + std::to_string(Seed);
}
