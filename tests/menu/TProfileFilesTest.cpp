#include "THeadlessEngine.h"

#include "engine/TEngineListBox.h"
#include "menu/TProfileFiles.h"
#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TZlibStream.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A fresh program folder per test, with the messages shown kept; THeadlessEngine also gives the list box
// an engine.
class TProfileFilesTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        UsePortableFolder(Dir.Dir());
        TMessageBox::Hook = [this](const std::string&, const std::string& Text, bool) {
            Messages.push_back(Text);
        };
    }
    void TearDown() override {
        TMessageBox::Hook = nullptr;
        THeadlessEngine::TearDown();
    }
    // The messages shown since the last call that mention Part.
    int MessagesAbout(const std::string& Part) {
        int Count = 0;
        for (const std::string& Text : Messages)
            Count += Text.find(Part) != std::string::npos;
        Messages.clear();
        return Count;
    }
    std::string User(const std::string& FileName) const { return Dir / ("Users/" + FileName); }
    std::string Key(const std::string& Name) const {
        return TIniFile(Dir / "Settings.ini").ReadString("Users", Name, "<none>");
    }
    std::string SettingsText() const {
        std::string Text;
        TFile::ReadText(Dir / "Settings.ini", Text);
        return Text;
    }
    // A directory where the temporary file goes stops any write of Path, even for root.
    void BlockWrites(const std::string& Path) { std::filesystem::create_directory(Path + ".tmp"); }
    void WriteProfileFile(const std::string& Path, const TProfile& P) {
        const std::vector<uint8_t> Record = TProfileFiles::Encode(P);
        TFile::MakeDirectory(TPath::Directory(Path));
        ASSERT_TRUE(TZlibStream::WriteFile(Path, Record.data(), Record.size(), 6)) << Path;
    }

    std::vector<std::string> Messages;
};

int IntAt(const std::vector<uint8_t>& Bytes, size_t At) {
    return static_cast<int32_t>(Bytes[At] | Bytes[At + 1] << 8 | Bytes[At + 2] << 16 |
                                uint32_t(Bytes[At + 3]) << 24);
}

// Every field different from a new profile's, and the two bindings the file swaps different from each other.
TProfile Played() {
    TProfile P;
    P.Name = "Boris";
    P.BindFPS = 59;
    P.BindExit = 25;
    P.BestTime = -7;
    P.Credits = 70000;
    P.Owned = {1, 0, 1, 0};
    P.Charged = {0, 1, 1, 0};
    P.MissionDone[1] = P.MissionDone[20] = 1;
    return P;
}

void ExpectSame(const TProfile& A, const TProfile& B) {
    EXPECT_EQ(TProfileFiles::Encode(A), TProfileFiles::Encode(B));
    EXPECT_EQ(A.Name, B.Name);
}

TEST_F(TProfileFilesTest, ProfilesAreListedInOrderAsSav0Sav1) {
    EXPECT_EQ(TProfileFiles::ProfileCount(), 0);
    TProfileFiles::CreateProfile("Anna", true);
    EXPECT_EQ(Key("Count"), "1");
    EXPECT_EQ(Key("1"), "sav0.sav");
    EXPECT_EQ(Key("Active"), "sav0.sav");
    TProfileFiles::CreateProfile("Boris", false);
    EXPECT_EQ(Key("2"), "sav1.sav");
    EXPECT_TRUE(TFile::Exists(User("sav1.sav")));
    EXPECT_TRUE(TProfileFiles::IsActiveFile("sav0.sav"));
    EXPECT_EQ(TProfileFiles::ProfileCount(), 2);
    EXPECT_EQ(Profile.Name, ""); // creating does not load
}

TEST_F(TProfileFilesTest, DeletingClosesUpTheKeysAndFreesTheFileName) {
    for (const char* Name : {"Anna", "Boris", "Cyril"})
        TProfileFiles::CreateProfile(Name, false);
    TProfileFiles::DeleteProfile("Boris");
    EXPECT_EQ(Key("Count"), "2");
    EXPECT_EQ(Key("2"), "sav2.sav");
    EXPECT_EQ(Key("3"), "<none>");
    EXPECT_FALSE(TFile::Exists(User("sav1.sav")));
    TProfileFiles::CreateProfile("Dana", false);
    EXPECT_EQ(Key("3"), "sav1.sav");
}

