#pragma once

#include "runtime/TPicture.h"

#include <condition_variable>
#include <mutex>
#include <string>

// One picture file to decode, by a worker or by whoever needs it first: never twice, and a taker
// arriving while a worker decodes waits for its result.
class TPictureJob {
  public:
    explicit TPictureJob(std::string Path) : Path(std::move(Path)) {}

    const std::string& FileName() const { return Path; }
    // Decodes the file unless that has been started already.
    void Run();
    bool Done() const;
    // The decoded picture, decoded here if nobody has started; false with the reason. Once only.
    bool Take(TPicture& Picture, std::string& Error);

  private:
    enum TState { jsQueued, jsRunning, jsDone };

    const std::string Path;
    mutable std::mutex Lock;
    std::condition_variable Finished;
    TState State = jsQueued;
    bool Ok = false;
    TPicture Result;
    std::string Why;
};
