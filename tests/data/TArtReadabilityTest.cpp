// The menu and HUD pictures against the colours and places where the game writes over them: captions
// and ticks must stand out from the pixels behind them, and labels, icons and glows must keep clear of
// each other. Measured on the shipped PNG files, at the places the game draws them.
#include "THeadlessDevice.h"

#include "render/TVelaFontsAlt.h"
#include "runtime/TFile.h"
#include "runtime/TPngDecoder.h"
#include "text/TText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string SourceData = ZERATHON_SOURCE_DIR "/data/";

TPicture Load(const std::string& Name) {
    std::vector<uint8_t> Bytes;
    TPicture Picture;
    EXPECT_TRUE(TFile::ReadAll(SourceData + "Graphic/" + Name + ".png", Bytes)) << Name;
    EXPECT_TRUE(TPngDecoder::Decode(Bytes.data(), Bytes.size(), Picture)) << Name;
    return Picture;
}

struct TRgbF {
    double R, G, B;
};

// Colours as the game writes them: alpha in the top byte, then blue, green, red.
TRgbF Rgb(uint32_t Colour) {
    return {static_cast<double>(Colour & 0xFF), static_cast<double>(Colour >> 8 & 0xFF),
            static_cast<double>(Colour >> 16 & 0xFF)};
}

double Alpha(uint32_t Colour) {
    return (Colour >> 24) / 255.0;
}

// Straight-alpha blending, as the device draws a picture or a fill over what is already there.
TRgbF Over(TRgbF Below, uint32_t Colour, double Opacity = 1) {
    const TRgbF Above = Rgb(Colour);
    const double A = Alpha(Colour) * Opacity;
    return {Above.R * A + Below.R * (1 - A), Above.G * A + Below.G * (1 - A),
            Above.B * A + Below.B * (1 - A)};
}

double Luminance(TRgbF C) {
    auto Linear = [](double V) {
        V /= 255;
        return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * Linear(C.R) + 0.7152 * Linear(C.G) + 0.0722 * Linear(C.B);
}

double Contrast(TRgbF A, TRgbF B) {
    const double La = Luminance(A), Lb = Luminance(B);
    return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

struct TBox {
    int Left, Top, Right, Bottom;
};

// The game's font 0, to measure texts as the widgets do.
class TArtReadabilityTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        THeadlessDevice::SetUp();
        ASSERT_TRUE(Fonts.RegisterFontFile("BEWARE", SourceData + "Text/BEWARE__.ttf"));
        TVelaFontAlt& Font = Fonts.Add();
        Font.Name = "BEWARE";
        Font.Style = feBold | feShadow;
        Font.Size = 16;
        ASSERT_TRUE(Fonts.InitializeAll());
    }

    int TextHeight() { return Fonts.Font(0)->TextHeight("Ay"); }

    TVelaFontsAlt Fonts{Device};
};

// A button caption over both pictures of its button: the resting face in the caption colour, the
// face with the hover picture laid over it at full glow in the hover colour. Backdrops black and white
// stand for whatever screen lies behind.
TEST_F(TArtReadabilityTest, ButtonCaptionsStandOutFromTheirFaces) {
    struct TCase {
        const char* Picture;
        int Left, Right, CaptionTop; // in the picture; the caption's left or centre moves with its text
    };
    const int H = TextHeight();
    // "button": centred on (94, 9) from the hit area at (25, 17); "animbtn": top-left at (100, 37).
    const TCase Cases[] = {{"button", 34, 205, 17 + 9 - H / 2}, {"animbtn", 100, 331, 37}};
    const uint32_t CaptionColour = 0xFF7EAFB1u, HoverColour = 0xFF008000u;
    const double Glow = 254 / 255.0;
    for (const TCase& Case : Cases) {
        const TPicture Picture = Load(Case.Picture);
        const int Pattern = Picture.Height / 2;
        double RestWorst = 99, HoverWorst = 99;
        for (const TRgbF Backdrop : {TRgbF{0, 0, 0}, TRgbF{255, 255, 255}})
            for (int Y = Case.CaptionTop; Y < Case.CaptionTop + H; ++Y)
                for (int X = Case.Left; X < Case.Right; ++X) {
                    const TRgbF Rest = Over(Backdrop, Picture.At(X, Y));
                    const TRgbF Hover = Over(Rest, Picture.At(X, Y + Pattern), Glow);
                    RestWorst = std::min(RestWorst, Contrast(Rest, Rgb(CaptionColour)));
                    HoverWorst = std::min(HoverWorst, Contrast(Hover, Rgb(HoverColour)));
                }
        EXPECT_GE(RestWorst, 4.5) << Case.Picture << " at rest";
        EXPECT_GE(HoverWorst, 4.5) << Case.Picture << " hovered";
    }
}

