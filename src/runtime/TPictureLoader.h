#pragma once

#include "runtime/TPictureJob.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// Decodes picture files on one worker thread, in the order they were added, so that they are ready
// before they are first drawn. The worker starts only when asked, so that it does not compete with
// the start of the program; a picture wanted earlier is decoded by whoever wants it (see TPictureJob).
class TPictureLoader {
  public:
    TPictureLoader() = default;
    // Stops the worker after the picture in hand; pictures left are decoded when taken.
    ~TPictureLoader();
    TPictureLoader(const TPictureLoader&) = delete;
    TPictureLoader& operator=(const TPictureLoader&) = delete;

    std::shared_ptr<TPictureJob> Add(const std::string& Path);
    // Starts the worker; once is enough, more calls do nothing.
    void Start();
    bool Started() const { return Worker.joinable(); }

  private:
    void Work();

    std::mutex Lock;
    std::condition_variable Wake;
    std::deque<std::shared_ptr<TPictureJob>> Queue;
    bool Stopping = false;
    std::thread Worker;
};
