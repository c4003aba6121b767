#include "render/TVelaCanvas.h"

#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"

#include <algorithm>
#include <cmath>
#include <utility>

bool TVelaCanvas::AllWhite(const uint32_t Colours[4]) {
    return Colours[0] == 0xFFFFFFFFu && Colours[1] == 0xFFFFFFFFu && Colours[2] == 0xFFFFFFFFu &&
           Colours[3] == 0xFFFFFFFFu;
}

static SDL_FPoint Lerp(SDL_FPoint From, SDL_FPoint To, float T) {
    return {From.x + (To.x - From.x) * T, From.y + (To.y - From.y) * T};
}

static uint32_t LerpColour(uint32_t From, uint32_t To, float T) {
    uint32_t Colour = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
        const float A = static_cast<float>((From >> Shift) & 0xFF);
        const float B = static_cast<float>((To >> Shift) & 0xFF);
        Colour |= static_cast<uint32_t>(std::lround(A + (B - A) * T)) << Shift;
    }
    return Colour;
}

static void RectCorners(float X, float Y, float Width, float Height, SDL_FPoint Points[4]) {
    Points[0] = {X, Y};
    Points[1] = {X + Width, Y};
    Points[2] = {X + Width, Y + Height};
    Points[3] = {X, Y + Height};
}

bool TVelaCanvas::IsUprightRect(const SDL_FPoint Points[4]) {
    return Points[0].y == Points[1].y && Points[2].y == Points[3].y && Points[0].x == Points[3].x &&
           Points[1].x == Points[2].x && Points[0].x < Points[1].x && Points[0].y < Points[3].y;
}

bool TVelaCanvas::Draw(TVelaImage* Image, float X, float Y, int Pattern, uint32_t Effect) {
    return DrawColored(Image, X, Y, Pattern, 0xFFFFFFFFu, Effect);
}

bool TVelaCanvas::DrawColored(TVelaImage* Image, float X, float Y, int Pattern, uint32_t Colour,
                              uint32_t Effect) {
    if (Image == nullptr)
        return false;
    SDL_FPoint Points[4];
    RectCorners(X, Y, static_cast<float>(Image->VisibleSize().x), static_cast<float>(Image->VisibleSize().y),
                Points);
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    return DrawQuad(Image, Points, Colours, Pattern, Effect);
}

bool TVelaCanvas::DrawScaled(TVelaImage* Image, float X, float Y, float Scale, int Pattern, uint32_t Colour,
                             uint32_t Effect) {
    if (Image == nullptr)
        return false;
    SDL_FPoint Points[4];
    RectCorners(X, Y, std::round(Image->VisibleSize().x * Scale), std::round(Image->VisibleSize().y * Scale),
                Points);
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    return DrawQuad(Image, Points, Colours, Pattern, Effect);
}

bool TVelaCanvas::DrawRotated(TVelaImage* Image, float X, float Y, float Angle, float Scale, uint32_t Colour,
                              int Pattern, uint32_t Effect) {
    if (Image == nullptr)
        return false;
    const float HalfWidth = Image->VisibleSize().x / 2.0f;
    const float HalfHeight = Image->VisibleSize().y / 2.0f;
    const float Cos = std::cos(Angle) * Scale;
    const float Sin = std::sin(Angle) * Scale;
    const SDL_FPoint Corners[4] = {{-HalfWidth, -HalfHeight},
                                   {HalfWidth, -HalfHeight},
                                   {HalfWidth, HalfHeight},
                                   {-HalfWidth, HalfHeight}};
    SDL_FPoint Points[4];
    for (int I = 0; I < 4; ++I)
        Points[I] = {X + Corners[I].x * Cos - Corners[I].y * Sin,
                     Y + Corners[I].y * Cos + Corners[I].x * Sin};
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    return DrawQuad(Image, Points, Colours, Pattern, Effect);
}

