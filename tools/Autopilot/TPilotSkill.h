#pragma once

// How well the autopilot flies. The competent pilot acts on what it sees at once, aims true and fires
// whatever it owns. A beginner acts on a picture some 300 ms old, misses with the sniper gun now and
// then and, still learning the controls, keeps to the sniper gun and mines for the first missions.
struct TPilotSkill {
    // Game frames between what the pilot sees of the rockets and its acting on it (10 ms each).
    int ReactionFrames = 0;
    // The largest heading error of a sniper shot, either way, in degrees.
    int AimErrorDegrees = 0;
    // The first campaign mission in which the bought weapons are fired.
    int WeaponsFromMission = 0;

    static TPilotSkill Competent() { return {}; }
    static TPilotSkill Beginner() { return {30, 6, 5}; }
};
