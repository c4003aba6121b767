#include "missions/TGame.h"

#include "world/TRocket.h"
#include "world/TShip.h"
#include "world/TSpace.h"

// Out of line, where the mission's objects are complete types.
TGame::TGame() = default;
TGame::~TGame() = default;
TGame::TGame(TGame&&) noexcept = default;
TGame& TGame::operator=(TGame&&) noexcept = default;
