#include "menu/TProfileFiles.h"

#include "engine/TEngineListBox.h"
#include "missions/TProfile.h"
#include "runtime/TFile.h"
#include "runtime/TGameFolders.h"
#include "runtime/TIniFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TSaveFile.h"
#include "runtime/TSettings.h"
#include "runtime/TZlibStream.h"

#include <algorithm>
#include <set>

namespace {

const char* const Section = "Users";
// zlib's own default level, spelled out because the stream wrapper only takes 0..9.
constexpr int SaveLevel = 6;

constexpr size_t WeaponsOffset = 93;
constexpr size_t MissionsOffset = 101;

void PutInt(std::vector<uint8_t>& Bytes, size_t& Offset, int Value) {
    for (int I = 0; I < 4; ++I)
        Bytes[Offset + I] = static_cast<uint8_t>(static_cast<uint32_t>(Value) >> (8 * I));
    Offset += 4;
}

int GetInt(const std::vector<uint8_t>& Bytes, size_t& Offset) {
    const uint32_t Raw = uint32_t(Bytes[Offset]) | uint32_t(Bytes[Offset + 1]) << 8 |
                         uint32_t(Bytes[Offset + 2]) << 16 | uint32_t(Bytes[Offset + 3]) << 24;
    Offset += 4;
    return static_cast<int32_t>(Raw);
}

// A length above the capacity can only come from a damaged file; the name is cut rather than lost.
std::string GetName(const std::vector<uint8_t>& Bytes) {
    const size_t Length = std::min<size_t>(Bytes[0], TProfileFiles::NameCapacity);
    return std::string(reinterpret_cast<const char*>(&Bytes[1]), Length);
}

// A damaged Count must not send every screen through billions of empty entries: the list holds no
// more profiles than it has numbered keys.
int CountIn(const TIniFile& Settings) {
    const std::vector<std::string> Keys = Settings.ReadSectionKeys(Section);
    const auto Numbered = std::count_if(Keys.begin(), Keys.end(), [](const std::string& Key) {
        int Number = 0;
        return TIniFile::ParseInteger(Key, Number) && Number >= 1 && std::to_string(Number) == Key;
    });
    return std::clamp(Settings.ReadInteger(Section, "Count", 0), 0, static_cast<int>(Numbered));
}

// A name that stays inside Users: no folder, no drive, not the folder itself or its parent.
bool IsPlainFileName(const std::string& FileName) {
    return !FileName.empty() && FileName != "." && FileName != ".." &&
           FileName.find_first_of("/\\:") == std::string::npos;
}

// Values read from a damaged or edited file would otherwise divide by zero, turn hits into repairs or
// ask for billions of mines.
void BringIntoRange(TProfile& P) {
    for (int* Level : {&P.SpeedLevel, &P.SteerLevel, &P.ShieldLevel})
        *Level = std::clamp(*Level, 1, 3);
    P.Credits = std::max(P.Credits, 0);
    P.Mines = std::clamp(P.Mines, 0, 999);
}

bool WriteProfile(const TProfile& P, const std::string& Path) {
    // A fresh installation has no Users folder yet.
    TFile::MakeDirectory(TPath::Directory(Path));
    return TSaveFile::Packed(Path, TProfileFiles::Encode(P), SaveLevel);
}

} // namespace

std::string TProfileFiles::SettingsPath() {
    return Folders.SettingsFile();
}

std::string TProfileFiles::SavePathOf(const std::string& FileName) {
    return Folders.ProfileFile(FileName);
}

std::string TProfileFiles::NewSaveFileName() {
    for (int N = 0;; ++N) {
        const std::string FileName = "sav" + std::to_string(N) + ".sav";
        if (!TFile::Exists(SavePathOf(FileName)))
            return FileName;
    }
}

