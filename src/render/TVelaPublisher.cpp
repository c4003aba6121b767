#include "render/TVelaPublisher.h"

#include <algorithm>

TVelaSubscriber::~TVelaSubscriber() {
    if (Publisher != nullptr)
        Publisher->Unsubscribe(this);
}

TVelaPublisher::~TVelaPublisher() {
    for (TVelaSubscriber* Subscriber : Subscribers)
        Subscriber->Publisher = nullptr;
}

void TVelaPublisher::Subscribe(TVelaSubscriber* Subscriber) {
    if (Subscriber->Publisher == this)
        return;
    if (Subscriber->Publisher != nullptr)
        Subscriber->Publisher->Unsubscribe(Subscriber);
    Subscribers.push_back(Subscriber);
    Subscriber->Publisher = this;
}

void TVelaPublisher::Unsubscribe(TVelaSubscriber* Subscriber) {
    auto Found = std::find(Subscribers.begin(), Subscribers.end(), Subscriber);
    if (Found != Subscribers.end())
        Subscribers.erase(Found);
    if (Subscriber->Publisher == this)
        Subscriber->Publisher = nullptr;
}

bool TVelaPublisher::NotifyAll(int Message) {
    // A subscriber may leave while being notified (an image freeing itself), so walk a copy. Its storage
    // is kept for the next round, so a frame's notices allocate nothing; a round started inside this one
    // finds no spare and makes its own.
    std::vector<TVelaSubscriber*> Round;
    Round.swap(SpareRound);
    Round.assign(Subscribers.begin(), Subscribers.end());
    bool Success = true;
    for (TVelaSubscriber* Subscriber : Round) {
        if (std::find(Subscribers.begin(), Subscribers.end(), Subscriber) == Subscribers.end())
            continue;
        if (!Subscriber->Notify(this, Message)) {
            Success = false;
            break;
        }
    }
    Round.clear();
    SpareRound.swap(Round);
    return Success;
}
