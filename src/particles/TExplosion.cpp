#include "particles/TExplosion.h"

#include "engine/TEngine.h"
#include "runtime/TFile.h"
#include "runtime/TGameFolders.h"
#include "runtime/TPath.h"

#include <cstdio>

TExplosion::TExplosion(TEngine& Engine) : MineEffects(&Engine.Canvas), Engine(Engine) {
    Load(Phazer, "Graphic\\phazer.pss");
    Load(EmpIcon, "Graphic\\empicon.pss");
    Load(ShieldIcon, "Graphic\\shieldicon.pss");
    Load(PhazerIcon, "Graphic\\phazericon.pss");
    Load(Shield1A, "Graphic\\shield1.pss");
    Load(Shield1B, "Graphic\\shield1.pss");
    Load(Shield2A, "Graphic\\shield2.pss");
    Load(Shield2B, "Graphic\\shield2.pss");
    Load(EngineA, "Graphic\\engine.pss");
    Load(EngineB, "Graphic\\engine.pss");
    Load(BoostA, "Graphic\\boost.pss");
    Load(BoostB, "Graphic\\boost.pss");
    Load(Mine, "Graphic\\mine.pss");
    Load(Shield, "Graphic\\shield.pss");
    Load(LongBomb, "Graphic\\longbomb.pss");
    Load(Emp, "Graphic\\EMP.pss");
    Load(ShipExplode, "Graphic\\ship_explode.pss");
    Load(Explode1, "Graphic\\explode1.pss");
}

void TExplosion::Load(TXParticleSystem& System, const std::string& File) {
    // A missing effect leaves its system empty; the game plays on without that glow. A damaged one is
    // reported with the others.
    const std::string Path = TPath::Join(ProgramDir, File);
    if (!System.LoadFromFile(Path) && !TFile::Exists(TPath::Resolve(Path)))
        std::fprintf(stderr, "Zerathon: effect file \"%s\" not loaded; that effect stays dark\n",
                     File.c_str());
    System.Image = Engine.GetTexture("particles");
    System.AddSpawnOffset({0, 0});
}

template <typename TVisit> void TExplosion::ForEachBeforeMines(TVisit Visit) {
    for (TXParticleSystem* System :
         {&EmpIcon, &ShieldIcon, &PhazerIcon, &Phazer, &EngineA, &EngineB, &BoostA, &BoostB})
        Visit(*System);
}

template <typename TVisit> void TExplosion::ForEachAfterMines(TVisit Visit) {
    for (TXParticleSystem* System :
         {&LongBomb, &Emp, &Shield1A, &Shield1B, &Shield2A, &Shield2B, &Shield, &ShipExplode, &Explode1})
        Visit(*System);
}

void TExplosion::Update(float Dt) {
    ForEachBeforeMines([Dt](TXParticleSystem& System) { System.Update(Dt); });
    MineEffects.Update(Dt);
    // The mine that blew up last may just have been freed with its finished system.
    if (LastMine != nullptr) {
        bool StillThere = false;
        for (int Index = 0; Index < MineEffects.Count(); ++Index)
            StillThere = StillThere || MineEffects.System(Index) == LastMine;
        if (!StillThere)
            LastMine = nullptr;
    }
    ForEachAfterMines([Dt](TXParticleSystem& System) { System.Update(Dt); });
}

void TExplosion::Draw() {
    TVelaCanvas& Canvas = Engine.Canvas;
    ForEachBeforeMines([&Canvas](TXParticleSystem& System) { System.Draw(Canvas); });
    MineEffects.Draw();
    ForEachAfterMines([&Canvas](TXParticleSystem& System) { System.Draw(Canvas); });
}

void TExplosion::SelectWeaponIcon(int Selection) {
    EmpIcon.Stop(true);
    PhazerIcon.Stop(true);
    ShieldIcon.Stop(true);
    if (Selection == 1)
        EmpIcon.Fire(IconX, UpperIconY);
    else if (Selection == 2)
        PhazerIcon.Fire(IconX, LowerIconY);
    else if (Selection == 4)
        ShieldIcon.Fire(IconX, UpperIconY);
}

void TExplosion::StopShipEffects() {
    for (TXParticleSystem* System : {&Phazer, &Emp, &Shield, &Shield1A, &Shield1B, &Shield2A, &Shield2B,
                                     &EngineA, &EngineB, &BoostA, &BoostB, &ShipExplode})
        System->Stop(true);
}

TXParticleSystem* TExplosion::SpawnMine(float X, float Y) {
    LastMine = MineEffects.Spawn(Mine.Params(), Engine.GetTexture("particles"), X, Y);
    return LastMine;
}
