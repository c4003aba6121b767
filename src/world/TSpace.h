#pragma once

#include "world/TStar.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TEngine;

// Everything behind the game objects: three layers of drifting star points, the "gamebg" backdrop laid
// over them additively, and on some missions one large scenery picture. The stars flow against the
// ship's heading, so the fixed playfield feels like flight.
class TSpace {
  public:
    static constexpr int StarCount = 400;
    // Pixels per star step for the near, middle and far layers.
    static constexpr std::array<double, 3> LayerSpeeds{0.7, 0.4, 0.2};

    explicit TSpace(TEngine& Engine);

    // Once per frame of play, paused or not, before everything else is drawn.
    void Run(int ShipAngle, const std::string& MissionName);
    // At most one step per frame, once more than 20 ms have passed.
    void MoveStars(int ShipAngle);
    // The scenery picture and its scale for a mission; an empty name for none (the scale then stays).
    static std::string SceneryFor(const std::string& MissionName, double& Scale);

    std::array<std::array<int, 3>, 6> StarColours{
        {{255, 255, 255}, {255, 255, 0}, {0, 0, 255}, {255, 0, 0}, {255, 255, 255}, {255, 255, 0}}};
    double SceneryScale = 1.0;
    // 0 against the ship's heading, 1 a fixed drift to the lower right, anything else still.
    int StarMotion = 0;
    uint32_t LastStarStep = 0;
    std::string SceneryName;
    TEngine& Engine;
    // Near, middle and far.
    std::array<std::vector<TStar>, 3> Layers;

  private:
    void MoveStar(TStar& Star, double Speed, int ShipAngle) const;
    void DrawStars();
    void DrawScenery();
};