TEST_F(TProfileFilesTest, DeletingWithoutASaveFileChangesNothing) {
    TProfileFiles::CreateProfile("Anna", true);
    TProfileFiles::CreateProfile("Boris", false);
    const std::string Before = SettingsText();
    TProfileFiles::DeleteProfile("Nobody");
    ASSERT_TRUE(TFile::Remove(User("sav1.sav")));
    TProfileFiles::DeleteProfile("Boris");
    EXPECT_EQ(SettingsText(), Before);
}

TEST_F(TProfileFilesTest, FileOfUserIsCaseSensitiveAndTakesTheFirstMatch) {
    for (const char* Name : {"anna", "Anna", "Anna"})
        TProfileFiles::CreateProfile(Name, false);
    EXPECT_EQ(TProfileFiles::FileOfUser("Anna"), "sav1.sav");
    EXPECT_EQ(TProfileFiles::FileOfUser("ANNA"), "");
    TProfileFiles::DeleteProfile("Anna");
    EXPECT_EQ(TProfileFiles::FileOfUser("Anna"), "sav2.sav");
}

TEST_F(TProfileFilesTest, TheFileIsAZlibStreamOfTheRecordInItsOwnOrder) {
    TProfileFiles::CreateProfile("ABCDEFGHIJKLMNOPQRSTUVWXYZ", false);
    std::vector<uint8_t> Packed, Bytes;
    ASSERT_TRUE(TFile::ReadAll(User("sav0.sav"), Packed));
    EXPECT_EQ(Packed[1], 0x9C); // zlib's default level
    ASSERT_TRUE(TZlibStream::Decompress(Packed.data(), Packed.size(), Bytes));
    ASSERT_EQ(Bytes.size(), 121u);
    EXPECT_EQ(Bytes[0], 20);
    EXPECT_EQ(TProfileFiles::FileOfUser("ABCDEFGHIJKLMNOPQRST"), "sav0.sav");
    for (auto [At, Value] :
         std::vector<std::pair<size_t, int>>{{21, 203}, {53, 28}, {57, 1}, {61, 33}, {85, 1500}})
        EXPECT_EQ(IntAt(Bytes, At), Value) << At;

    Bytes = TProfileFiles::Encode(Played());
    EXPECT_EQ(IntAt(Bytes, 57), 25);
    EXPECT_EQ(IntAt(Bytes, 61), 59);
    EXPECT_EQ(IntAt(Bytes, 65), -7);
    EXPECT_EQ(std::vector<uint8_t>(Bytes.begin() + 93, Bytes.begin() + 101),
              (std::vector<uint8_t>{1, 0, 0, 1, 1, 1, 0, 0}));
    EXPECT_EQ(Bytes[101] + Bytes[120], 2);
}

TEST_F(TProfileFilesTest, ASavedProfileLoadsBackAndBecomesActive) {
    TProfileFiles::CreateProfile("Anna", true);
    TProfileFiles::CreateProfile("Boris", false);
    TProfileFiles::LoadProfile("sav1.sav");
    EXPECT_EQ(Profile.SavePath, User("sav1.sav"));
    EXPECT_EQ(Key("Active"), "sav1.sav");
    Profile = Played();
    Profile.SavePath = User("sav1.sav");
    TProfileFiles::SaveProfile();
    TProfileFiles::LoadProfile("sav0.sav");
    EXPECT_EQ(Profile.Name, "Anna");
    TProfileFiles::LoadProfile("sav1.sav");
    ExpectSame(Profile, Played());
}

