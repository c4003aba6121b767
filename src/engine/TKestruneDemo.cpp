#include "engine/TKestruneDemo.h"

#include "engine/TAlphaColours.h"
#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "engine/TSoundEngine.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "runtime/TClock.h"
#include "text/TText.h"

namespace {
// Where each orc of the horde runs, relative to the others.
constexpr int Formation[95][2] = {
    {967, 363}, {898, 322}, {859, 274}, {763, 259}, {737, 212}, {667, 157}, {586, 116}, {531, 93},
    {389, 62},  {431, 57},  {263, 22},  {223, 61},  {283, 53},  {333, 44},  {151, 65},  {116, 118},
    {234, 95},  {342, 108}, {426, 114}, {513, 124}, {629, 177}, {520, 165}, {396, 164}, {282, 154},
    {159, 137}, {160, 196}, {261, 210}, {391, 210}, {548, 220}, {662, 225}, {450, 213}, {303, 197},
    {740, 301}, {664, 290}, {599, 285}, {520, 267}, {471, 283}, {406, 282}, {368, 252}, {318, 275},
    {257, 277}, {126, 257}, {844, 336}, {789, 361}, {686, 339}, {593, 330}, {559, 361}, {469, 332},
    {347, 343}, {306, 370}, {229, 310}, {183, 331}, {924, 399}, {785, 416}, {702, 399}, {616, 399},
    {545, 406}, {477, 402}, {406, 410}, {363, 418}, {298, 417}, {232, 403}, {191, 384}, {137, 376},
    {889, 428}, {795, 476}, {705, 475}, {592, 462}, {494, 468}, {423, 490}, {325, 481}, {228, 481},
    {168, 456}, {731, 541}, {646, 563}, {551, 551}, {475, 569}, {379, 580}, {304, 561}, {245, 529},
    {164, 523}, {636, 618}, {553, 628}, {428, 627}, {344, 631}, {272, 622}, {215, 612}, {148, 588},
    {528, 674}, {364, 671}, {310, 673}, {212, 662}, {82, 615},  {87, 509},  {41, 403}};
} // namespace

TKestruneDemo::TKestruneDemo(TEngine& Engine, TSoundEngine* SoundEngine)
    : Knight(Engine, SoundEngine, -359, 340, "rytier"), Engine(Engine), SoundEngine(SoundEngine) {
    Orcs.reserve(OrcCount);
    for (int I = 0; I < OrcCount; ++I)
        Orcs.emplace_back(Engine, SoundEngine, Formation[I][0] - 1600, Formation[I][1], "ork");
}

void TKestruneDemo::NextStage(int NewStage) {
    Stage = NewStage;
    Stamp = Now();
}

bool TKestruneDemo::FadeStep(int Direction) {
    if (SinceTick(Stamp) <= StepDelay)
        return false;
    Stamp = Now();
    Alpha += Direction * AlphaStep;
    return true;
}

void TKestruneDemo::DrawCentred(const std::string& Texture, int PictureAlpha) {
    TVelaImage* Image = Engine.GetTexture(Texture);
    if (Image == nullptr)
        return;
    const int Width = Image->PatternSize().x;
    const int Height = Image->PatternSize().y;
    const float Left = static_cast<float>(512 - Width / 2);
    // The title sits a little above the middle of the screen.
    const float Top = static_cast<float>(Texture == "title" ? 364 : 384 - Height / 2);
    const SDL_FPoint Points[4] = {
        {Left, Top}, {Left + Width, Top}, {Left + Width, Top + Height}, {Left, Top + Height}};
    const uint32_t Colour = static_cast<uint32_t>(PictureAlpha) << 24 | 0xFFFFFFu;
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    Engine.Canvas.DrawQuad(Image, Points, Colours, 0, EffectBlend);
}

// Three stages of one picture: fade in, hold, fade out.
void TKestruneDemo::ShowPicture(const std::string& Texture, int FirstStage) {
    if (Stage == FirstStage) {
        FadeStep(+1);
        DrawCentred(Texture, Alpha);
        if (Alpha == 254)
            NextStage(FirstStage + 1);
    } else if (Stage == FirstStage + 1) {
        DrawCentred(Texture, 254);
        if (SinceTick(Stamp) > HoldTime) {
            NextStage(FirstStage + 2);
            Alpha = 254;
        }
    } else {
        FadeStep(-1);
        DrawCentred(Texture, Alpha);
        if (Alpha == 0) {
            if (FirstStage == 14) {
                IntroFinished = true;
                return;
            }
            NextStage(FirstStage + 3);
            Alpha = 0;
        }
    }
}

void TKestruneDemo::Run() {
    switch (Stage) {
    case -1:
        if (SoundEngine != nullptr)
            SoundEngine->PlaySample("vorlen");
        Stage = 0;
        break;
    case 0:
        Knight.Run();
        for (TRunner& Orc : Orcs)
            Orc.Run();
        if (Orcs.back().X > 1040) {
            if (SoundEngine != nullptr)
                SoundEngine->StopSample("run");
            NextStage(1);
        }
        break;
    case 1:
    case 11:
        if (SinceTick(Stamp) > HoldTime) {
            NextStage(Stage + 1);
            Alpha = 0;
        }
        break;
    case 12:
        FadeStep(+1);
        Engine.DrawText(GameText.present, 512, 384, 1, 1, TAlphaColours::Entry(Alpha), 3);
        if (Alpha == 254)
            NextStage(13);
        break;
    case 13:
        Engine.DrawText(GameText.present, 512, 384, 1, 1, TAlphaColours::Entry(254), 3);
        if (SinceTick(Stamp) > HoldTime) {
            NextStage(14);
            Alpha = 0;
        }
        break;
    default:
        if (Stage >= 2 && Stage <= 4)
            ShowPicture("symbol", 2);
        else if (Stage >= 5 && Stage <= 7)
            ShowPicture("kst_uvod", 5);
        else if (Stage >= 8 && Stage <= 10)
            ShowPicture("bg06", 8);
        else if (Stage >= 14 && Stage <= 16)
            ShowPicture("title", 14);
        break;
    }
    const TVelaKeyboard& Keyboard = Engine.Keyboard;
    if (TMenuKeys::Back(Keyboard) || TMenuKeys::Confirm(Keyboard) || Keyboard.KeyPressed(TKeyCodes::Space) ||
        Engine.Mouse.ButtonDown(0)) {
        if (SoundEngine != nullptr)
            SoundEngine->StopSample("run");
        IntroFinished = true;
    }
}
