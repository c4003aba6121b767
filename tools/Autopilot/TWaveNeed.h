#pragma once

// What the wave being flown asks of the pilot: a kill-target wave ends only when its rockets are shot
// down, and every wave waits for its last rockets in play to be destroyed before the next one comes.
// A pilot that only dodges then circles until the clock runs out.
class TWaveNeed {
  public:
    // Kills end the wave (a kill target not yet reached, or the stragglers of a finished wave).
    static bool KillsWanted();
};