TEST_F(TProfileFilesTest, MissingOrUnreadableFilesLeaveTheProfileAndAreKept) {
    TProfileFiles::CreateProfile("Anna", true);
    TProfileFiles::LoadProfile("sav0.sav");
    const TProfile Before = Profile;
    const std::vector<uint8_t> Record = TProfileFiles::Encode(Played());
    std::vector<uint8_t> Truncated = TZlibStream::Compress(Record.data(), Record.size(), 6);
    Truncated.resize(Truncated.size() - 4);
    const std::vector<std::vector<uint8_t>> Files = {
        {}, {'j', 'u', 'n', 'k'}, TZlibStream::Compress(Record.data(), 120, 6), Truncated};
    TProfileFiles::LoadProfile("sav9.sav");
    // Each damaged version is kept beside the ones before it.
    const char* const Copies[] = {"sav1.sav.bad", "sav1.sav.1.bad", "sav1.sav.2.bad", "sav1.sav.3.bad"};
    for (size_t I = 0; I < Files.size(); ++I) {
        ASSERT_TRUE(TFile::WriteAtomic(User("sav1.sav"), Files[I].data(), Files[I].size()));
        TProfileFiles::LoadProfile("sav1.sav");
        ExpectSame(Profile, Before);
        EXPECT_EQ(Profile.SavePath, User("sav0.sav"));
        EXPECT_EQ(Key("Active"), "sav0.sav");
        std::vector<uint8_t> Copy;
        ASSERT_TRUE(TFile::ReadAll(User(Copies[I]), Copy)) << Copies[I];
        EXPECT_EQ(Copy, Files[I]);
    }
    // The same damaged file met again is not copied again.
    TProfileFiles::LoadProfile("sav1.sav");
    EXPECT_FALSE(TFile::Exists(User("sav1.sav.4.bad")));
    // The player is told once, where the damaged file is kept.
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(MessagesAbout(User("sav1.sav.bad")), 1);
}

TEST_F(TProfileFilesTest, AHugeCountListsOnlyTheProfilesThere) {
    TProfileFiles::CreateProfile("Anna", true);
    TProfileFiles::CreateProfile("Boris", false);
    TIniFile(Dir / "Settings.ini").WriteInteger("Users", "Count", INT_MAX);
    ASSERT_EQ(TProfileFiles::ProfileCount(), 2);
    TEngineListBox List(*TestEngine, 60, 140, 350, 395, 0);
    TProfileFiles::FillProfileList(List);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_EQ(TProfileFiles::FileOfUser("Boris"), "sav1.sav");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TProfileFilesTest, AProfileNeverLoadedIsNeverSavedAndTheSaveFails) {
    Profile = Played();
    EXPECT_FALSE(TProfileFiles::SaveProfile());
    EXPECT_FALSE(std::filesystem::exists(Dir / "Users"));
}

TEST_F(TProfileFilesTest, TheListShowsTheStoredNamesSortedAndUnselected) {
    for (const char* Name : {"Cyril", "anna", "Boris"})
        TProfileFiles::CreateProfile(Name, false);
    TEngineListBox List(*TestEngine, 60, 140, 350, 395, 0);
    List.Add("stale");
    List.Select(0);
    TProfileFiles::FillProfileList(List);
    EXPECT_EQ(List.Selected(), -1);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.GetItem(0) + List.GetItem(1) + List.GetItem(2), "annaBorisCyril");
}

TEST_F(TProfileFilesTest, AFileInThePlaceOfUsersIsReportedAndNothingIsListed) {
    ASSERT_TRUE(TFile::WriteAtomic(Dir / "Users", "x", 1));
    EXPECT_FALSE(TProfileFiles::CreateProfile("Anna", true));
    EXPECT_EQ(MessagesAbout("sav0.sav"), 1);
    EXPECT_FALSE(TFile::Exists(Dir / "Settings.ini"));
    Profile.SavePath = User("sav0.sav");
    EXPECT_FALSE(TProfileFiles::SaveProfile());
    // The player already knows this file cannot be saved.
    EXPECT_EQ(MessagesAbout("sav0.sav"), 0);
}

TEST_F(TProfileFilesTest, EverySaveThatFailsIsReportedOnceAndKeepsTheOldFiles) {
    TProfileFiles::CreateProfile("Anna", true);
    TProfileFiles::CreateProfile("Boris", false);
    TProfileFiles::LoadProfile("sav0.sav");
    const std::string Settings = SettingsText();
    ASSERT_EQ(MessagesAbout(""), 0);

    BlockWrites(User("sav0.sav"));
    Profile.Credits = 99;
    EXPECT_FALSE(TProfileFiles::SaveProfile());
    EXPECT_EQ(MessagesAbout("sav0.sav"), 1);
    TProfileFiles::LoadProfile("sav0.sav");
    EXPECT_EQ(Profile.Credits, 1500);

    BlockWrites(Dir / "Settings.ini");
    EXPECT_FALSE(TProfileFiles::CreateProfile("Cyril", false));
    EXPECT_FALSE(TFile::Exists(User("sav2.sav")));
    TProfileFiles::DeleteProfile("Boris");
    EXPECT_TRUE(TFile::Exists(User("sav1.sav")));
    TProfileFiles::LoadProfile("sav1.sav");
    // Three saves of Settings.ini failed in a row: the player is told once.
    EXPECT_EQ(MessagesAbout("Settings.ini"), 1);
    EXPECT_EQ(SettingsText(), Settings);
}

