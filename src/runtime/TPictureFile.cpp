#include "runtime/TPictureFile.h"

#include <vector>

#include "runtime/TBmpDecoder.h"
#include "runtime/TFile.h"
#include "runtime/TJpegDecoder.h"
#include "runtime/TPath.h"
#include "runtime/TPngDecoder.h"
#include "runtime/TTgaDecoder.h"

bool TPictureFile::Load(const std::string& Path, TPicture& Out, std::string* Error) {
    Out = TPicture();
    std::vector<uint8_t> Data;
    if (!TFile::ReadAll(Path, Data)) {
        if (Error) {
            *Error = "Cannot read \"" + Path + "\"";
        }
        return false;
    }
    std::string Why;
    const std::string Extension = TPath::Extension(Path);
    bool Ok;
    if (Extension == ".tga") {
        Ok = TTgaDecoder::Decode(Data.data(), Data.size(), Out, &Why);
    } else if (Extension == ".jpg" || Extension == ".jpeg") {
        Ok = TJpegDecoder::Decode(Data.data(), Data.size(), Out, &Why);
    } else if (Extension == ".png") {
        Ok = TPngDecoder::Decode(Data.data(), Data.size(), Out, &Why);
    } else {
        Ok = TBmpDecoder::Decode(Data.data(), Data.size(), Out, &Why);
    }
    if (!Ok && Error) {
        *Error = "Cannot load \"" + Path + "\": " + Why;
    }
    return Ok;
}
