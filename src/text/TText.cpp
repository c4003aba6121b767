#include "text/TText.h"

#include "runtime/TAscii.h"
#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"
#include "runtime/TIniFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TWin1250.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

const TText::TField* TText::Fields(int& Count) {
    static const TField Table[] = {
        {"Application", "present", &TText::present},
        {"Application", "loading", &TText::loading},
        {"Application", "press", &TText::press},
        {"Application", "stage", &TText::stage},
        {"Application", "goodjob", &TText::goodjob},
        {"Credits", "cr_Music", &TText::cr_Music},
        {"Credits", "cr_Production", &TText::cr_Production},
        {"Credits", "cr_Programming", &TText::cr_Programming},
        {"Credits", "cr_Graphics", &TText::cr_Graphics},
        {"Credits", "cr_Sound", &TText::cr_Sound},
        {"Credits", "cr_Story", &TText::cr_Story},
        {"Credits", "cr_BETA", &TText::cr_BETA},
        {"Credits", "cr_Made", &TText::cr_Made},
        {"GameInterface", "gi_Help", &TText::gi_Help},
        {"GameInterface", "gi_DestroyAll", &TText::gi_DestroyAll},
        {"GameInterface", "gi_RemainEnemy", &TText::gi_RemainEnemy},
        {"GameInterface", "gi_boost", &TText::gi_boost},
        {"GameInterface", "gi_GameOver", &TText::gi_GameOver},
        {"GameInterface", "gi_points", &TText::gi_points},
        {"GameInterface", "gi_health", &TText::gi_health},
        {"GameInterface", "gi_time", &TText::gi_time},
        {"GameInterface", "gi_kills", &TText::gi_kills},
        {"GameInterface", "gi_OK", &TText::gi_OK},
        {"GameInterface", "gi_Cancel", &TText::gi_Cancel},
        {"GameInterface", "gi_AskToExit", &TText::gi_AskToExit},
        {"GameInterface", "gi_ScreenshotSaved", &TText::gi_ScreenshotSaved, "Screenshot saved:"},
        {"GameInterface", "gi_ScreenshotFailed", &TText::gi_ScreenshotFailed,
         "The screenshot could not be saved:"},
        {"Weapons", "wpnSniper", &TText::wpnSniper},
        {"Weapons", "wpnMine", &TText::wpnMine},
        {"Weapons", "wpnEMP", &TText::wpnEMP},
        {"Weapons", "wpnPhazer", &TText::wpnPhazer},
        {"Weapons", "wpnLongBomb", &TText::wpnLongBomb},
        {"Weapons", "wpnHyperShield", &TText::wpnHyperShield},
        {"NewGame", "msNEWGAME_Chapter", &TText::msNEWGAME_Chapter},
        {"NewGame", "msNEWGAME_Cancel", &TText::msNEWGAME_Cancel},
        {"NewGame", "msNEWGAME_Campaign", &TText::msNEWGAME_Campaign},
        {"NewGame", "msNEWGAME_Kestrune", &TText::msNEWGAME_Kestrune},
        {"NewGame", "msNEWGAME_KST_Speed", &TText::msNEWGAME_KST_Speed},
        {"NewGame", "msNEWGAME_KST_Steer", &TText::msNEWGAME_KST_Steer},
        {"NewGame", "msNEWGAME_KST_Shield", &TText::msNEWGAME_KST_Shield},
        {"NewGame", "msNEWGAME_KST_CampaignInfo", &TText::msNEWGAME_KST_CampaignInfo},
        {"NewGame", "msNEWGAME_KST_Caption", &TText::msNEWGAME_KST_Caption},
        {"NewGame", "msNEWGAME_Speed1", &TText::msNEWGAME_Speed1},
        {"NewGame", "msNEWGAME_Speed2", &TText::msNEWGAME_Speed2},
        {"NewGame", "msNEWGAME_Speed3", &TText::msNEWGAME_Speed3},
        {"NewGame", "msNEWGAME_Steer1", &TText::msNEWGAME_Steer1},
        {"NewGame", "msNEWGAME_Steer2", &TText::msNEWGAME_Steer2},
        {"NewGame", "msNEWGAME_Steer3", &TText::msNEWGAME_Steer3},
        {"NewGame", "msNEWGAME_Shield1", &TText::msNEWGAME_Shield1},
        {"NewGame", "msNEWGAME_Shield2", &TText::msNEWGAME_Shield2},
        {"NewGame", "msNEWGAME_Shield3", &TText::msNEWGAME_Shield3},
        {"NewGame", "msNEWGAME_KST_Play", &TText::msNEWGAME_KST_Play},
        {"NewGame", "msNEWGAME_C_Repeat", &TText::msNEWGAME_C_Repeat},
        {"NewGame", "msNEWGAME_C_ChooseMission", &TText::msNEWGAME_C_ChooseMission},
        {"NewGame", "msNEWGAME_C_NextMission", &TText::msNEWGAME_C_NextMission},
        {"NewGame", "msNEWGAME_C_Weapons", &TText::msNEWGAME_C_Weapons},
        {"NewGame", "msNEWGAME_C_ShipBehaviour", &TText::msNEWGAME_C_ShipBehaviour},
        {"NewGame", "msNEWGAME_C_Speed", &TText::msNEWGAME_C_Speed},
        {"NewGame", "msNEWGAME_C_Steer", &TText::msNEWGAME_C_Steer},
        {"NewGame", "msNEWGAME_C_Shield", &TText::msNEWGAME_C_Shield},
        {"NewGame", "msNEWGAME_C_Credits", &TText::msNEWGAME_C_Credits},
        {"NewGame", "msNEWGAME_C_Upgrade", &TText::msNEWGAME_C_Upgrade},
        {"NewGame", "msNEWGAME_C_Buy", &TText::msNEWGAME_C_Buy},
        {"NewGame", "msNEWGAME_C_Charge", &TText::msNEWGAME_C_Charge},
        {"NewGame", "msNEWGAME_C_NoMoney", &TText::msNEWGAME_C_NoMoney},
        {"NewGame", "msNEWGAME_C_AboutEMP", &TText::msNEWGAME_C_AboutEMP,
         "A shock wave spreads around the ship for two seconds and destroys the rockets it reaches."},
        {"NewGame", "msNEWGAME_C_AboutPhazer", &TText::msNEWGAME_C_AboutPhazer,
         "A beam in front of the ship for fifteen seconds: every rocket it touches is destroyed."},
        {"NewGame", "msNEWGAME_C_AboutLongBomb", &TText::msNEWGAME_C_AboutLongBomb,
         "Flies ahead while you hold the fire key and explodes in a wide blast when you let go."},
        {"NewGame", "msNEWGAME_C_AboutHyperShield", &TText::msNEWGAME_C_AboutHyperShield,
         "Shields the ship for fifteen seconds and destroys the rockets that run into it."},
        {"Menu", "msMAIN_NewGame", &TText::msMAIN_NewGame},
        {"Menu", "msMAIN_SetProfile", &TText::msMAIN_SetProfile},
        {"Menu", "msMAIN_Settings", &TText::msMAIN_Settings},
        {"Menu", "msMAIN_HighScore", &TText::msMAIN_HighScore},
        {"Menu", "msMAIN_Credits", &TText::msMAIN_Credits},
        {"Menu", "msMAIN_Exit", &TText::msMAIN_Exit},
        {"Menu", "msCREDITS_OK", &TText::msCREDITS_OK},
        {"Menu", "msHIGHSCORE_OK", &TText::msHIGHSCORE_OK},
        {"Menu", "msHIGHSCORE_Time", &TText::msHIGHSCORE_Time},
        {"Menu", "msHIGHSCORE_Death", &TText::msHIGHSCORE_Death},
        {"Menu", "msSETTINGS_PlantMine", &TText::msSETTINGS_PlantMine},
        {"Menu", "msSETTINGS_Music", &TText::msSETTINGS_Music},
        {"Menu", "msSETTINGS_Cancel", &TText::msSETTINGS_Cancel},
        {"Menu", "msSETTINGS_Apply", &TText::msSETTINGS_Apply},
        {"Menu", "msSETTINGS_Antialiasing", &TText::msSETTINGS_Antialiasing},
        {"Menu", "msSETTINGS_Dithering", &TText::msSETTINGS_Dithering},
        {"Menu", "msSETTINGS_BitDepth16", &TText::msSETTINGS_BitDepth16},
        {"Menu", "msSETTINGS_BitDepth32", &TText::msSETTINGS_BitDepth32},
        {"Menu", "msSETTINGS_VSync", &TText::msSETTINGS_VSync},
        {"Menu", "msSETTINGS_Hardware", &TText::msSETTINGS_Hardware},
        {"Menu", "msSETTINGS_HardwareInfo", &TText::msSETTINGS_HardwareInfo},
        {"Menu", "msSETTINGS_Double", &TText::msSETTINGS_Double},
        {"Menu", "msSETTINGS_Triple", &TText::msSETTINGS_Triple},
        {"Menu", "msSETTINGS_SpeedUp", &TText::msSETTINGS_SpeedUp},
        {"Menu", "msSETTINGS_SpeedDwn", &TText::msSETTINGS_SpeedDwn},
        {"Menu", "msSETTINGS_Boost", &TText::msSETTINGS_Boost},
        {"Menu", "msSETTINGS_BadKey", &TText::msSETTINGS_BadKey},
        {"Menu", "msSETTINGS_Key", &TText::msSETTINGS_Key},
        {"Menu", "msSETTINGS_Info", &TText::msSETTINGS_Info},
        {"Menu", "msSETTINGS_VideoSettings", &TText::msSETTINGS_VideoSettings},
        {"Menu", "msSETTINGS_ControlsSettings", &TText::msSETTINGS_ControlsSettings},
        {"Menu", "msSETTINGS_Left", &TText::msSETTINGS_Left},
        {"Menu", "msSETTINGS_Right", &TText::msSETTINGS_Right},
        {"Menu", "msSETTINGS_Steering", &TText::msSETTINGS_Steering},
        {"Menu", "msSETTINGS_WpnUp", &TText::msSETTINGS_WpnUp},
        {"Menu", "msSETTINGS_WpnDn", &TText::msSETTINGS_WpnDn},
        {"Menu", "msSETTINGS_WFire", &TText::msSETTINGS_WFire},
        {"Menu", "msSETTINGS_WFireInfo", &TText::msSETTINGS_WFireInfo},
        {"Menu", "msSETTINGS_FPS", &TText::msSETTINGS_FPS},
        {"Menu", "msSETTINGS_Exit", &TText::msSETTINGS_Exit},
        {"Menu", "msSETPROFILE_Steering", &TText::msSETPROFILE_Steering},
        {"Menu", "msSETPROFILE_Speed", &TText::msSETPROFILE_Speed},
        {"Menu", "msSETPROFILE_DeathHighScore", &TText::msSETPROFILE_DeathHighScore},
        {"Menu", "msSETPROFILE_TimeHighScore", &TText::msSETPROFILE_TimeHighScore},
        {"Menu", "msSETPROFILE_CampProg", &TText::msSETPROFILE_CampProg},
        {"Menu", "msSETPROFILE_ActiveUser", &TText::msSETPROFILE_ActiveUser},
        {"Menu", "msSETPROFILE_CantDel", &TText::msSETPROFILE_CantDel},
        {"Menu", "msSETPROFILE_Wpns", &TText::msSETPROFILE_Wpns},
        {"Menu", "msSETPROFILE_Shield", &TText::msSETPROFILE_Shield},
        {"Menu", "msSETPROFILE_NewUser", &TText::msSETPROFILE_NewUser},
        {"Menu", "msSETPROFILE_Load", &TText::msSETPROFILE_Load},
        {"Menu", "msSETPROFILE_Cancel", &TText::msSETPROFILE_Cancel},
        {"Menu", "msSETPROFILE_Create", &TText::msSETPROFILE_Create},
        {"Menu", "msSETPROFILE_Delete", &TText::msSETPROFILE_Delete},
        {"Menu", "msFIRSTUSER_Create", &TText::msFIRSTUSER_Create},
        {"Menu", "msFIRSTUSER_AskQuit", &TText::msFIRSTUSER_AskQuit, "Do you want to quit the game?"},
        {"Menu", "msSETTINGS_Windowed", &TText::msSETTINGS_Windowed, "Windowed"},
        {"Menu", "msSETTINGS_Language", &TText::msSETTINGS_Language, "Language"},
        {"Menu", "msSETPROFILE_AskDel", &TText::msSETPROFILE_AskDel, "Delete this player's profile?"},
        {"Menu", "msSETPROFILE_DelActive", &TText::msSETPROFILE_DelActive,
         "This is the active profile. Load another one before deleting it."},
        {"Weapons", "statusNA", &TText::statusNA},
        {"Weapons", "statusDisCharge", &TText::statusDisCharge},
        {"Weapons", "statusFullActive", &TText::statusFullActive},
    };
    Count = static_cast<int>(std::size(Table));
    return Table;
}

