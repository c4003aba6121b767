#include "runtime/TPictureFile.h"

#include <cstring>
#include <vector>

#include "runtime/TBmpDecoder.h"
#include "runtime/TFile.h"
#include "runtime/TJpegDecoder.h"
#include "runtime/TPath.h"
#include "runtime/TPictureLimits.h"
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

static uint32_t BigEndian(const uint8_t* Bytes) {
    return uint32_t(Bytes[0]) << 24 | uint32_t(Bytes[1]) << 16 | uint32_t(Bytes[2]) << 8 | Bytes[3];
}

bool TPictureFile::ReadSize(const std::string& Path, int& Width, int& Height, bool& Known,
                            std::string* Error) {
    Known = false;
    if (TPath::Extension(Path) != ".png")
        return true;
    // The signature, then the header chunk's length and type, then width and height.
    static const uint8_t Signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                        0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    std::vector<uint8_t> Bytes;
    if (!TFile::ReadHead(Path, 24, Bytes)) {
        TPictureLimits::Fail(Error, "Cannot read \"" + Path + "\"");
        return false;
    }
    const uint8_t* Header = Bytes.data();
    if (Bytes.size() < 24 || std::memcmp(Header, Signature, sizeof Signature) != 0) {
        TPictureLimits::Fail(Error, "Cannot load \"" + Path + "\": not a PNG file");
        return false;
    }
    const uint32_t HeaderWidth = BigEndian(Header + 16);
    const uint32_t HeaderHeight = BigEndian(Header + 20);
    std::string Why;
    if (!TPictureLimits::Check(HeaderWidth, HeaderHeight, &Why)) {
        TPictureLimits::Fail(Error, "Cannot load \"" + Path + "\": " + Why);
        return false;
    }
    Width = static_cast<int>(HeaderWidth);
    Height = static_cast<int>(HeaderHeight);
    Known = true;
    return true;
}
