#include "app/TCommandLine.h"

#include <gtest/gtest.h>

namespace {

bool Parse(TCommandLine& Options, std::vector<std::string> Arguments, std::string& Error) {
    return Options.Parse(Arguments, Error);
}

TEST(TCommandLineTest, ReadsEveryAutomationOption) {
    TCommandLine Options;
    std::string Error;
    ASSERT_TRUE(Parse(Options, {"--data",       "/tmp/game", "--headless",   "--no-raster",
                                "--frames",     "30",        "--step-ms",    "10",
                                "--seed",       "42",        "--input",      "in.txt",
                                "--screenshot", "2:a.png",   "--screenshot", "7:dir/b:c.png",
                                "--level",      "level03",   "--record",     "rec.txt",
                                "--state-hash", "25",        "--max-fps",    "30"},
                      Error))
        << Error;
    EXPECT_EQ(Options.DataDir, "/tmp/game");
    EXPECT_TRUE(Options.Headless);
    EXPECT_TRUE(Options.NoRaster);
    EXPECT_EQ(Options.Frames, 30);
    EXPECT_EQ(Options.StepMs, 10);
    EXPECT_TRUE(Options.HasSeed);
    EXPECT_EQ(Options.Seed, 42u);
    EXPECT_EQ(Options.InputFile, "in.txt");
    ASSERT_EQ(Options.Screenshots.size(), 2u);
    EXPECT_EQ(Options.Screenshots[1].Frame, 7);
    EXPECT_EQ(Options.Screenshots[1].FileName, "dir/b:c.png");
    EXPECT_EQ(Options.Level, "level03");
    EXPECT_EQ(Options.RecordFile, "rec.txt");
    EXPECT_EQ(Options.StateHashEvery, 25);
    EXPECT_EQ(Options.MaxFps, 30);
}

TEST(TCommandLineTest, RefusesWhatItCannotUseAndNamesIt) {
    const std::vector<std::vector<std::string>> Bad = {{"--fullscreen"},       {"--frames"},
                                                       {"--frames", "ten"},    {"--frames", "0"},
                                                       {"--step-ms", "-5"},    {"--seed", "99999999999"},
                                                       {"--screenshot", "2"},  {"--screenshot", "x:a.png"},
                                                       {"--screenshot", "3:"}, {"--no-raster"},
                                                       {"--record"},           {"--state-hash", "0"},
                                                       {"--max-fps", "0"}};
    for (const auto& Arguments : Bad) {
        TCommandLine Options;
        std::string Error;
        EXPECT_FALSE(Parse(Options, Arguments, Error)) << Arguments[0];
        EXPECT_NE(Error.find(Arguments[0]), std::string::npos) << Error;
    }
}

} // namespace
