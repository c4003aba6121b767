#include "THeadlessDevice.h"

#include "engine/TEngine.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPngEncoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class TEngineTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 256;
        THeadlessDevice::SetUp();
        std::filesystem::create_directories(Dir / "Graphic");
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/red.png", SolidPicture(33, 10, 0xFF0000FFu)));
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/green.png", SolidPicture(8, 8, 0xFF00FF00u)));
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/curArrow.png", SolidPicture(32, 32, 0xFFFFFFFFu)));
        ASSERT_TRUE(Mouse.Initialize());
        ASSERT_TRUE(Keyboard.Initialize());
        Clear();
    }

    void WriteList(const std::string& Text) { std::ofstream(Dir / "Graphic/Textures.ini") << Text; }

    std::unique_ptr<TEngine> MakeEngine() {
        return std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                         Mouse, Keyboard, Fonts);
    }

    static std::string Entry(int N, const std::string& Name, const std::string& File, int Width, int Height) {
        return "[Texture" + std::to_string(N) + "]\nName=" + Name + "\nTexWidth=" + std::to_string(Width) +
               "\nTexHeight=" + std::to_string(Height) + "\nPtWidth=" + std::to_string(Width) +
               "\nPtHeight=" + std::to_string(Height) + "\nNeedMask=0\nImage=" + File + "\n";
    }

    TTempDir Dir;
    TFakeClock Clock;
    TInputState Input;
    TVelaTimer Timer{Clock};
    TVelaCanvas Canvas{Device};
    TVelaMouse Mouse{Input};
    TVelaKeyboard Keyboard{Input};
    TVelaFontsAlt Fonts{Device};
};

TEST_F(TEngineTest, LastEntryOfANameWinsAndUnknownNamesGetTheFirst) {
    WriteList("[Textures]\nCount=3\n" + Entry(0, "first", "Graphic\\red.png", 33, 10) +
              Entry(1, "twin", "Graphic\\red.png", 33, 10) + Entry(2, "twin", "Graphic\\green.png", 8, 8));
    auto Engine = MakeEngine();
    ASSERT_EQ(Engine->TextureCount(), 3);
    EXPECT_EQ(Engine->GetTexture("twin")->PatternSize().x, 8);
    EXPECT_EQ(Engine->FindTexture("twin")->Image.get(), Engine->GetTexture("twin"));
    EXPECT_EQ(Engine->GetTexture("nothing"), Engine->GetTexture("first"));
    EXPECT_EQ(Engine->GetTexture("TWIN"), Engine->GetTexture("first")); // names match with case
}

TEST_F(TEngineTest, EmptyTableGivesNoImageAndDrawingItDrawsNothing) {
    WriteList("[Textures]\nCount=0\n");
    auto Engine = MakeEngine();
    EXPECT_EQ(Engine->GetTexture("ship"), nullptr);
    EXPECT_EQ(Engine->FindTexture("ship"), nullptr);
    Engine->DrawTexture(Engine->GetTexture("ship"), 10, 10, 0, 0, 255);
    EXPECT_FALSE(Engine->TerminateRequested());
}

TEST_F(TEngineTest, MissingListEndsTheProgramWithAMessage) {
    std::string Shown;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Shown = Text; };
    auto Engine = MakeEngine();
    TMessageBox::Hook = nullptr;
    EXPECT_TRUE(Engine->TerminateRequested());
    EXPECT_NE(Shown.find("Aplik"), std::string::npos);
    EXPECT_EQ(Engine->TextureCount(), 0);
}

TEST_F(TEngineTest, ListCountingMoreThanTenThousandEntriesEndsTheProgramWithOneMessage) {
    for (const char* Count : {"10001", "2147483647"}) {
        std::vector<std::string> Shown;
        TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Shown.push_back(Text); };
        WriteList(std::string("[Textures]\nCount=") + Count + "\n" +
                  Entry(0, "red", "Graphic\\red.png", 33, 10));
        auto Engine = MakeEngine();
        TMessageBox::Hook = nullptr;
        EXPECT_TRUE(Engine->TerminateRequested()) << Count;
        EXPECT_EQ(Engine->TextureCount(), 0) << Count;
        ASSERT_EQ(Shown.size(), 1u) << Count;
        EXPECT_NE(Shown[0].find("Textures.ini"), std::string::npos) << Shown[0];
    }
}

TEST_F(TEngineTest, BadPicturesLeaveUnloadedImagesAndAreNamedInOneMessage) {
    std::ofstream(Dir / "Graphic/broken.png") << "not a picture";
    WriteList("[Textures]\nCount=4\n" + Entry(0, "missing", "Graphic\\none.png", 8, 8) +
              Entry(1, "broken", "Graphic\\broken.png", 8, 8) +
              Entry(2, "small", "Graphic\\green.png", 16, 16) +
              "[Texture3]\nName=huge\nTexWidth=100000\nTexHeight=100000\nPtWidth=8\nPtHeight=8\n"
              "Image=Graphic\\green.png\n");
    std::vector<std::string> Shown;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Shown.push_back(Text); };
    auto Engine = MakeEngine();
    TMessageBox::Hook = nullptr;
    for (const char* Name : {"missing", "broken", "small", "huge"})
        EXPECT_FALSE(Engine->GetTexture(Name)->Loaded()) << Name;
    ASSERT_EQ(Shown.size(), 1u);
    for (const char* Part : {"4 of the 4 pictures", "Textures.ini", "none.png", "broken.png", "green.png",
                             "100000 x 100000 is above the largest texture"})
        EXPECT_NE(Shown[0].find(Part), std::string::npos) << Part << " in " << Shown[0];
    Engine->DrawTexture(Engine->GetTexture("broken"), 0, 0, 0, 0, 255);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(2, 2) & 0xFFFFFF, 0u);
}