namespace {

// Translators may save as Windows-1250 or as UTF-8; both become the game's encoding. Empty when the file
// cannot be read.
TIniFile ReadLanguageFile(const std::string& FileName, bool& FileRead) {
    std::string Raw;
    FileRead = TFile::ReadText(FileName, Raw);
    if (!FileRead)
        Raw.clear();
    return TIniFile::FromText(TWin1250::FromFileText(Raw), FileName);
}

} // namespace

bool TText::Load(const std::string& FileName) {
    bool FileRead = false;
    const TIniFile File = ReadLanguageFile(FileName, FileRead);
    auto Read = [&](const char* Section, const std::string& Key) {
        return File.ReadString(Section, Key, Missing);
    };
    int Count = 0;
    const TField* Table = Fields(Count);
    int Found = 0;
    for (int I = 0; I < Count; ++I) {
        this->*Table[I].Member = File.ReadString(Table[I].Section, Table[I].Key, Table[I].Default);
        Found += File.ValueExists(Table[I].Section, Table[I].Key);
    }
    for (int I = 0; I < 20; ++I) {
        const std::string Key = std::to_string(I);
        LevelText[I] = Read("LevelText", Key);
        LevelCaption[I] = Read("LevelCaption", Key);
        FirstLine[I] = Read("FirstLine", Key);
        SecondLine[I] = Read("SecondLine", Key);
    }
    // A file that holds none of the strings is no language file (junk, or another kind of file under
    // the name): the game does better in English. A translation still missing some is one.
    return FileRead && Found > 0;
}

