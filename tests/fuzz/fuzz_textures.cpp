// libFuzzer harness: the texture list (Graphic/Textures.ini). Whatever it holds, the engine comes up with
// at most one message and a table it can draw from.
#include "FuzzSupport.h"
#include "TFuzzStage.h"
#include "runtime/TIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Text = AsText(Data, Size);
    const TIniFile List = TIniFile::FromText(Text);
    if (!ListWorthTrying(List, "Textures"))
        return 0;
    TFuzzStage& Stage = TFuzzStage::Get();
    const int Messages = Stage.Messages;
    const std::unique_ptr<TEngine> Engine = Stage.NewEngine(Stage.Put("Graphic/Fuzz.ini", Text));
    Check(Stage.Messages - Messages <= 1);
    Check(Engine->TextureCount() <= 10000);
    // Every entry draws, loaded or not, whatever pattern is asked for.
    for (int N = 0; N < Engine->TextureCount(); ++N) {
        TVelaImage* Image = Engine->GetTexture(List.ReadString("Texture" + std::to_string(N), "Name", ""));
        for (int Pattern : {0, 1, -1, 1000})
            Engine->DrawTexturePattern(Image, 10, 10, 1, 1, 200, Pattern);
    }
    Stage.Canvas.Flush();
    return 0;
}
