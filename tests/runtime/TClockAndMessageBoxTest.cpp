#include <gtest/gtest.h>

#include "runtime/TFakeClock.h"
#include "runtime/TMessageBox.h"
#include "runtime/TSystemClock.h"

TEST(TFakeClock, AdvancesTicksAndCounterTogetherAndWraps) {
    TFakeClock Clock(0xFFFFFFF0u);
    const int64_t Start = Clock.PerformanceCounter();
    Clock.Advance(32);
    EXPECT_EQ(Clock.TickCount(), 16u);
    EXPECT_EQ(Clock.PerformanceCounter() - Start, 32 * Clock.PerformanceFrequency() / 1000);
    Clock.Sleep(10);
    Clock.Sleep(5);
    EXPECT_EQ(Clock.SleptMilliseconds, 15u);
    EXPECT_EQ(Clock.TickCount(), 16u);
}

TEST(TSystemClock, MovesForward) {
    TSystemClock Clock;
    EXPECT_GT(Clock.PerformanceFrequency(), 0);
    const int64_t First = Clock.PerformanceCounter();
    EXPECT_GE(Clock.PerformanceCounter(), First);
}

TEST(TMessageBox, HookReceivesMessages) {
    std::vector<std::string> Seen;
    TMessageBox::Hook = [&](const std::string& Title, const std::string& Text, bool IsError) {
        Seen.push_back(Title + "|" + Text + (IsError ? "|error" : ""));
    };
    const int Before = TMessageBox::ShownCount;
    TMessageBox::Show("Chyba", "Nepodarilo sa", true);
    TMessageBox::Hook = nullptr;
    EXPECT_EQ(Seen, std::vector<std::string>{"Chyba|Nepodarilo sa|error"});
    EXPECT_EQ(TMessageBox::ShownCount, Before + 1);
}

TEST(TMessageBox, HeadlessGoesToStandardErrorAsUtf8) {
    TMessageBox::Headless = true;
    testing::internal::CaptureStderr();
    TMessageBox::Show("Zerathon",
                      "Ch\xFD"
                      "ba\ns\xFA"
                      "bor",
                      true); // Windows-1250
    const std::string Output = testing::internal::GetCapturedStderr();
    TMessageBox::Headless = false;
    EXPECT_EQ(Output, "Zerathon: Ch\xC3\xBD"
                      "ba s\xC3\xBA"
                      "bor\n");
}
