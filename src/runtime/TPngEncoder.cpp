#include "runtime/TPngEncoder.h"

#include <csetjmp>
#include <png.h>

#include "runtime/TFile.h"

namespace {

void WriteBytes(png_structp Png, png_bytep Data, size_t Length) {
    auto* Out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(Png));
    Out->insert(Out->end(), Data, Data + Length);
}

void FlushNothing(png_structp) {}

void OnError(png_structp Png, png_const_charp) {
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Plain locals only: libpng reports errors by longjmp.
bool Write(png_structp Png, png_infop Info, const TPicture& Picture, std::vector<uint8_t>& Row,
           std::vector<uint8_t>& Out) {
    if (setjmp(png_jmpbuf(Png))) {
        return false;
    }
    png_set_write_fn(Png, &Out, WriteBytes, FlushNothing);
    png_set_IHDR(Png, Info, static_cast<png_uint_32>(Picture.Width), static_cast<png_uint_32>(Picture.Height),
                 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(Png, 6);
    png_write_info(Png, Info);
    for (int Y = 0; Y < Picture.Height; ++Y) {
        for (int X = 0; X < Picture.Width; ++X) {
            const uint32_t Pixel = Picture.At(X, Y);
            uint8_t* P = Row.data() + static_cast<size_t>(X) * 4;
            P[0] = static_cast<uint8_t>(Pixel);
            P[1] = static_cast<uint8_t>(Pixel >> 8);
            P[2] = static_cast<uint8_t>(Pixel >> 16);
            P[3] = static_cast<uint8_t>(Pixel >> 24);
        }
        png_write_row(Png, Row.data());
    }
    png_write_end(Png, Info);
    return true;
}

} // namespace

bool TPngEncoder::Encode(const TPicture& Picture, std::vector<uint8_t>& Out) {
    Out.clear();
    if (Picture.Width <= 0 || Picture.Height <= 0 ||
        Picture.Pixels.size() != static_cast<size_t>(Picture.Width) * static_cast<size_t>(Picture.Height)) {
        return false;
    }
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!Png) {
        return false;
    }
    png_infop Info = png_create_info_struct(Png);
    if (!Info) {
        png_destroy_write_struct(&Png, nullptr);
        return false;
    }
    std::vector<uint8_t> Row(static_cast<size_t>(Picture.Width) * 4);
    const bool Ok = Write(Png, Info, Picture, Row, Out);
    png_destroy_write_struct(&Png, &Info);
    if (!Ok) {
        Out.clear();
    }
    return Ok;
}

bool TPngEncoder::Save(const std::string& Path, const TPicture& Picture, std::string* Error) {
    std::vector<uint8_t> Data;
    if (!Encode(Picture, Data)) {
        if (Error) {
            *Error = "Cannot encode \"" + Path + "\" as PNG";
        }
        return false;
    }
    return TFile::WriteAtomic(Path, Data.data(), Data.size(), Error);
}