bool TProfileFiles::CreateProfile(const std::string& Name, bool MakeActive) {
    const std::string FileName = NewSaveFileName();
    TProfile Fresh;
    Fresh.Name = Name.substr(0, NameCapacity);
    // The file first, so that Settings.ini never lists a profile whose file could not be written.
    if (!WriteProfile(Fresh, SavePathOf(FileName)))
        return false;
    TIniFile Settings(SettingsPath());
    Settings.BeginUpdate();
    const int Count = CountIn(Settings) + 1;
    Settings.WriteInteger(Section, "Count", Count);
    Settings.WriteString(Section, std::to_string(Count), FileName);
    if (MakeActive)
        Settings.WriteString(Section, "Active", FileName);
    if (TSaveFile::Update(Settings))
        return true;
    // Unlisted, the file would be nobody's and only take the next new profile's name.
    TFile::Remove(SavePathOf(FileName));
    return false;
}

void TProfileFiles::LoadProfile(const std::string& FileName) {
    // An empty name only means that no profile is active yet: not worth a message.
    if (FileName.empty() || !IsUsable(FileName))
        return;
    const std::string Path = SavePathOf(FileName);
    if (!TFile::Exists(Path))
        return;
    std::vector<uint8_t> Bytes;
    TProfile Loaded = Profile;
    if (!TZlibStream::ReadFile(Path, Bytes) || !Decode(Bytes, Loaded)) {
        TSaveFile::KeepDamaged(Path, "Create a profile or choose another one: progress is kept only in a "
                                     "profile that can be saved.");
        return;
    }
    Loaded.SavePath = Path;
    Profile = Loaded;
    TIniFile Settings(SettingsPath());
    Settings.BeginUpdate();
    Settings.WriteString(Section, "Active", FileName);
    TSaveFile::Update(Settings);
}

bool TProfileFiles::SaveProfile() {
    // No file to write to is no save.
    if (!ProfileLoaded())
        return false;
    return WriteProfile(Profile, Profile.SavePath);
}

bool TProfileFiles::ProfileLoaded() {
    return !Profile.SavePath.empty();
}

bool TProfileFiles::IsUsable(const std::string& FileName) {
    if (IsPlainFileName(FileName))
        return true;
    // Every screen that lists the profiles reads the names again; one message per name is enough.
    static std::set<std::string> Reported;
    if (Reported.insert(Folders.UserDir + '\n' + FileName).second)
        TMessageBox::Show("Zerathon",
                          SettingsPath() + " names the profile file \"" + FileName +
                              "\", which is not a plain file name inside Users; it is ignored.",
                          true);
    return false;
}

bool TProfileFiles::StoredName(const std::string& FileName, std::string& Name) {
    if (!IsUsable(FileName))
        return false;
    std::vector<uint8_t> Bytes;
    if (!TZlibStream::ReadFile(SavePathOf(FileName), Bytes) || Bytes.size() < NameCapacity + 1)
        return false;
    Name = GetName(Bytes);
    return true;
}

std::string TProfileFiles::FileOfUser(const std::string& Name) {
    const TIniFile Settings(SettingsPath());
    const int Count = CountIn(Settings);
    for (int I = 1; I <= Count; ++I) {
        const std::string FileName = Settings.ReadString(Section, std::to_string(I), "");
        std::string Stored;
        if (StoredName(FileName, Stored) && Stored == Name)
            return FileName;
    }
    return "";
}

bool TProfileFiles::IsActiveFile(const std::string& FileName) {
    return ActiveFile() == FileName;
}

void TProfileFiles::DeleteProfile(const std::string& Name) {
    const std::string FileName = FileOfUser(Name);
    if (FileName.empty() || !TFile::Exists(SavePathOf(FileName)))
        return;
    TIniFile Settings(SettingsPath());
    Settings.BeginUpdate();
    const int Count = CountIn(Settings);
    bool Found = false;
    for (int I = 1; I <= Count; ++I) {
        const std::string Key = std::to_string(I);
        if (!Found && Settings.ReadString(Section, Key, "") == FileName)
            Found = true;
        if (!Found)
            continue;
        if (I < Count)
            Settings.WriteString(Section, Key, Settings.ReadString(Section, std::to_string(I + 1), ""));
        else
            Settings.DeleteKey(Section, Key);
    }
    if (!Found)
        return;
    Settings.WriteInteger(Section, "Count", Count - 1);
    // A profile still listed keeps its file.
    if (TSaveFile::Update(Settings))
        TFile::Remove(SavePathOf(FileName));
}

