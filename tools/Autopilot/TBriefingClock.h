#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A player reading the mission briefing: the words of its caption and lines at a normal reading pace,
// counted from the moment the briefing appears. The player goes on (Space) only once the text is read
// and the game asks for the key.
class TBriefingClock {
  public:
    static constexpr int WordsPerMinute = 150;

    // Words are runs of characters between blanks.
    static int CountWords(const std::string& Text);
    static int CountWords(const std::vector<std::string>& Texts);
    // The milliseconds a reader needs for Words, rounded up.
    static int ReadingMs(int Words);

    void Start(uint32_t Now, int Words);
    bool Read(uint32_t Now) const;
    int Words() const { return WordCount; }

  private:
    uint32_t StartTick = 0;
    int WordCount = 0;
};
