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
    // A subscriber may leave while being notified (an image freeing itself), so walk a copy.
    std::vector<TVelaSubscriber*> Round = Subscribers;
    for (TVelaSubscriber* Subscriber : Round) {
        if (std::find(Subscribers.begin(), Subscribers.end(), Subscriber) == Subscribers.end())
            continue;
        if (!Subscriber->Notify(this, Message))
            return false;
    }
    return true;
}
