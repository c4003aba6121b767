#include "engine/TEngine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(TKeyNameTest, SpellingsOfTheTable) {
    const std::vector<std::pair<int, std::string>> Names = {
        {0, "#0"},           {84, "#84"},        {184, "#184"},     {228, "#228"},       {255, "#255"},
        {-1, "#-1"},         {1, "Escape"},      {2, "1"},          {10, "9"},           {11, "0"},
        {16, "Q"},           {25, "P"},          {30, "A"},         {38, "L"},           {44, "Z"},
        {50, "M"},           {43, "\\"},         {41, "`"},         {40, "\xB4"},        {57, "Space"},
        {59, "F1"},          {68, "F10"},        {87, "F11"},       {88, "F12"},         {71, "num7"},
        {73, "num9"},        {75, "num4"},       {77, "num6"},      {79, "num1"},        {81, "num3"},
        {82, "num 0"},       {83, "num ,"},      {74, "num -"},     {78, "num +"},       {69, "Num Lock"},
        {181, "Num /"},      {156, "num Enter"}, {200, "Arrow Up"}, {208, "Arrow Down"}, {221, "AppMenu key"},
        {227, "System Wake"}};
    for (const auto& [Code, Name] : Names)
        EXPECT_EQ(TEngine::KeyName(Code), Name) << Code;
}

TEST(TKeyNameTest, TheTableNames106DistinctCodes) {
    std::set<std::string> Names;
    int Named = 0;
    for (int Code = 0; Code < 256; ++Code) {
        const std::string Name = TEngine::KeyName(Code);
        if (Name != "#" + std::to_string(Code)) {
            ++Named;
            Names.insert(Name);
        }
    }
    EXPECT_EQ(Named, 106);
    EXPECT_EQ(Names.size(), 106u);
}

} // namespace
