#pragma once

#include <cstddef>
#include <vector>

class TVelaPublisher;

// What the device tells the objects that hold device resources.
enum TVelaNotification : int {
    vnInitialize = 256,
    vnFinalize = 257,
    vnLost = 258,
    vnReset = 259,
    vnBeginScene = 260,
    vnEndScene = 261,
};

class TVelaSubscriber {
  public:
    virtual ~TVelaSubscriber();
    // Answers success or failure; a failure stops the publisher's round.
    virtual bool Notify(TVelaPublisher* Sender, int Message) = 0;

  protected:
    friend class TVelaPublisher;
    TVelaPublisher* Publisher = nullptr;
};

class TVelaPublisher {
  public:
    virtual ~TVelaPublisher();
    void Subscribe(TVelaSubscriber* Subscriber);
    void Unsubscribe(TVelaSubscriber* Subscriber);
    // Notifies in the order of joining and stops at the first subscriber that fails.
    bool NotifyAll(int Message);
    size_t SubscriberCount() const { return Subscribers.size(); }

  private:
    std::vector<TVelaSubscriber*> Subscribers;
    std::vector<TVelaSubscriber*> SpareRound;
};
