#include "TGameHarness.h"

#include "world/TShip.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Recorded sessions replayed headless through the real frame loop, their state hashes compared with the
// ones they gave when they were recorded: a change in a rule of play fails here, naming the first frame
// where the game went another way. After a change made on purpose, tools/rehash-replays.sh writes the
// new hashes (ZERATHON_REHASH=1).
constexpr int HashEvery = 10;
// Only a replay that lost its closing line gets this far.
constexpr int MaxFrames = 100000;
const std::string ReplayDir = ZERATHON_SOURCE_DIR "/tests/replays/";

std::string ReadFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    std::stringstream Text;
    Text << File.rdbuf();
    return Text.str();
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream Stream(Text);
    for (std::string Line; std::getline(Stream, Line);)
        Result.push_back(Line);
    return Result;
}

class TReplayTest : public TGameHarness {
  protected:
    // Replays NAME.input as recorded with --level Level in a fresh copy of the data, each displayed frame
    // taking StepMs (--step-ms), recording it again; its hash lines.
    std::vector<std::string> Replay(const std::string& Name, const std::string& Level, int StepMs,
                                    const TTempDir& Data) {
        Data.CopyIn(ZERATHON_SOURCE_DIR "/data");
        TCommandLine Options;
        Options.DataDir = Data.Dir();
        Options.StepMs = StepMs;
        Options.Headless = true;
        Options.NoRaster = true;
        Options.InputFile = ReplayDir + Name + ".input";
        Options.Level = Level;
        Options.StateHashEvery = HashEvery;
        Options.RecordFile = Data / "again.input";
        Frm = std::make_unique<TmainFrm>(Options);
        std::ostringstream Hashes;
        Frm->StateHashOutput = &Hashes;
        EXPECT_TRUE(Frm->FormCreate());
        while (!Frm->Closed() && Frm->GameFrames() < MaxFrames)
            Frm->RunOnce();
        EXPECT_TRUE(Frm->Closed()) << Name << " did not end";
        Frm->FormDestroy();
        EXPECT_EQ(ReadFile(Options.RecordFile), ReadFile(Options.InputFile))
            << "recorded again, " << Name << " differs";
        return Lines(Hashes.str());
    }

    static void Compare(const std::string& Name, const std::vector<std::string>& Replayed) {
        const std::string Path = ReplayDir + Name + ".hashes";
        if (std::getenv("ZERATHON_REHASH") != nullptr) {
            std::ofstream File(Path, std::ios::binary);
            for (const std::string& Line : Replayed)
                File << Line << "\n";
            ASSERT_TRUE(File.good()) << Path;
            return;
        }
        const std::vector<std::string> Expected = Lines(ReadFile(Path));
        ASSERT_FALSE(Expected.empty()) << Path << " is missing";
        for (size_t Index = 0; Index < Expected.size() && Index < Replayed.size(); ++Index)
            ASSERT_EQ(Replayed[Index], Expected[Index])
                << Name << " went another way: the first hash that differs is at line " << Index + 1;
        ASSERT_EQ(Replayed.size(), Expected.size()) << Name << " ended at another frame";
    }
};

// Also at 30 displayed frames a second: the training wave's clock and the ship's flight keep step.
TEST_F(TReplayTest, AWonCampaignMissionPlaysTheSameAtAnyDisplayRate) {
    for (int StepMs : {10, 33}) {
        SCOPED_TRACE(std::to_string(StepMs) + " ms a displayed frame");
        TTempDir Folder;
        Compare("level01-won", Replay("level01-won", "level01", StepMs, Folder));
        EXPECT_EQ(Profile.MissionDone[1], 1) << "the replay no longer wins the mission";
        Frm.reset();
        ResetGlobals();
    }
}

// The game runs the same game frames whatever the display shows: at about 59, 50 and 30 displayed frames
// a second the recorded endless game goes exactly as at 100, to the ship's destruction, its survival time,
// kills and high-score table, and recording it again gives the same file.
TEST_F(TReplayTest, AnEndlessGamePlaysTheSameToTheShipsDestructionAtEveryDisplayRate) {
    std::string Scores;
    for (int StepMs : {10, 17, 20, 33}) {
        SCOPED_TRACE(std::to_string(StepMs) + " ms a displayed frame");
        TTempDir Folder;
        Compare("ttd-destroyed", Replay("ttd-destroyed", "ttd", StepMs, Folder));
        ASSERT_NE(Game.Ship, nullptr);
        EXPECT_TRUE(Game.Ship->Destroyed) << "the ship survives the replay";
        // The game-over dialog's OK has put the result into the profile and the high-score tables.
        EXPECT_EQ(Profile.BestTime, 52090);
        EXPECT_EQ(Profile.BestKills, 16);
        const std::string Written = ReadFile(Folder / "Text/highscore.hsf");
        if (Scores.empty())
            Scores = Written;
        EXPECT_EQ(Written, Scores) << "a high-score table that differs from the one a game at 100 fps leaves";
        Frm.reset();
        ResetGlobals();
    }
}

} // namespace