// The tick is a dark green square inside a box filled with a thin wash of the same green, so only a
// pale ground under the box lets it read. Even pure white caps the ratio at about 3.5, short of the 4.5
// asked of text; the tick is a graphic, for which 3 is the usual floor. The two pages with check boxes
// have backgrounds of their own with lit plates under the boxes.
TEST_F(TArtReadabilityTest, CheckBoxTicksStandOutFromTheBoxes) {
    const uint32_t Fill = 0x60446944u, Mark = 0xFF446944u;
    struct TPage {
        const char* Background;
        std::vector<std::pair<int, int>> Boxes;
    };
    TPage Endless{"background2", {}}, Settings{"background4", {}};
    for (int Row = 0; Row < 9; ++Row)
        Endless.Boxes.push_back({600, 200 + 100 * (Row / 3) + 25 * (Row % 3)});
    for (int Y : {130, 160, 190, 230, 350, 380, 415, 445, 565, 600})
        Settings.Boxes.push_back({60, Y});
    for (const TPage& Page : {Endless, Settings}) {
        const TPicture Background = Load(Page.Background);
        for (const auto& [X, Y] : Page.Boxes) {
            double Worst = 99;
            // The ring between the box's border and the tick.
            for (int PY = Y + 1; PY < Y + 19; ++PY)
                for (int PX = X + 1; PX < X + 19; ++PX)
                    if (PX < X + 4 || PX >= X + 16 || PY < Y + 4 || PY >= Y + 16)
                        Worst = std::min(
                            Worst, Contrast(Over(Over({0, 0, 0}, Background.At(PX, PY)), Fill), Rgb(Mark)));
            EXPECT_GE(Worst, 3.0) << Page.Background << ": box at " << X << ", " << Y;
        }
    }
}

// The settings page writes in three colours from edge to edge, the key names in pure red, which only
// a near-black ground lets read. Each area where one colour is written must give it 4.5:1; a star may
// sit behind a letter, so one pixel in a hundred is let off.
TEST_F(TArtReadabilityTest, SettingsTextStandsOutFromItsBackground) {
    const uint32_t Text = 0xFF7EAFB1u, Head = 0xFF32FBFFu, Key = 0xFF0000FFu;
    const struct {
        const char* What;
        TBox Area;
        uint32_t Colour;
    } Areas[] = {{"headings", {60, 95, 964, 115}, Head},
                 {"check box captions and notes", {88, 125, 460, 625}, Text},
                 {"note at the left edge", {60, 258, 88, 310}, Text},
                 {"note at the left edge", {60, 478, 88, 545}, Text},
                 {"actions and notes", {512, 130, 890, 615}, Text},
                 {"bound keys", {840, 130, 966, 615}, Key}};
    const TPicture Background = Load("background4");
    for (const auto& Area : Areas) {
        int Pixels = 0, Faint = 0;
        for (int Y = Area.Area.Top; Y < Area.Area.Bottom; ++Y)
            for (int X = Area.Area.Left; X < Area.Area.Right; ++X) {
                ++Pixels;
                Faint += Contrast(Over({0, 0, 0}, Background.At(X, Y)), Rgb(Area.Colour)) < 4.5;
            }
        EXPECT_LE(Faint * 100, Pixels) << Area.What << ": " << Faint << " of " << Pixels;
    }
}

// A picture placed as the game places it; its ink is the pixels at least as opaque as asked.
struct TPlaced {
    TPicture Picture;
    int Left, Top;
    bool Ink(int X, int Y, double Opacity) const {
        X -= Left;
        Y -= Top;
        return X >= 0 && Y >= 0 && X < Picture.Width && Y < Picture.Height &&
               Alpha(Picture.At(X, Y)) >= Opacity;
    }
};

int InkInside(const TPlaced& Item, TBox Box, double Opacity) {
    int Count = 0;
    for (int Y = Box.Top; Y < Box.Bottom; ++Y)
        for (int X = Box.Left; X < Box.Right; ++X)
            Count += Item.Ink(X, Y, Opacity);
    return Count;
}

// Pattern 0 of a picture, centred on a point.
TPlaced Cell(const char* Name, int CentreX, int CentreY, int Width, int Height) {
    const TPicture Whole = Load(Name);
    TPicture Cell;
    Cell.Width = Width;
    Cell.Height = Height;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Cell.Pixels.push_back(Whole.At(X, Y));
    return {Cell, CentreX - Width / 2, CentreY - Height / 2};
}