TEST_F(TProfileFilesTest, FileNamesThatLeadOutOfUsersAreIgnoredWithOneMessageEach) {
    TProfile Stranger;
    Stranger.Name = "Stranger";
    const std::vector<std::string> Bad = {"..\\Levels\\level05.lvl", "sub/sav1.sav", "C:sav2.sav", ".."};
    WriteProfileFile(Dir / "Levels/level05.lvl", Stranger);
    WriteProfileFile(User("sub/sav1.sav"), Stranger);
    // Where "C:" names a drive the file cannot be made, and the name leads out of Users all the more.
    if (!std::filesystem::path("C:sav2.sav").has_root_name())
        WriteProfileFile(User("C:sav2.sav"), Stranger);
    TProfileFiles::CreateProfile("Anna", false);
    TIniFile Settings(Dir / "Settings.ini");
    Settings.WriteInteger("Users", "Count", 6);
    for (size_t I = 0; I < Bad.size(); ++I)
        Settings.WriteString("Users", std::to_string(I + 2), Bad[I]);
    Settings.WriteString("Users", "Active", Bad[0]);

    TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
    EXPECT_EQ(Profile.Name, "");
    EXPECT_EQ(MessagesAbout(Bad[0]), 1);
    TEngineListBox List(*TestEngine, 60, 140, 350, 395, 0);
    for (int Pass = 0; Pass < 2; ++Pass) {
        TProfileFiles::FillProfileList(List);
        ASSERT_EQ(List.Count(), 1);
        EXPECT_EQ(List.GetItem(0), "Anna");
        EXPECT_EQ(TProfileFiles::FileOfUser("Stranger"), "");
    }
    // The other three names; the active one has had its message, and key 6 is beyond the keys there.
    EXPECT_EQ(MessagesAbout("not a plain file name"), 3);

    Profile.SavePath.clear();
    TProfileFiles::SaveProfile();
    TProfile Kept;
    std::vector<uint8_t> Bytes;
    ASSERT_TRUE(TZlibStream::ReadFile(Dir / "Levels/level05.lvl", Bytes));
    ASSERT_TRUE(TProfileFiles::Decode(Bytes, Kept));
    EXPECT_EQ(Kept.Name, "Stranger");
}

TEST_F(TProfileFilesTest, ValuesReadFromAFileAreBroughtIntoRange) {
    struct TCase {
        int TProfile::*Field;
        int Stored, Read;
    };
    const TCase Cases[] = {
        {&TProfile::SpeedLevel, 0, 1},
        {&TProfile::SpeedLevel, 4, 3},
        {&TProfile::SpeedLevel, 2, 2},
        {&TProfile::SteerLevel, 361, 3},
        {&TProfile::SteerLevel, -1, 1},
        {&TProfile::SteerLevel, 3, 3},
        {&TProfile::ShieldLevel, 0, 1},
        {&TProfile::ShieldLevel, INT_MIN, 1},
        {&TProfile::ShieldLevel, INT_MAX, 3},
        {&TProfile::ShieldLevel, 1, 1},
        {&TProfile::Credits, -1, 0},
        {&TProfile::Credits, 0, 0},
        {&TProfile::Credits, INT_MAX, INT_MAX},
        {&TProfile::Mines, -1, 0},
        {&TProfile::Mines, 0, 0},
        {&TProfile::Mines, 999, 999},
        {&TProfile::Mines, 1000, 999},
        {&TProfile::Mines, INT_MAX, 999},
    };
    for (const TCase& Case : Cases) {
        TProfile Stored, Read;
        Stored.*Case.Field = Case.Stored;
        ASSERT_TRUE(TProfileFiles::Decode(TProfileFiles::Encode(Stored), Read));
        EXPECT_EQ(Read.*Case.Field, Case.Read) << Case.Stored;
    }
}

} // namespace
