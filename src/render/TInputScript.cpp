#include "render/TInputScript.h"

#include "runtime/TFile.h"

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

bool ParseWindowEvent(const std::string& Word, int& Event) {
    static const char* const Names[] = {"focus-lost", "focus-gained", "minimised", "restored"};
    static const TWindowEvent Events[] = {TWindowEvent::FocusLost, TWindowEvent::FocusGained,
                                          TWindowEvent::Minimised, TWindowEvent::Restored};
    for (size_t Index = 0; Index < std::size(Names); ++Index)
        if (Word == Names[Index]) {
            Event = static_cast<int>(Events[Index]);
            return true;
        }
    return false;
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

// Parses one line without its end-of-line. Returns false with Why filled; Empty is set for lines that
// hold no event.
bool ParseLine(const std::string& Line, TInputScript::TEvent& Event, bool& Empty, std::string& Why) {
    using TEvent = TInputScript::TEvent;
    size_t Pos = 0;
    std::string Word = NextWord(Line, Pos);
    Empty = Word.empty();
    if (Empty)
        return true;
    if (!ParseInt(Word, 0, INT32_MAX, Event.Frame)) {
        Why = "expected a frame number (0 or more), found \"" + Word + "\"";
        return false;
    }
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
        if (Action == "move") {
            Event.Kind = TEvent::TKind::MouseMove;
            if (!ParseInt(NextWord(Line, Pos), INT32_MIN, INT32_MAX, Event.A) ||
                !ParseInt(NextWord(Line, Pos), INT32_MIN, INT32_MAX, Event.B)) {
                Why = "expected two whole numbers DX DY after \"mouse move\"";
                return false;
            }
        } else if (Action == "down" || Action == "up") {
            Event.Kind = Action == "down" ? TEvent::TKind::MouseDown : TEvent::TKind::MouseUp;
            if (!ParseInt(NextWord(Line, Pos), 0, 7, Event.A)) {
                Why = "expected a mouse button 0..7";
                return false;
            }
        } else if (Action == "wheel") {
            Event.Kind = TEvent::TKind::MouseWheel;
            if (!ParseInt(NextWord(Line, Pos), -1000, 1000, Event.A)) {
                Why = "expected wheel notches -1000..1000 after \"mouse wheel\"";
                return false;
            }
        } else {
            Why = "expected \"move\", \"down\", \"up\" or \"wheel\" after \"mouse\"";
            return false;
        }
    } else if (Kind == "window") {
        Event.Kind = TEvent::TKind::Window;
        if (!ParseWindowEvent(Action, Event.A)) {
            Why = "expected \"focus-lost\", \"focus-gained\", \"minimised\" or \"restored\" after \"window\"";
            return false;
        }
    } else if (Kind == "pad") {
        if (!ParsePadEvent(Action, Line, Pos, Event, Why))
            return false;
    } else {
        Why = "expected \"key\", \"mouse\", \"text\", \"window\" or \"pad\" after the frame number";
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

bool TInputScript::Load(const std::string& Text, std::string& Error) {
    Events.clear();
    Next = 0;
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

        TEvent Event;
        bool Empty = false;
        std::string Why;
        if (!ParseLine(Line, Event, Empty, Why)) {
            Events.clear();
            Error = "input script line " + std::to_string(LineNumber) + ": \"" + Line + "\": " + Why;
            return false;
        }
        if (!Empty)
            Events.push_back(std::move(Event));
    }
    std::stable_sort(Events.begin(), Events.end(),
                     [](const TEvent& A, const TEvent& B) { return A.Frame < B.Frame; });
    return true;
}

bool TInputScript::LoadFile(const std::string& Path, std::string& Error) {
    std::string Text;
    if (!TFile::ReadText(Path, Text)) {
        Events.clear();
        Next = 0;
        Error =
            "input script \"" + Path + "\": " + (TFile::IsDirectory(Path) ? "is a folder" : "cannot be read");
        return false;
    }
    return Load(Text, Error);
}

void TInputScript::Feed(int Frame, TInputState& State) {
    for (; Next < Events.size() && Events[Next].Frame <= Frame; ++Next) {
        const TEvent& Event = Events[Next];
        switch (Event.Kind) {
        case TEvent::TKind::KeyDown:
        case TEvent::TKind::KeyUp:
            State.KeyEvent(Event.A, Event.Kind == TEvent::TKind::KeyDown);
            break;
        case TEvent::TKind::MouseMove:
            State.MouseMove(Event.A, Event.B);
            break;
        case TEvent::TKind::MouseDown:
        case TEvent::TKind::MouseUp:
            State.MouseButton(Event.A, Event.Kind == TEvent::TKind::MouseDown);
            break;
        case TEvent::TKind::MouseWheel:
            State.MouseWheel(Event.A);
            break;
        case TEvent::TKind::Text:
            State.TypeText(Event.Text);
            break;
        case TEvent::TKind::Window:
            State.WindowChanged(static_cast<TWindowEvent>(Event.A));
            break;
        case TEvent::TKind::PadDown:
        case TEvent::TKind::PadUp:
            State.PadEvent({TPadEvent::TKind::Button, Event.A, Event.Kind == TEvent::TKind::PadDown ? 1 : 0});
            break;
        case TEvent::TKind::PadAxis:
            State.PadEvent({TPadEvent::TKind::Axis, Event.A, Event.B});
            break;
        }
    }
}