void TText::LoadLanguage(const std::string& ProgramDir, const std::string& Language) {
    const std::string Path = TPath::Join(ProgramDir, "Text\\" + Language + ".lng");
    if (Load(Path))
        return;
    // Without a word of explanation the player would see the placeholder on every button.
    const std::string English = TPath::Join(ProgramDir, "Text\\English.lng");
    const bool InEnglish = Path != English && Load(English);
    TMessageBox::Show(
        "Zerathon",
        "The language file " + Path + " cannot be read or holds no text; " +
            (InEnglish ? "the game shows its texts in English." : "the game has no texts to show."),
        true);
}

std::string TText::FirstLanguage(const std::string& ProgramDir, const std::vector<std::string>& Preferred) {
    const std::vector<TLanguage> Offered = Languages(ProgramDir);
    for (const std::string& Wanted : Preferred)
        for (const TLanguage& Language : Offered)
            if (!Language.Code.empty() && TAscii::SameName(Language.Code, Wanted))
                return Language.File;
    return "English";
}

std::vector<TText::TLanguage> TText::Languages(const std::string& ProgramDir) {
    std::vector<TLanguage> Found;
    std::error_code Error;
    for (const auto& Entry :
         std::filesystem::directory_iterator(TFileSystem::Native(TPath::Join(ProgramDir, "Text")), Error)) {
        const std::string Path = TFileSystem::Utf8(Entry.path());
        if (!Entry.is_regular_file(Error) || TPath::Extension(Path) != ".lng")
            continue;
        bool FileRead = false;
        const TIniFile File = ReadLanguageFile(Path, FileRead);
        const std::string Stem = TFileSystem::Utf8(Entry.path().stem());
        // A language without a name of its own is offered under its file's, never as an empty button.
        const std::string Name = File.ReadString("Application", "LanguageName", "");
        if (FileRead)
            Found.push_back(
                {Stem, Name.empty() ? Stem : Name, File.ReadString("Application", "LanguageCode", "")});
    }
    std::sort(Found.begin(), Found.end(),
              [](const TLanguage& A, const TLanguage& B) { return A.File < B.File; });
    return Found;
}
