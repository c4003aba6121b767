#pragma once

#include <array>
#include <string>
#include <vector>

// Every text the game shows, in the chosen language, in the game's single-byte encoding.
struct TText {
    static constexpr const char* Missing = "UNABLE TO LOAD STRING";

    std::string present;
    std::string loading;
    std::string press;
    std::string stage;
    std::string goodjob;
    std::string cr_Music;
    std::string cr_Production;
    std::string cr_Programming;
    std::string cr_Graphics;
    std::string cr_Sound;
    std::string cr_Story;
    std::string cr_BETA;
    std::string cr_Made;
    std::string gi_Help;
    std::string gi_DestroyAll;
    std::string gi_RemainEnemy;
    std::string gi_boost;
    std::string gi_GameOver;
    std::string gi_points;
    std::string gi_health;
    std::string gi_time;
    std::string gi_kills;
    std::string gi_OK;
    std::string gi_Cancel;
    std::string gi_AskToExit;
    std::string gi_ScreenshotSaved;
    std::string gi_ScreenshotFailed;
    std::string wpnSniper;
    std::string wpnMine;
    std::string wpnEMP;
    std::string wpnPhazer;
    std::string wpnLongBomb;
    std::string wpnHyperShield;
    std::string msNEWGAME_Chapter;
    std::string msNEWGAME_Cancel;
    std::string msNEWGAME_Campaign;
    std::string msNEWGAME_Kestrune;
    std::string msNEWGAME_KST_Speed;
    std::string msNEWGAME_KST_Steer;
    std::string msNEWGAME_KST_Shield;
    std::string msNEWGAME_KST_CampaignInfo;
    std::string msNEWGAME_KST_Caption;
    std::string msNEWGAME_Speed1;
    std::string msNEWGAME_Speed2;
    std::string msNEWGAME_Speed3;
    std::string msNEWGAME_Steer1;
    std::string msNEWGAME_Steer2;
    std::string msNEWGAME_Steer3;
    std::string msNEWGAME_Shield1;
    std::string msNEWGAME_Shield2;
    std::string msNEWGAME_Shield3;
    std::string msNEWGAME_KST_Play;
    std::string msNEWGAME_C_Repeat;
    std::string msNEWGAME_C_ChooseMission;
    std::string msNEWGAME_C_NextMission;
    std::string msNEWGAME_C_Weapons;
    std::string msNEWGAME_C_ShipBehaviour;
    std::string msNEWGAME_C_Speed;
    std::string msNEWGAME_C_Steer;
    std::string msNEWGAME_C_Shield;
    std::string msNEWGAME_C_Credits;
    std::string msNEWGAME_C_Upgrade;
    std::string msNEWGAME_C_Buy;
    std::string msNEWGAME_C_Charge;
    std::string msNEWGAME_C_NoMoney;
    // What each weapon does, shown when the pointer rests on it in the shop.
    std::string msNEWGAME_C_AboutEMP;
    std::string msNEWGAME_C_AboutPhazer;
    std::string msNEWGAME_C_AboutLongBomb;
    std::string msNEWGAME_C_AboutHyperShield;
    std::string msMAIN_NewGame;
    std::string msMAIN_SetProfile;
    std::string msMAIN_Settings;
    std::string msMAIN_HighScore;
    std::string msMAIN_Credits;
    std::string msMAIN_Exit;
    std::string msCREDITS_OK;
    std::string msHIGHSCORE_OK;
    std::string msHIGHSCORE_Time;
    std::string msHIGHSCORE_Death;
    std::string msSETTINGS_PlantMine;
    std::string msSETTINGS_Music;
    std::string msSETTINGS_Cancel;
    std::string msSETTINGS_Apply;
    std::string msSETTINGS_Antialiasing;
    std::string msSETTINGS_Dithering;
    std::string msSETTINGS_BitDepth16;
    std::string msSETTINGS_BitDepth32;
    std::string msSETTINGS_VSync;
    std::string msSETTINGS_Hardware;
    std::string msSETTINGS_HardwareInfo;
    std::string msSETTINGS_Double;
    std::string msSETTINGS_Triple;
    std::string msSETTINGS_SpeedUp;
    std::string msSETTINGS_SpeedDwn;
    std::string msSETTINGS_Boost;
    std::string msSETTINGS_BadKey;
    std::string msSETTINGS_Key;
    std::string msSETTINGS_Info;
    std::string msSETTINGS_VideoSettings;
    std::string msSETTINGS_ControlsSettings;
    std::string msSETTINGS_Left;
    std::string msSETTINGS_Right;
    std::string msSETTINGS_Steering;
    std::string msSETTINGS_WpnUp;
    std::string msSETTINGS_WpnDn;
    std::string msSETTINGS_WFire;
    std::string msSETTINGS_WFireInfo;
    std::string msSETTINGS_FPS;
    std::string msSETTINGS_Exit;
    std::string msSETPROFILE_Steering;
    std::string msSETPROFILE_Speed;
    std::string msSETPROFILE_DeathHighScore;
    std::string msSETPROFILE_TimeHighScore;
    std::string msSETPROFILE_CampProg;
    std::string msSETPROFILE_ActiveUser;
    std::string msSETPROFILE_CantDel;
    std::string msSETPROFILE_Wpns;
    std::string msSETPROFILE_Shield;
    std::string msSETPROFILE_NewUser;
    std::string msSETPROFILE_Load;
    std::string msSETPROFILE_Cancel;
    std::string msSETPROFILE_Create;
    std::string msSETPROFILE_Delete;
    std::string msFIRSTUSER_Create;
    std::string msFIRSTUSER_AskQuit;
    std::string msSETTINGS_Windowed;
    std::string msSETTINGS_Language;
    std::string msSETPROFILE_AskDel;
    std::string msSETPROFILE_DelActive;
    std::string statusNA;
    std::string statusDisCharge;
    std::string statusFullActive;
    std::array<std::string, 20> LevelText;
    std::array<std::string, 20> LevelCaption;
    std::array<std::string, 20> FirstLine;
    std::array<std::string, 20> SecondLine;

    // Reads a language file, replacing every field; whatever the file lacks reads as Missing. False
    // when the file could not be read at all, or holds none of the strings.
    bool Load(const std::string& FileName);
    // Reads Text/Language.lng of the program folder. When it cannot be read, says so in one message
    // naming the file and reads Text/English.lng instead, if that can be read.
    void LoadLanguage(const std::string& ProgramDir, const std::string& Language);

    struct TField {
        const char* Section;
        const char* Key;
        std::string TText::*Member;
        // What a file without the key shows: the English text for keys newer than some translations.
        const char* Default = Missing;
    };
    static const TField* Fields(int& Count);

    // A language file a player can choose: its file name without ".lng", and the name it calls itself by.
    struct TLanguage {
        std::string File;
        std::string Name;
        // Its key LanguageCode, an ISO 639 code such as "cs"; empty when it gives none.
        std::string Code;
    };
    // Every Text/*.lng of the program folder, by file name; each is shown under the name its key
    // LanguageName of section Application gives, or under its file name when it gives none.
    static std::vector<TLanguage> Languages(const std::string& ProgramDir);
    // A fresh installation's language: the file of the first of the system's preferred languages (ISO
    // codes, most wanted first) that a language file is written in, else English.
    static std::string FirstLanguage(const std::string& ProgramDir,
                                     const std::vector<std::string>& Preferred);
};

// The texts in the chosen language.
extern TText GameText;
