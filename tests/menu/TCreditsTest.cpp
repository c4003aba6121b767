#include "THeadlessEngine.h"

#include "menu/TCredits.h"

#include <gtest/gtest.h>

namespace {

// The credits on a full-size headless screen, the program folder in a temporary directory, the fake clock,
// and a "creditspanels" picture of sixteen 64 x 48 cells, cell 0 red and cell 15 green, half transparent.
class TCreditsTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        ::ProgramDir = Dir.Dir();
        std::filesystem::create_directories(Dir / "Text");
        TPicture Panels = SolidPicture(64, 768, 0x80000000u);
        for (int X = 0; X < 64 * 48; ++X) {
            Panels.Pixels[X] = 0x800000FFu;
            Panels.Pixels[64 * 720 + X] = 0x8000FF00u;
        }
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/panels.png", Panels));
        std::ofstream(Dir / "Graphic/Textures.ini")
            << "[Textures]\nCount=1\n[Texture0]\nName=creditspanels\nTexWidth=64\nTexHeight=768\n"
               "PtWidth=64\nPtHeight=48\nNeedMask=0\nImage=Graphic\\panels.png\n";
        TestEngine = std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                               Mouse, Keyboard, Fonts);
        TestEngine->OnWidgetClick = [this](const std::string& Action) { Clicks.push_back(Action); };
        GameText.cr_Graphics = "Graphics";
        GameText.cr_BETA = "Testing";
        GameText.cr_Made = "Made by";
    }
    TCredits Parsed(const std::string& Text) {
        TCredits Credits(*TestEngine);
        Credits.ParseCredits(Text);
        return Credits;
    }
    void Frame(TCredits& Credits, uint32_t Milliseconds = 11) {
        TestClock.Advance(Milliseconds);
        Mouse.Update();
        Keyboard.Update();
        Credits.Run();
    }
    // Kind, text and start of every item, one string.
    static std::string Listed(const TCredits& Credits) {
        std::string Out;
        for (const TCredit& Item : Credits.Items)
            Out += Item.Kind + ":" + Item.Text + "@" + std::to_string(Item.StartY) + " ";
        return Out;
    }

    std::vector<std::string> Clicks;
};

TEST_F(TCreditsTest, EachTagGivesItsKindTextAndSpace) {
    EXPECT_EQ(Listed(Parsed("<H>Grafika\n<n> Anna\n<W>Vyrobilo\n<s>x\n$KT\n$Tit\n<w>vyrobilo\r\n<n>End")),
              "H:Graphics@810 N: Anna@830 W:Made by@860 S:@910 img:kst@960 img:title@1170 W:vyrobilo@1220 "
              "N:End@1270 ");
}

TEST_F(TCreditsTest, HeadingsAreTranslatedOnlyOnAnExactWord) {
    EXPECT_EQ(Listed(Parsed("<h>BETATesting\n<h> Grafika\n<h>grafika\n<h>Open source\n")),
              "H:Testing@810 H: Grafika@830 H:grafika@850 H:Open source@870 ");
}

TEST_F(TCreditsTest, LinesWithoutAKnownTagAreEmptyAndTakeNoSpace) {
    EXPECT_EQ(Listed(Parsed("<n>A\n\nplain\n$ti\n<n\n<n>B\n")), "N:A@810 :@0 :@0 :@0 :@0 N:B@840 ");
}

TEST_F(TCreditsTest, TheFileMayBeUtf8AndAMissingOneGivesNothing) {
    std::ofstream(Dir / "Text/credits.txt") << "<n>\xC5\xBDilina\n";
    TCredits Credits(*TestEngine);
    Credits.LoadCredits();
    EXPECT_EQ(Listed(Credits), "N:\x8E"
                               "ilina@810 ");
    std::filesystem::remove(Dir / "Text/credits.txt");
    Credits.LoadCredits();
    EXPECT_TRUE(Credits.Items.empty());
    Frame(Credits);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(TCreditsTest, TheListRisesOnePixelAfterMoreThanTenMilliseconds) {
    TCredits Credits = Parsed("<n>A\n<n>B\n");
    Credits.LastStep = Now();
    Frame(Credits, 10);
    EXPECT_EQ(Credits.Items[1].Y, 840);
    Frame(Credits, 500);
    EXPECT_EQ(Credits.Items[1].Y, 839);
    for (int Step = 1; Step < 42; ++Step)
        Frame(Credits);
    EXPECT_EQ(Credits.Items[0].Y, 768);
    EXPECT_EQ(Credits.Items[0].StartY, 810);
}

TEST_F(TCreditsTest, TheListStartsAgainOnceTheLastItemIsAbove150) {
    TCredits Credits = Parsed("<n>A\n<h>B\n");
    for (int Step = 0; Step < 840 + 150; ++Step)
        Frame(Credits);
    EXPECT_EQ(Credits.Items[1].Y, -150);
    Frame(Credits);
    EXPECT_EQ(Credits.Items[0].Y, 810);
    EXPECT_EQ(Credits.Items[1].Y, 840);
}

TEST_F(TCreditsTest, TheMouseButtonOrEscapeGoesBack) {
    TCredits Credits = Parsed("<n>A\n");
    Frame(Credits);
    Input.MouseButton(0, true);
    Frame(Credits);
    Input.MouseButton(0, false);
    Input.KeyEvent(1, true);
    Frame(Credits);
    Frame(Credits);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"msCREDITS_OK", "msCREDITS_OK"}));
}

TEST_F(TCreditsTest, PanelsCoverTheEdgesOpaquely) {
    TCredits Credits(*TestEngine);
    Clear();
    Credits.Run();
    Canvas.Flush();
    TPicture Picture;
    ASSERT_TRUE(Device.ReadPixels(Picture));
    // Blended, the half-transparent cells would come out at half strength.
    EXPECT_EQ(Picture.At(63, 47) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(Picture.At(0, 720) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Picture.At(63, 767) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Picture.At(10, 48) & 0xFFFFFF, 0u);
}

} // namespace
