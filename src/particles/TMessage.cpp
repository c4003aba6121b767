#include "particles/TMessage.h"

#include "engine/TEngine.h"
#include "render/TVelaFontAlt.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TClock.h"

TMessage::TMessage(TEngine* Engine, int NoticeFont) : NoticeFont(NoticeFont), Engine(Engine) {}

int TMessage::SlotOf(int Index) {
    return (Index % SlotCount + SlotCount) % SlotCount;
}

void TMessage::ShowMessage(const std::string& Text, double X, double Y) {
    Main.Restart(Text, X, Y);
}

void TMessage::AddMessage(int Slot, const std::string& Text, double X, double Y) {
    Slots[SlotOf(Slot)].Restart(Text, X, Y);
}

void TMessage::MoveMessage(int Slot, double X, double Y) {
    TRocketMessage& Message = Slots[SlotOf(Slot)];
    Message.X = X;
    Message.Y = Y;
}

void TMessage::RequestNotice(const std::string& Line1, const std::string& Line2) {
    NoticeLine1 = Line1;
    NoticeLine2 = Line2;
    NoticeRequest = true;
}

void TMessage::Draw() {
    DrawNotice();
    if (Main.Active)
        DrawMessage(Main, MainColour);
    for (TRocketMessage& Slot : Slots)
        if (Slot.Active)
            DrawMessage(Slot, SlotColour);
}

void TMessage::DrawNotice() {
    if (NoticeRequest) {
        NoticeRequest = false;
        NoticeShown = true;
        NoticeStart = Now();
    }
    if (!NoticeShown)
        return;
    DrawCentred(NoticeLine1, 512, 634, NoticeColour, NoticeFont);
    DrawCentred(NoticeLine2, 512, 654, NoticeColour, NoticeFont);
    if (SinceTick(NoticeStart) > NoticeDuration)
        NoticeShown = false;
}

void TMessage::DrawMessage(TRocketMessage& Message, uint32_t Colour) {
    const int Font = FirstSizeFont + Message.SizeStep;
    Message.FitInto(TextWidth(Message.Text, Font));
    DrawCentred(Message.Text, Message.X, Message.Y, (static_cast<uint32_t>(Message.Alpha) << 24) | Colour,
                Font);
    Message.Advance();
}

int TMessage::TextWidth(const std::string& Text, int Font) const {
    TVelaFontAlt* Entry = Engine != nullptr ? Engine->Fonts.Font(Font) : nullptr;
    return Entry != nullptr ? Entry->TextWidth(Text) : 0;
}

void TMessage::DrawCentred(const std::string& Text, double X, double Y, uint32_t Colour, int Font) {
    if (Engine != nullptr)
        Engine->DrawText(Text, X, Y, 1, 1, Colour, Font);
}
