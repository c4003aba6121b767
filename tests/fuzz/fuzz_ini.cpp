// libFuzzer harness: INI parsing and in-memory writing, integer parsing and the Windows-1250 text
// conversions (language files go through both).
#include <cstdlib>
#include <string>

#include "runtime/TIniFile.h"
#include "runtime/TWin1250.h"

namespace {

void Check(bool Condition) {
    if (!Condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    TIniFile Ini = TIniFile::FromText(Text);
    Check(Ini.Text() == Text); // loading keeps every byte
    for (const std::string& Section : Ini.ReadSections()) {
        Check(Ini.SectionExists(Section));
        for (const std::string& Key : Ini.ReadSectionKeys(Section)) {
            Check(Ini.ValueExists(Section, Key));
            Check(Ini.ReadString(Section, Key, "").size() <= TIniFile::MaxValueLength);
            Ini.ReadInteger(Section, Key, 0);
            Ini.ReadFloat(Section, Key, 0.0);
        }
    }
    int Value = 0;
    TIniFile::ParseInteger(Text.substr(0, 64), Value);

    // With no file name, writes only change the lines in memory.
    Check(Ini.WriteString("Fuzz", "Key", "Value"));
    Check(Ini.ReadString("fuzz", "KEY", "") == "Value");
    Check(Ini.WriteInteger("Users", "Count", -5));
    Check(Ini.ReadInteger("Users", "Count", 0) == -5);
    TIniFile Reloaded = TIniFile::FromText(Ini.Text());
    Check(Reloaded.ReadString("Fuzz", "Key", "") == "Value");
    Check(Reloaded.ReadInteger("users", "count", 0) == -5);
    Check(Ini.DeleteKey("Fuzz", "Key"));
    Check(Ini.EraseSection("Users"));

    const std::string Utf8 = TWin1250::ToUtf8(Text);
    Check(TWin1250::IsValidUtf8(Utf8));
    const std::string Back = TWin1250::FromUtf8(Utf8);
    std::string Expected;
    for (char C : Text) {
        unsigned char B = static_cast<unsigned char>(C);
        if (B != 0x81 && B != 0x83 && B != 0x88 && B != 0x90 && B != 0x98) {
            Expected += C;
        }
    }
    Check(Back == Expected);
    TWin1250::FromFileText(Text);
    return 0;
}
