#include "runtime/RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TMessageBox.h"

#include <gtest/gtest.h>

// Windows answers the names of its devices in every folder: a profile or a settings file called NUL
// or CON is no file and is refused, with one message naming it however often it is asked for.
TEST(TSpecialFile, DeviceNamesAreRefusedWithOneMessage) {
    TTempDir Dir;
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    const std::string Device = Dir.File("NUL");
    for (int Attempt = 0; Attempt < 2; ++Attempt) {
        std::vector<uint8_t> Data;
        EXPECT_FALSE(TFile::ReadAll(Device, Data));
        EXPECT_FALSE(TFile::Exists(Device));
    }
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find(Device), std::string::npos) << Messages[0];
}