TEST_F(TArtReadabilityTest, LabelsAndIconsKeepClearOfEachOther) {
    // The HUD counts, right-aligned with their bottom on the given point, over their icons.
    int Digit = 0;
    for (char C = '0'; C <= '9'; ++C)
        Digit = std::max(Digit, Fonts.Font(0)->TextWidth(std::string(1, C)));
    const int H = TextHeight();
    const struct {
        const char* What;
        TPlaced Icon;
        int Right, Bottom;
    } Counts[] = {{"mine count", Cell("mine", 990, 666, 48, 48), 1009, 684},
                  {"sniper ammunition", Cell("bullet", 934, 666, 32, 16), 952, 684}};
    for (const auto& Count : Counts)
        EXPECT_EQ(
            InkInside(Count.Icon, {Count.Right - Digit, Count.Bottom - H, Count.Right, Count.Bottom}, 0.5), 0)
            << Count.What;

    // The title under the menu's lowest button as it first slides in (X 55, Y 600), either face.
    const TPlaced Title{Load("title"), 290, 640};
    const TPicture Button = Load("animbtn");
    int Shared = 0;
    for (int Y = 600; Y < 660; ++Y)
        for (int X = 55; X < 402; ++X)
            Shared += Title.Ink(X, Y, 0.1) &&
                      (Alpha(Button.At(X - 55, Y - 600)) >= 0.1 || Alpha(Button.At(X - 55, Y - 540)) >= 0.1);
    EXPECT_EQ(Shared, 0) << "title under the Exit button";
}

// A frame line through a label: a row or a column of the label's box with many bright pixels (a star
// or two is not a line).
TEST_F(TArtReadabilityTest, PanelFramesLeaveTheLabelsClear) {
    TText English, Czech, Slovak;
    English.Load(SourceData + "Text/English.lng");
    Czech.Load(SourceData + "Text/Czech.lng");
    Slovak.Load(SourceData + "Text/Slovak.lng");
    const struct {
        const char* Background;
        std::string TText::*Text;
        int X, Y, Anchor; // 0 left edge at X, 1 centred on X
    } Labels[] = {{"background3", &TText::msNEWGAME_C_ChooseMission, 50, 110, 0},
                  {"background2", &TText::msNEWGAME_KST_Caption, 512, 160, 1}};
    const int H = TextHeight();
    for (const auto& Label : Labels) {
        const TPicture Picture = Load(Label.Background);
        for (const TText* Language : {&English, &Czech, &Slovak}) {
            const std::string& Text = Language->*Label.Text;
            const int W = Fonts.Font(0)->TextWidth(Text);
            const int Left = Label.Anchor == 0 ? Label.X : Label.X - W / 2;
            auto Bright = [&](int X, int Y) { return Luminance(Over({0, 0, 0}, Picture.At(X, Y))) > 0.25; };
            int Longest = 0;
            for (int Y = Label.Y; Y < Label.Y + H; ++Y) {
                int Run = 0;
                for (int X = Left; X < Left + W; ++X)
                    Run += Bright(X, Y);
                Longest = std::max(Longest, Run);
            }
            for (int X = Left; X < Left + W; ++X) {
                int Run = 0;
                for (int Y = Label.Y; Y < Label.Y + H; ++Y)
                    Run += Bright(X, Y);
                Longest = std::max(Longest, Run);
            }
            EXPECT_LT(Longest, 8) << Label.Background << ": " << Text;
        }
    }
}

// The HUD frame is drawn additively: its slot edges are the bright pixels. From each glow's centre the
// nearest edge in every direction must lie beyond the glow's reach, and within a slot's length, or
// there is no slot round it.
TEST_F(TArtReadabilityTest, SelectionGlowsSitInsideTheirSlots) {
    const TPicture Frame = Load("gui");
    auto Edge = [&](int X, int Y) {
        const uint32_t P = Frame.At(X, Y);
        const TRgbF C = Rgb(P);
        return Alpha(P) * std::max({C.R, C.G, C.B}) / 255 >= 0.3;
    };
    const int Reach = 20;
    const struct {
        const char* What;
        int X, Y;
    } Glows[] = {{"EMP and hyper shield", 934, 666}, {"phazer", 934, 685}, {"mine", 990, 666}};
    const int Directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& Glow : Glows)
        for (const auto& D : Directions) {
            int Distance = 1;
            while (Distance < 3 * Reach && !Edge(Glow.X + D[0] * Distance, Glow.Y + D[1] * Distance))
                ++Distance;
            EXPECT_GE(Distance, Reach) << Glow.What << " towards " << D[0] << ", " << D[1];
            EXPECT_LT(Distance, 3 * Reach) << Glow.What << " towards " << D[0] << ", " << D[1];
        }
}

} // namespace
