#include "runtime/TPictureLoader.h"

TPictureLoader::~TPictureLoader() {
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Stopping = true;
    }
    Wake.notify_all();
    if (Worker.joinable())
        Worker.join();
}

std::shared_ptr<TPictureJob> TPictureLoader::Add(const std::string& Path) {
    auto Job = std::make_shared<TPictureJob>(Path);
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Queue.push_back(Job);
    }
    Wake.notify_all();
    return Job;
}

void TPictureLoader::Start() {
    if (!Worker.joinable())
        Worker = std::thread([this] { Work(); });
}

void TPictureLoader::Work() {
    for (;;) {
        std::shared_ptr<TPictureJob> Job;
        {
            std::unique_lock<std::mutex> Guard(Lock);
            Wake.wait(Guard, [this] { return Stopping || !Queue.empty(); });
            if (Stopping)
                return;
            Job = std::move(Queue.front());
            Queue.pop_front();
        }
        Job->Run();
    }
}
