#include "TBriefingClock.h"

#include <cctype>

int TBriefingClock::CountWords(const std::string& Text) {
    int Count = 0;
    bool InWord = false;
    for (const char Character : Text) {
        const bool Blank = std::isspace(static_cast<unsigned char>(Character)) != 0;
        Count += !Blank && !InWord;
        InWord = !Blank;
    }
    return Count;
}

int TBriefingClock::CountWords(const std::vector<std::string>& Texts) {
    int Count = 0;
    for (const std::string& Text : Texts)
        Count += CountWords(Text);
    return Count;
}

int TBriefingClock::ReadingMs(int Words) {
    return (Words * 60000 + WordsPerMinute - 1) / WordsPerMinute;
}

void TBriefingClock::Start(uint32_t Now, int Words) {
    StartTick = Now;
    WordCount = Words;
}

bool TBriefingClock::Read(uint32_t Now) const {
    return static_cast<int64_t>(Now - StartTick) >= ReadingMs(WordCount);
}
