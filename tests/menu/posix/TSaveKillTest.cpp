#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "menu/THighScores.h"
#include "menu/TProfileFiles.h"
#include "runtime/TIniFile.h"
#include "runtime/TSaveFile.h"
#include "runtime/TZlibStream.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A player's three save files, written over and over by a child process that is killed at random
// moments: whatever moment the kill comes, each file must still load, whole, as one of its versions.
// The child is a fork of the test, which Windows has no way to make; the saving code it proves is the
// same there but for the final replace, which its own test covers.
class TSaveKillTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UsePortableFolder(Dir.Dir());
        std::filesystem::create_directories(Dir / "Text");
        std::filesystem::create_directories(Dir / "Users");
        Profile = TProfile();
        Profile.Name = "Anna";
        Profile.SavePath = Dir / "Users/sav0.sav";
        ASSERT_TRUE(SaveAll(0));
    }
    void TearDown() override { Profile = TProfile(); }

    // Every key of the settings, the profile's credits and mines, and both tables carry Version.
    bool SaveAll(int Version) {
        TIniFile Settings(Dir / "Settings.ini");
        Settings.BeginUpdate();
        for (const char* Key : SettingsKeys)
            Settings.WriteInteger("Video", Key, Version);
        Profile.Credits = Profile.Mines = Version;
        THighScores::TTable Table = THighScores::DefaultTable();
        for (TScoreEntry& Entry : Table)
            Entry.Value = Version;
        return TSaveFile::Update(Settings) && TProfileFiles::SaveProfile() &&
               THighScores::WriteTables(Table, Table);
    }

    // Saves versions From, From + 1 ... for ever, one byte down the pipe after each round.
    [[noreturn]] void SaveUntilKilled(int Pipe, int From) {
        for (int Version = From;; ++Version) {
            SaveAll(Version);
            const char Done = 1;
            if (::write(Pipe, &Done, 1) != 1)
                ::_exit(1);
        }
    }

    // Kills a saver starting at version From after Rounds whole rounds and Spin more steps of its work.
    void KillSaverAfter(int From, int Rounds, int Spin) {
        int Pipe[2];
        ASSERT_EQ(::pipe(Pipe), 0);
        const pid_t Child = ::fork();
        ASSERT_GE(Child, 0);
        if (Child == 0) {
            ::close(Pipe[0]);
            SaveUntilKilled(Pipe[1], From);
        }
        ::close(Pipe[1]);
        char Done;
        for (int I = 0; I < Rounds; ++I)
            ASSERT_EQ(::read(Pipe[0], &Done, 1), 1);
        for (volatile int I = 0; I < Spin;)
            I = I + 1;
        ::kill(Child, SIGKILL);
        int Status = 0;
        ::waitpid(Child, &Status, 0);
        ::close(Pipe[0]);
    }

    // The version every value of the settings file holds, or -1 when they disagree or one is missing.
    int SettingsVersion() {
        TIniFile Settings(Dir / "Settings.ini");
        const int Version = Settings.ReadInteger("Video", SettingsKeys[0], -1);
        for (const char* Key : SettingsKeys)
            if (Settings.ReadInteger("Video", Key, -2) != Version)
                return -1;
        return Version;
    }

    int ProfileVersion() {
        std::vector<uint8_t> Bytes;
        TProfile Loaded;
        if (!TZlibStream::ReadFile(Profile.SavePath, Bytes) || !TProfileFiles::Decode(Bytes, Loaded))
            return -1;
        return Loaded.Credits == Loaded.Mines ? Loaded.Credits : -1;
    }

    int HighScoreVersion() {
        std::vector<uint8_t> Bytes;
        THighScores::TTable Times, Kills;
        if (!TZlibStream::ReadFile(THighScores::FilePath(), Bytes) ||
            !THighScores::Decode(Bytes, Times, Kills))
            return -1;
        for (const THighScores::TTable* Table : {&Times, &Kills})
            for (const TScoreEntry& Entry : *Table)
                if (Entry.Value != Times[0].Value)
                    return -1;
        return Times[0].Value;
    }

    static constexpr const char* SettingsKeys[] = {"Antialiasing", "Windowed", "BitDepth", "VSync",
                                                   "Buffers"};
    TTempDir Dir;
};

TEST_F(TSaveKillTest, EveryFileLoadsWholeWhereverTheKillComes) {
    std::mt19937 Random(20261208);
    int Last[3] = {0, 0, 0};
    for (int Kill = 0; Kill < 100; ++Kill) {
        KillSaverAfter(Last[0] + 1, Random() % 3, Random() % 400000);
        const int Versions[3] = {SettingsVersion(), ProfileVersion(), HighScoreVersion()};
        for (int File = 0; File < 3; ++File) {
            // -1 is a file that is damaged or holds parts of two versions.
            ASSERT_GE(Versions[File], Last[File]) << "file " << File << " after kill " << Kill;
            Last[File] = Versions[File];
        }
        // The files are written in this order, so no later one can be ahead of an earlier one.
        EXPECT_GE(Versions[0], Versions[1]) << "after kill " << Kill;
        EXPECT_GE(Versions[1], Versions[2]) << "after kill " << Kill;
    }
    // The kills did come while saves were being made, not only before the first one.
    EXPECT_GT(Last[2], 0);
}

} // namespace
