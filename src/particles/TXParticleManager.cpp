#include "particles/TXParticleManager.h"

#include <utility>

TXParticleManager::TXParticleManager(TVelaCanvas* Canvas) : Canvas(Canvas) {}

TXParticleSystem* TXParticleManager::Spawn(const TParticleParams& Block, TVelaImage* Image, float X,
                                           float Y) {
    if (FCount >= MaxSystems)
        return nullptr;
    // A freed system stays in its slot for the next blast, so play does not allocate.
    std::unique_ptr<TXParticleSystem>& System = Systems[FCount++];
    if (System == nullptr)
        System = std::make_unique<TXParticleSystem>();
    else
        System->Reset();
    System->SetParams(Block);
    System->Image = Image;
    System->Fire(X, Y);
    System->SetDrawOffset(DrawOffsetX, DrawOffsetY);
    return System.get();
}

void TXParticleManager::Update(float Dt) {
    int I = 0;
    while (I < FCount) {
        TXParticleSystem& System = *Systems[I];
        System.Update(Dt);
        if (!System.Running() && System.Count() == 0) {
            // The last system takes the slot and is updated next, so each is updated once.
            --FCount;
            std::swap(Systems[I], Systems[FCount]);
            continue;
        }
        ++I;
    }
}

void TXParticleManager::Draw() {
    if (Canvas == nullptr)
        return;
    for (int I = 0; I < FCount; ++I)
        Systems[I]->Draw(*Canvas);
}

void TXParticleManager::SetDrawOffset(float X, float Y) {
    DrawOffsetX = X;
    DrawOffsetY = Y;
}

TXParticleSystem* TXParticleManager::System(int Index) const {
    return Index >= 0 && Index < FCount ? Systems[Index].get() : nullptr;
}
