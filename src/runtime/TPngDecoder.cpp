#include "runtime/TPngDecoder.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

#include "runtime/TPictureLimits.h"

namespace {

// Everything the libpng callbacks need. Plain data only: libpng reports errors by longjmp, which must
// not skip any destructor.
struct TPngSource {
    const uint8_t* Data;
    size_t Size;
    size_t Pos;
    char Message[256];
};

void ReadBytes(png_structp Png, png_bytep Target, size_t Length) {
    auto* Source = static_cast<TPngSource*>(png_get_io_ptr(Png));
    if (Length > Source->Size - Source->Pos) {
        png_error(Png, "file is truncated");
    }
    std::memcpy(Target, Source->Data + Source->Pos, Length);
    Source->Pos += Length;
}

void OnError(png_structp Png, png_const_charp Message) {
    auto* Source = static_cast<TPngSource*>(png_get_error_ptr(Png));
    std::snprintf(Source->Message, sizeof Source->Message, "%s", Message ? Message : "error");
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Reads the header and sets up the conversion to 8-bit RGBA. Returns false on error.
bool ReadHeader(png_structp Png, png_infop Info, png_uint_32& Width, png_uint_32& Height, bool& Interlaced) {
    if (setjmp(png_jmpbuf(Png))) {
        return false;
    }
    png_read_info(Png, Info);
    Width = png_get_image_width(Png, Info);
    Height = png_get_image_height(Png, Info);
    const int ColourType = png_get_color_type(Png, Info);
    const int BitDepth = png_get_bit_depth(Png, Info);
    if (BitDepth == 16) {
        png_set_strip_16(Png);
    }
    if (ColourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(Png);
    }
    if (ColourType == PNG_COLOR_TYPE_GRAY && BitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(Png);
    }
    if (png_get_valid(Png, Info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(Png);
    }
    if (ColourType == PNG_COLOR_TYPE_GRAY || ColourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(Png);
    }
    // Opaque types get an alpha byte of 255 after blue.
    png_set_add_alpha(Png, 0xFF, PNG_FILLER_AFTER);
    Interlaced = png_set_interlace_handling(Png) > 1;
    png_read_update_info(Png, Info);
    if (png_get_rowbytes(Png, Info) != static_cast<size_t>(Width) * 4) {
        png_error(Png, "unexpected row layout");
    }
    return true;
}

bool ReadRows(png_structp Png, uint32_t* Pixels, png_uint_32 Width, png_uint_32 First, png_uint_32 Count,
              png_bytepp Rows) {
    if (setjmp(png_jmpbuf(Png))) {
        return false;
    }
    if (Rows) {
        png_read_image(Png, Rows);
    } else {
        for (png_uint_32 Y = First; Y < First + Count; ++Y) {
            png_read_row(Png, reinterpret_cast<png_bytep>(Pixels + static_cast<size_t>(Y) * Width), nullptr);
        }
    }
    return true;
}

} // namespace

bool TPngDecoder::Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error) {
    Out = TPicture();
    if (!Data || Size < 8 || png_sig_cmp(Data, 0, 8) != 0) {
        TPictureLimits::Fail(Error, "not a PNG file");
        return false;
    }
    TPngSource Source{Data, Size, 0, {}};
    png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Source, OnError, OnWarning);
    if (!Png) {
        TPictureLimits::Fail(Error, "out of memory");
        return false;
    }
    png_infop Info = png_create_info_struct(Png);
    if (!Info) {
        png_destroy_read_struct(&Png, nullptr, nullptr);
        TPictureLimits::Fail(Error, "out of memory");
        return false;
    }
    png_set_read_fn(Png, &Source, ReadBytes);
    // Refuse oversized pictures and metadata before libpng allocates for them.
    png_set_user_limits(Png, TPictureLimits::MaxSide, TPictureLimits::MaxSide);
    png_set_chunk_cache_max(Png, 1000);
    png_set_chunk_malloc_max(Png, 8u << 20);

    png_uint_32 Width = 0, Height = 0;
    bool Interlaced = false;
    bool Ok = ReadHeader(Png, Info, Width, Height, Interlaced) && TPictureLimits::Check(Width, Height, Error);
    if (Ok) {
        const size_t Count = static_cast<size_t>(Width) * Height;
        if (Interlaced) {
            // Every pass revisits the whole picture, so it needs the full buffer from the start.
            Out.Pixels.assign(Count, 0);
            std::vector<png_bytep> Rows(Height);
            for (png_uint_32 Y = 0; Y < Height; ++Y) {
                Rows[Y] = reinterpret_cast<png_bytep>(Out.Pixels.data() + static_cast<size_t>(Y) * Width);
            }
            Ok = ReadRows(Png, Out.Pixels.data(), Width, 0, Height, Rows.data());
        } else {
            // Grow as rows arrive, so a short file claiming a huge picture costs little.
            Out.Pixels.reserve(Count);
            const png_uint_32 Band = 64;
            for (png_uint_32 Y = 0; Ok && Y < Height; Y += Band) {
                png_uint_32 Rows = std::min(Band, Height - Y);
                Out.Pixels.resize(Out.Pixels.size() + static_cast<size_t>(Rows) * Width);
                Ok = ReadRows(Png, Out.Pixels.data(), Width, Y, Rows, nullptr);
            }
        }
        if (!Ok) {
            TPictureLimits::Fail(Error, std::string("PNG: ") + Source.Message);
        }
    } else if (Source.Message[0]) {
        TPictureLimits::Fail(Error, std::string("PNG: ") + Source.Message);
    }
    png_destroy_read_struct(&Png, &Info, nullptr);
    if (!Ok) {
        Out = TPicture();
        return false;
    }
    if constexpr (std::endian::native == std::endian::big) {
        for (uint32_t& Pixel : Out.Pixels) {
            Pixel = __builtin_bswap32(Pixel);
        }
    }
    Out.Width = static_cast<int>(Width);
    Out.Height = static_cast<int>(Height);
    return true;
}
