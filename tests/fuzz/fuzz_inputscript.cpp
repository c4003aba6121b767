// libFuzzer harness: input scripts (--input), loaded and then played into the input state and the
// mouse and keyboard the game polls, one poll per frame that has events.
#include "FuzzSupport.h"
#include "render/TInputScript.h"
#include "render/TInputState.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TInputScript Script;
    std::string Error;
    if (!Script.Load(AsText(Data, Size), Error)) {
        Check(!Error.empty() && Script.ScriptEvents().empty());
        return 0;
    }
    const std::vector<TInputScript::TEvent>& Events = Script.ScriptEvents();
    for (size_t I = 1; I < Events.size(); ++I)
        Check(Events[I - 1].Frame <= Events[I].Frame);
    TInputState State;
    TVelaMouse Mouse(State);
    TVelaKeyboard Keyboard(State);
    for (size_t I = 0; I < Events.size(); ++I) {
        if (I > 0 && Events[I].Frame == Events[I - 1].Frame)
            continue;
        Script.Feed(Events[I].Frame, State);
        Mouse.Update();
        Keyboard.Update();
    }
    Check(Script.Finished());
    return 0;
}
