#include "missions/TGame.h"

#include "menu/TInterface.h"
#include "world/TAsteroid.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"
#include "world/TSpace.h"

// Out of line, where the mission's objects are complete types.
TGame::TGame() = default;
TGame::~TGame() = default;
TGame::TGame(TGame&&) noexcept = default;
TGame& TGame::operator=(TGame&&) noexcept = default;
