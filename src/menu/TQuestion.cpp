#include "menu/TQuestion.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "engine/TWidgetInput.h"

namespace {

constexpr uint32_t Plain = 0xFF7EAFB1u, Hover = 0xFF008000u, Bright = 0xFF32FBFFu;

TEngineAnimButtonEx Answer(TEngine& Engine, const std::string& Action, const std::string& Caption, int X,
                           int Anchor) {
    return TEngineAnimButtonEx(Engine, Action, Caption, X, 430, Plain, Hover, Anchor, 1, "button", 94, 9, 0,
                               1, 25, 17, 188, 25);
}

} // namespace

TQuestion::TQuestion(TEngine& Engine, const std::string& YesCaption, const std::string& YesAction,
                     const std::string& NoCaption, const std::string& NoAction)
    : Yes(Answer(Engine, YesAction, YesCaption, 502, 2)), No(Answer(Engine, NoAction, NoCaption, 522, 0)),
      Engine(Engine) {}

void TQuestion::Ask(const std::string& NewText, const std::string& NewDetail) {
    Text = NewText;
    Detail = NewDetail;
    IsOpen = true;
}

void TQuestion::Run() {
    if (!IsOpen)
        return;
    Engine.DrawTexture(Engine.GetTexture("gameexit"), 520, 404, 1, 1, 240);
    Engine.DrawText(Text, 512, 345, 1, 0, 0xFFFFFFFFu, 0);
    Engine.DrawText(Detail, 512, 372, 1, 0, Bright, 3);
    Yes.Run();
    No.Run();
    if (!IsOpen)
        return; // answered by a click
    if (TMenuKeys::Confirm(Engine.Keyboard))
        TWidgetInput::Report(Engine, Yes.Action());
    else if (TMenuKeys::Back(Engine.Keyboard))
        TWidgetInput::Report(Engine, No.Action());
}