bool TVelaCanvas::DrawRotatedWhite(TVelaImage* Image, float X, float Y, float Angle, float Scale, int Pattern,
                                   uint32_t Effect) {
    return DrawRotated(Image, X, Y, Angle, Scale, 0xFFFFFFFFu, Pattern, Effect);
}

bool TVelaCanvas::DrawQuad(TVelaImage* Image, const SDL_FPoint Points[4], const uint32_t Colours[4],
                           int Pattern, uint32_t Effect, const SDL_Rect* Source, bool Mirror, bool Flip) {
    if (Image == nullptr || !Image->Loaded() || Image->PatternCount() < 1)
        return false;
    int TextureNumber = 0;
    SDL_Rect Cell;
    Image->PatternRect(Pattern, TextureNumber, Cell);
    if (Source != nullptr)
        Cell = {Cell.x + Source->x, Cell.y + Source->y, Source->w, Source->h};
    const float TextureWidth = static_cast<float>(Image->TextureSize().x);
    const float TextureHeight = static_cast<float>(Image->TextureSize().y);
    float Left = Cell.x / TextureWidth;
    float Right = (Cell.x + Cell.w) / TextureWidth;
    float Top = Cell.y / TextureHeight;
    float Bottom = (Cell.y + Cell.h) / TextureHeight;
    if (Mirror)
        std::swap(Left, Right);
    if (Flip)
        std::swap(Top, Bottom);
    const SDL_FPoint TexCoords[4] = {{Left, Top}, {Right, Top}, {Right, Bottom}, {Left, Bottom}};
    if (!AllWhite(Colours))
        Effect |= EffectModulate;
    const bool Upright = IsUprightRect(Points) && !Mirror && !Flip;
    const int Bands = BandCount(Points);
    if (Bands == 1) {
        QueueTexturedQuad(Image, TextureNumber, Effect, Points, Colours, TexCoords, Upright);
        return true;
    }
    // SDL's software renderer fails on textured quads of about full-screen size; bands of at most
    // 256 pixels draw the same picture.
    const float Length = std::hypot(Points[3].x - Points[0].x, Points[3].y - Points[0].y);
    for (int Band = 0; Band < Bands; ++Band) {
        const float From = Band * BandHeight / Length;
        const float To = std::min(1.0f, (Band + 1) * BandHeight / Length);
        SDL_FPoint BandPoints[4], BandTexCoords[4];
        uint32_t BandColours[4];
        for (int Side = 0; Side < 2; ++Side) {
            const int TopCorner = Side == 0 ? 0 : 1;
            const int BottomCorner = Side == 0 ? 3 : 2;
            BandPoints[TopCorner] = Lerp(Points[TopCorner], Points[BottomCorner], From);
            BandPoints[BottomCorner] = Lerp(Points[TopCorner], Points[BottomCorner], To);
            BandTexCoords[TopCorner] = Lerp(TexCoords[TopCorner], TexCoords[BottomCorner], From);
            BandTexCoords[BottomCorner] = Lerp(TexCoords[TopCorner], TexCoords[BottomCorner], To);
            BandColours[TopCorner] = LerpColour(Colours[TopCorner], Colours[BottomCorner], From);
            BandColours[BottomCorner] = LerpColour(Colours[TopCorner], Colours[BottomCorner], To);
        }
        // Bands go the triangle way: as a plain copy the renderer would measure each band's source from
        // the texture coordinates, cut the fraction off and lose a row.
        QueueTexturedQuad(Image, TextureNumber, Effect, BandPoints, BandColours, BandTexCoords, false);
    }
    return true;
}

int TVelaCanvas::BandCount(const SDL_FPoint Points[4]) const {
    if (Device.Accelerated())
        return 1;
    const float Length = std::hypot(Points[3].x - Points[0].x, Points[3].y - Points[0].y);
    const float Width = std::hypot(Points[1].x - Points[0].x, Points[1].y - Points[0].y);
    if (Length <= BandHeight || Length * Width <= BandHeight * BandHeight * 2)
        return 1;
    return static_cast<int>(std::ceil(Length / BandHeight));
}

