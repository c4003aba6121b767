// libFuzzer harness: language files (Text/*.lng). Whatever the file holds, every text comes out in the
// game's encoding and no longer than an INI value can be.
#include "FuzzSupport.h"
#include "TFuzzStage.h"
#include "runtime/TIniFile.h"
#include "text/TText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TFuzzStage& Stage = TFuzzStage::Get();
    TText Text;
    Text.Load(Stage.Put("Fuzz.lng", AsText(Data, Size)));
    int Count = 0;
    const TText::TField* Fields = TText::Fields(Count);
    for (int I = 0; I < Count; ++I)
        Check((Text.*Fields[I].Member).size() <= TIniFile::MaxValueLength);
    for (const std::string& Line : Text.FirstLine)
        Check(Line.size() <= TIniFile::MaxValueLength);
    return 0;
}
