#include "app/TInputRecorder.h"

#include "render/TInputScript.h"
#include "runtime/TFileSystem.h"

void TInputRecorder::Start(const std::string& FilePath, const std::string& Header, uint32_t Seed) {
    Path = FilePath;
    File = TFileSystem::Open(Path, "wb");
    if (File == nullptr) {
        Fail("cannot be created");
        return;
    }
    Pending = Header;
    Add(TInputScript::SeedLine(Seed));
    WriteOut();
}

void TInputRecorder::Add(const std::string& Line) {
    if (File == nullptr || Line.empty())
        return;
    Pending += Line;
    Pending += '\n';
}

void TInputRecorder::Event(int Frame, const TInputEvent& Event) {
    TInputEvent Framed = Event;
    Framed.Frame = Frame;
    Add(TInputScript::Line(Framed));
    Closed = Closed ||
             (Event.Kind == TInputEvent::TKind::Window && (Event.A == static_cast<int>(TWindowEvent::Close) ||
                                                           Event.A == static_cast<int>(TWindowEvent::Quit)));
}

void TInputRecorder::FrameDone(int Frame, uint32_t Milliseconds) {
    // A step holds until the next clock line: a fixed-step session needs one line.
    if (!Stepped || Milliseconds != LastStep)
        Add(TInputScript::ClockLine(Frame, Milliseconds));
    Stepped = true;
    LastStep = Milliseconds;
    LastFrame = Frame;
    if (Frame % FramesPerWrite == 0)
        WriteOut();
}

void TInputRecorder::WriteOut() {
    if (File == nullptr || Pending.empty())
        return;
    const bool Written = std::fwrite(Pending.data(), 1, Pending.size(), File) == Pending.size();
    Pending.clear();
    if (!Written || std::fflush(File) != 0)
        Fail("cannot be written");
}

void TInputRecorder::Finish() {
    if (File == nullptr)
        return;
    // However the session ended (--frames, a tool), its replay ends there too, in flight as well.
    if (!Closed)
        Event(LastFrame + 1,
              TInputEvent::Of(TInputEvent::TKind::Window, static_cast<int>(TWindowEvent::Quit)));
    WriteOut();
    if (File != nullptr && std::fclose(File) != 0)
        std::fprintf(stderr, "zerathon: the recording %s cannot be written: %s\n", Path.c_str(),
                     TFileSystem::LastError().c_str());
    File = nullptr;
}

void TInputRecorder::Fail(const char* What) {
    std::fprintf(stderr, "zerathon: the recording %s %s: %s; play goes on without it\n", Path.c_str(), What,
                 TFileSystem::LastError().c_str());
    if (File != nullptr)
        std::fclose(File);
    File = nullptr;
    Pending.clear();
}