void TVelaCanvas::QueueTexturedQuad(TVelaImage* Image, int TextureNumber, uint32_t Effect,
                                    const SDL_FPoint Points[4], const uint32_t Colours[4],
                                    const SDL_FPoint TexCoords[4], bool Upright) {
    Request(pkTriangles, 4, 6, Effect, Image, TextureNumber);
    if (Upright) {
        AddQuad(Points, Colours, TexCoords);
        return;
    }
    // SDL's software renderer draws an exactly axis-aligned quad as a plain copy, losing mirroring and
    // quarter turns; a nudge far below a pixel keeps such a quad on the triangle path.
    SDL_FPoint Nudged[4] = {Points[0], Points[1], Points[2], Points[3]};
    Nudged[2].x += 1.0f / 1024;
    AddQuad(Nudged, Colours, TexCoords);
}

void TVelaCanvas::AddQuad(const SDL_FPoint Points[4], const uint32_t Colours[4],
                          const SDL_FPoint TexCoords[4]) {
    const int First = VertexCount();
    for (int I = 0; I < 4; ++I)
        AddVertex(Points[I].x, Points[I].y, Colours[I], TexCoords[I].x, TexCoords[I].y);
    for (int Corner : {0, 1, 3, 1, 2, 3})
        AddIndex(First + Corner);
    AddPrimitive();
    AddPrimitive();
}

void TVelaCanvas::FillQuad(const SDL_FPoint Points[4], const uint32_t Colours[4], uint32_t Effect) {
    if (!AllWhite(Colours))
        Effect |= EffectModulate;
    Request(pkTriangles, 4, 6, Effect, nullptr, 0);
    const SDL_FPoint NoTexture[4] = {};
    AddQuad(Points, Colours, NoTexture);
}

void TVelaCanvas::FillRect(const TRect& Rect, uint32_t Colour, uint32_t Effect) {
    SDL_FPoint Points[4];
    RectCorners(static_cast<float>(Rect.Left), static_cast<float>(Rect.Top), static_cast<float>(Rect.Width()),
                static_cast<float>(Rect.Height()), Points);
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    FillQuad(Points, Colours, Effect);
}

void TVelaCanvas::FrameRect(const TRect& Rect, const uint32_t Colours[4], uint32_t Effect) {
    // Right and bottom edges one pixel in, so the outline covers exactly the rectangle's pixels.
    const float Left = static_cast<float>(Rect.Left);
    const float Top = static_cast<float>(Rect.Top);
    const float Right = static_cast<float>(Rect.Right - 1);
    const float Bottom = static_cast<float>(Rect.Bottom - 1);
    DrawLine({Left, Top}, {Right + 1, Top}, Colours[0], Colours[1], Effect);
    DrawLine({Right, Top}, {Right, Bottom + 1}, Colours[1], Colours[2], Effect);
    DrawLine({Right, Bottom}, {Left - 1, Bottom}, Colours[2], Colours[3], Effect);
    DrawLine({Left, Bottom}, {Left, Top - 1}, Colours[3], Colours[0], Effect);
}

void TVelaCanvas::DrawLine(SDL_FPoint From, SDL_FPoint To, uint32_t ColourFrom, uint32_t ColourTo,
                           uint32_t Effect) {
    const int First = Request(pkLines, 2, 2, Effect, nullptr, 0);
    AddVertex(From.x, From.y, ColourFrom);
    AddVertex(To.x, To.y, ColourTo);
    AddIndex(First);
    AddIndex(First + 1);
    AddPrimitive();
}

void TVelaCanvas::PutPixel(float X, float Y, uint32_t Colour, uint32_t Effect) {
    Request(pkPoints, 1, 0, Effect, nullptr, 0);
    AddVertex(X, Y, Colour);
    AddPrimitive();
}
