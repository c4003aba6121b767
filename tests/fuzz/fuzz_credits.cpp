// libFuzzer harness: Text/credits.txt. Whatever the file holds, the credits screen builds its lines from
// it and scrolls them for a while.
#include "FuzzSupport.h"
#include "TFuzzStage.h"
#include "menu/TCredits.h"
#include "runtime/TWin1250.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TFuzzStage& Stage = TFuzzStage::Get();
    TCredits Credits(Stage.GameEngine());
    // As LoadCredits reads the file, without the file.
    Credits.ParseCredits(TWin1250::FromFileText(AsText(Data, Size)));
    for (int Frame = 0; Frame < 10; ++Frame) {
        Stage.FakeClock.Advance(TCredits::StepPeriod + 1);
        Credits.Run();
        Stage.Canvas.Flush();
    }
    return 0;
}