void TProfileFiles::FillProfileList(TEngineListBox& List) {
    List.ResetSelection();
    List.Clear();
    List.SetSorted(true);
    const TIniFile Settings(SettingsPath());
    const int Count = CountIn(Settings);
    for (int I = 1; I <= Count; ++I) {
        std::string Name;
        if (StoredName(Settings.ReadString(Section, std::to_string(I), ""), Name))
            List.Add(Name);
    }
}

std::string TProfileFiles::ActiveFile() {
    return TIniFile(SettingsPath()).ReadString(Section, "Active", "");
}

int TProfileFiles::ProfileCount() {
    return CountIn(TIniFile(SettingsPath()));
}

std::vector<uint8_t> TProfileFiles::Encode(const TProfile& P) {
    std::vector<uint8_t> Bytes(RecordSize, 0);
    const std::string Name = P.Name.substr(0, NameCapacity);
    Bytes[0] = static_cast<uint8_t>(Name.size());
    std::copy(Name.begin(), Name.end(), Bytes.begin() + 1);
    size_t Offset = NameCapacity + 1;
    for (int Value : {P.BindLeft, P.BindRight, P.BindSpeedUp, P.BindSpeedDwn, P.BindBoost, P.BindWpnUp,
                      P.BindWpnDn, P.BindWFire, P.BindPlantMine})
        PutInt(Bytes, Offset, Value);
    // The file keeps exit before the FPS toggle, the other way round from the record.
    PutInt(Bytes, Offset, P.BindExit);
    PutInt(Bytes, Offset, P.BindFPS);
    for (int Value : {P.BestTime, P.BestKills, P.SpeedLevel, P.SteerLevel, P.ShieldLevel, P.Credits, P.Mines})
        PutInt(Bytes, Offset, Value);
    for (size_t K = 0; K < 4; ++K) {
        Bytes[WeaponsOffset + 2 * K] = P.Owned[K];
        Bytes[WeaponsOffset + 2 * K + 1] = P.Charged[K];
    }
    for (size_t M = 1; M <= 20; ++M)
        Bytes[MissionsOffset + M - 1] = P.MissionDone[M];
    return Bytes;
}

bool TProfileFiles::Decode(const std::vector<uint8_t>& Bytes, TProfile& P) {
    if (Bytes.size() < RecordSize)
        return false;
    P.Name = GetName(Bytes);
    size_t Offset = NameCapacity + 1;
    for (int* Field : {&P.BindLeft, &P.BindRight, &P.BindSpeedUp, &P.BindSpeedDwn, &P.BindBoost, &P.BindWpnUp,
                       &P.BindWpnDn, &P.BindWFire, &P.BindPlantMine})
        *Field = GetInt(Bytes, Offset);
    P.BindExit = GetInt(Bytes, Offset);
    P.BindFPS = GetInt(Bytes, Offset);
    for (int* Field :
         {&P.BestTime, &P.BestKills, &P.SpeedLevel, &P.SteerLevel, &P.ShieldLevel, &P.Credits, &P.Mines})
        *Field = GetInt(Bytes, Offset);
    for (size_t K = 0; K < 4; ++K) {
        P.Owned[K] = Bytes[WeaponsOffset + 2 * K];
        P.Charged[K] = Bytes[WeaponsOffset + 2 * K + 1];
    }
    for (size_t M = 1; M <= 20; ++M)
        P.MissionDone[M] = Bytes[MissionsOffset + M - 1];
    BringIntoRange(P);
    return true;
}
