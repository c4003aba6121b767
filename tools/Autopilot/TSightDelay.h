#pragma once

#include <deque>
#include <utility>
#include <vector>

// What the pilot saw some frames ago: a pilot who reacts late acts on an old picture, of the rockets and
// of its own heading, so it also lets go of a turn key late. Copies, not the rockets themselves, which a
// new wave replaces.
class TSightDelay {
  public:
    struct TSighting {
        double X = 0, Y = 0;
        int Angle = 0;
        int Kind = 1;
    };
    struct TPicture {
        int ShipAngle = 0;
        std::vector<TSighting> Rockets;
    };

    // A new mission: nothing seen yet, and what is seen reaches the pilot Frames frames later.
    void Reset(int NewFrames) {
        Past.clear();
        Frames = NewFrames;
    }

    // This frame's picture in; out the one the pilot acts on, the oldest kept while fewer frames than
    // the delay have passed.
    const TPicture& See(TPicture Now) {
        Past.push_back(std::move(Now));
        while (static_cast<int>(Past.size()) > Frames + 1)
            Past.pop_front();
        return Past.front();
    }

  private:
    std::deque<TPicture> Past;
    int Frames = 0;
};
