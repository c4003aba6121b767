#pragma once

// The endless mode as it is played: waves that grow by one rocket each, stronger kinds every tenth
// wave, and the time survived, until the ship is destroyed.
class TEndlessProgress {
  public:
    static void StartEndlessWave();
    // One frame of progress while the game runs unpaused.
    static void ProgressTTDLevel();
    // Rockets a wave must lose before it can end: the wave's number plus 14.
    static int KillTarget(int FinishedWaves);
};
