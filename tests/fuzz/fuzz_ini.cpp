// libFuzzer harness: INI parsing and in-memory writing, integer parsing and the Windows-1250 text
// conversions (language files go through both). Everything stays in memory.
#include "FuzzSupport.h"
#include "runtime/TIniFile.h"
#include "runtime/TWin1250.h"

namespace {

// Reading every key of a long input would spend the fuzzer's time on repeats of one lookup: the first
// keys of the first sections are read, and only the first is read as every type (the lookup is the
// same; only the reading of the value differs).
void ReadSome(const TIniFile& Ini) {
    constexpr size_t MaxSections = 2, MaxKeys = 2;
    const std::vector<std::string> Sections = Ini.ReadSections();
    for (size_t S = 0; S < Sections.size() && S < MaxSections; ++S) {
        const std::vector<std::string> Keys = Ini.ReadSectionKeys(Sections[S]);
        for (size_t K = 0; K < Keys.size() && K < MaxKeys; ++K)
            Check(Ini.ReadString(Sections[S], Keys[K], "").size() <= TIniFile::MaxValueLength);
        if (!Keys.empty()) {
            Ini.ReadInteger(Sections[S], Keys[0], 0);
            Ini.ReadFloat(Sections[S], Keys[0], 0.0);
        }
    }
}

// With no file name, writes only change the lines in memory.
void WriteAndReload(TIniFile& Ini) {
    Check(Ini.WriteString("Fuzz", "Key", "Value"));
    Check(Ini.ReadString("fuzz", "KEY", "") == "Value");
    Check(Ini.WriteInteger("Users", "Count", -5));
    Check(Ini.ReadInteger("Users", "Count", 0) == -5);
    const TIniFile Reloaded = TIniFile::FromText(Ini.Text());
    Check(Reloaded.ReadString("Fuzz", "Key", "") == "Value");
    Check(Reloaded.ReadInteger("users", "count", 0) == -5);
    Check(Ini.DeleteKey("Fuzz", "Key"));
    Check(Ini.EraseSection("Users"));
}

// Windows-1250 to UTF-8 and back loses only the five bytes that have no character.
void CheckWin1250(const std::string& Text) {
    const std::string Utf8 = TWin1250::ToUtf8(Text);
    Check(TWin1250::IsValidUtf8(Utf8));
    std::string Expected;
    for (char C : Text) {
        const unsigned char B = static_cast<unsigned char>(C);
        if (B != 0x81 && B != 0x83 && B != 0x88 && B != 0x90 && B != 0x98) {
            Expected += C;
        }
    }
    Check(TWin1250::FromUtf8(Utf8) == Expected);
    TWin1250::FromFileText(Text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Text = AsText(Data, Size);
    TIniFile Ini = TIniFile::FromText(Text);
    Check(Ini.Text() == Text); // loading keeps every byte
    ReadSome(Ini);
    int Value = 0;
    TIniFile::ParseInteger(Text.substr(0, 64), Value);
    WriteAndReload(Ini);
    // The conversion keeps no state beyond one character, so the start of the input tries all it can;
    // its table lookups cost a third of the run at 256 bytes.
    CheckWin1250(Text.substr(0, 64));
    return 0;
}
