#include "Autopilot/TBriefingClock.h"

#include <gtest/gtest.h>

// Words between any blanks, read at 150 a minute: 400 ms a word, counted from the briefing's start.
TEST(TBriefingClockTest, ReadsAtOneHundredFiftyWordsAMinute) {
    EXPECT_EQ(TBriefingClock::CountWords(""), 0);
    EXPECT_EQ(TBriefingClock::CountWords("  Stay  alive,\tpilot. "), 3);
    EXPECT_EQ(TBriefingClock::CountWords(std::vector<std::string>{"Two words", "", "and three more"}), 5);
    EXPECT_EQ(TBriefingClock::ReadingMs(150), 60000);
    TBriefingClock Reader;
    Reader.Start(1000, 5);
    EXPECT_FALSE(Reader.Read(2999));
    EXPECT_TRUE(Reader.Read(3000));
}
