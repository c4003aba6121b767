#include "runtime/TPictureJob.h"

#include "runtime/TPictureFile.h"

void TPictureJob::Run() {
    {
        std::lock_guard<std::mutex> Guard(Lock);
        if (State != jsQueued)
            return;
        State = jsRunning;
    }
    // Nobody touches the result until the state says it is done.
    const bool Decoded = TPictureFile::Load(Path, Result, &Why);
    std::lock_guard<std::mutex> Guard(Lock);
    Ok = Decoded;
    State = jsDone;
    Finished.notify_all();
}

bool TPictureJob::Done() const {
    std::lock_guard<std::mutex> Guard(Lock);
    return State == jsDone;
}

bool TPictureJob::Take(TPicture& Picture, std::string& Error) {
    Run();
    std::unique_lock<std::mutex> Guard(Lock);
    Finished.wait(Guard, [this] { return State == jsDone; });
    Picture = std::move(Result);
    Result = TPicture();
    Error = Why;
    return Ok;
}