// The start reads only each picture's header: a body damaged behind a sound header is found when the
// picture is first drawn, and said once then.
TEST_F(TEngineTest, PictureDamagedBehindItsHeaderIsNamedOnceWhenFirstDrawn) {
    std::filesystem::copy_file(Dir / "Graphic/red.png", Dir / "Graphic/cut.png");
    std::filesystem::resize_file(Dir / "Graphic/cut.png", 40);
    WriteList("[Textures]\nCount=2\n" + Entry(0, "cut", "Graphic\\cut.png", 33, 10) +
              Entry(1, "red", "Graphic\\red.png", 33, 10));
    std::vector<std::string> Shown;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Shown.push_back(Text); };
    auto Engine = MakeEngine();
    EXPECT_TRUE(Shown.empty());
    for (int Frame = 0; Frame < 2; ++Frame) {
        Engine->DrawTexture(Engine->GetTexture("cut"), 0, 0, 0, 0, 255);
        Engine->DrawTexture(Engine->GetTexture("red"), 40, 0, 0, 0, 255);
        Canvas.Flush();
    }
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Shown.size(), 1u);
    for (const char* Part : {"\"cut\"", "cut.png", "stays blank"})
        EXPECT_NE(Shown[0].find(Part), std::string::npos) << Part << " in " << Shown[0];
    EXPECT_FALSE(Engine->GetTexture("cut")->Loaded());
    EXPECT_EQ(PixelAt(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(42, 2) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(TEngineTest, AlignmentHalvesTowardZero) {
    WriteList("[Textures]\nCount=1\n" + Entry(0, "red", "Graphic\\red.png", 33, 10));
    auto Engine = MakeEngine();
    Engine->DrawTexture(Engine->GetTexture("red"), 100, 50, 1, 2, 255);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(84, 45), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(83, 45) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(116, 40), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(117, 45) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(100, 50) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(100, 39) & 0xFFFFFF, 0u);
}

TEST_F(TEngineTest, CursorMovesOnlyWhenItStaysOnScreen) {
    WriteList("[Textures]\nCount=0\n");
    auto Engine = MakeEngine();
    EXPECT_EQ(Engine->CursorX, 400);
    EXPECT_EQ(Engine->CursorY, 300);
    Engine->CursorX = 1020;
    Input.MouseMove(10, 0);
    Engine->UpdateCursor();
    EXPECT_EQ(Engine->CursorX, 1020);
    Input.MouseMove(4, 0);
    Engine->UpdateCursor();
    EXPECT_EQ(Engine->CursorX, 1024);
    Engine->CursorY = 5;
    Input.MouseMove(-1030, -6);
    Engine->UpdateCursor();
    EXPECT_EQ(Engine->CursorX, 1024);
    EXPECT_EQ(Engine->CursorY, 5);
    Input.MouseMove(-24, 763);
    Engine->UpdateCursor();
    EXPECT_EQ(Engine->CursorX, 1000);
    EXPECT_EQ(Engine->CursorY, 768);
}

TEST_F(TEngineTest, CursorIsDrawnTranslucentUnlessHidden) {
    WriteList("[Textures]\nCount=0\n");
    auto Engine = MakeEngine();
    Engine->CursorX = 10;
    Engine->CursorY = 20;
    Engine->UpdateCursor();
    Canvas.Flush();
    EXPECT_NEAR(static_cast<int>(PixelAt(12, 22) & 0xFF), 180, 1);
    Clear();
    Engine->CursorVisible = false;
    Engine->UpdateCursor();
    Canvas.Flush();
    EXPECT_EQ(PixelAt(12, 22) & 0xFFFFFF, 0u);
}

TEST_F(TEngineTest, TextIsAlignedByItsMeasuredSize) {
    WriteList("[Textures]\nCount=0\n");
    ASSERT_TRUE(Fonts.RegisterFontFile("BEWARE", ZERATHON_SOURCE_DIR "/data/Text/BEWARE__.ttf"));
    TVelaFontAlt& Font = Fonts.Add();
    Font.Name = "BEWARE";
    Font.Size = 30;
    ASSERT_TRUE(Font.Initialize());
    EXPECT_EQ(Font.TextHeight("Hello"), 30);
    EXPECT_EQ(Font.TextHeight("Two\nlines"), 60);
    auto Engine = MakeEngine();
    Engine->DrawText("MMM", 200, 100, 2, 2, 0xFFFFFFFFu, 0);
    TPicture Frame;
    ASSERT_TRUE(Device.ReadPixels(Frame));
    int Right = -1, Bottom = -1;
    for (int Y = 0; Y < Frame.Height; ++Y)
        for (int X = 0; X < Frame.Width; ++X)
            if (Frame.At(X, Y) & 0xFFFFFF) {
                Right = std::max(Right, X);
                Bottom = std::max(Bottom, Y);
            }
    EXPECT_LT(Right, 200);
    EXPECT_GT(Right, 190);
    EXPECT_LT(Bottom, 100);
    EXPECT_GT(Bottom, 85);
    Engine->DrawText("nothing", 0, 0, 0, 0, 0xFFFFFFFFu, 7); // no such font: ignored
}

} // namespace
