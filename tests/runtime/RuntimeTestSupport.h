#pragma once

// Helpers shared by the runtime tests: builders for small BMP and TGA
// files made byte by byte, so the decoders are checked against layouts we state here rather than
// against another decoder.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <cstdio>
#include <jpeglib.h>
#include <png.h>

#include "TTempDir.h"
#include "runtime/TPicture.h"
#include "runtime/TPictureLimits.h"

inline uint32_t Rgba(uint8_t R, uint8_t G, uint8_t B, uint8_t A = 255) {
    return TPictureLimits::Pack(R, G, B, A);
}

// A small picture where every pixel differs, so swapped rows, columns or channels show up.
inline TPicture MakeTestPicture(int Width, int Height, bool WithAlpha) {
    TPicture Picture;
    Picture.Width = Width;
    Picture.Height = Height;
    for (int Y = 0; Y < Height; ++Y) {
        for (int X = 0; X < Width; ++X) {
            uint8_t A = WithAlpha ? static_cast<uint8_t>(40 + 50 * X + 7 * Y) : 255;
            Picture.Pixels.push_back(Rgba(static_cast<uint8_t>(10 + 60 * X),
                                          static_cast<uint8_t>(20 + 50 * Y),
                                          static_cast<uint8_t>(200 - 30 * X - 10 * Y), A));
        }
    }
    return Picture;
}

inline void Put16(std::vector<uint8_t>& Out, uint32_t V) {
    Out.push_back(static_cast<uint8_t>(V));
    Out.push_back(static_cast<uint8_t>(V >> 8));
}

inline void Put32(std::vector<uint8_t>& Out, uint32_t V) {
    Put16(Out, V & 0xFFFF);
    Put16(Out, V >> 16);
}

inline uint8_t Channel(uint32_t Pixel, int Shift) {
    return static_cast<uint8_t>(Pixel >> Shift);
}

// A BMP with a 40-byte header. BitCount 24 or 32 stores Picture directly; 8 stores palette indices
// (Picture's pixel values are then taken as indices into Palette).
inline std::vector<uint8_t> MakeBmp(const TPicture& Picture, int BitCount, bool TopDown,
                                    const std::vector<uint32_t>& Palette = {}) {
    const uint32_t Stride = (static_cast<uint32_t>(Picture.Width) * BitCount + 31) / 32 * 4;
    const uint32_t PaletteBytes = static_cast<uint32_t>(Palette.size()) * 4;
    const uint32_t Offset = 14 + 40 + PaletteBytes;
    std::vector<uint8_t> Out{'B', 'M'};
    Put32(Out, Offset + Stride * Picture.Height);
    Put32(Out, 0);
    Put32(Out, Offset);
    Put32(Out, 40);
    Put32(Out, static_cast<uint32_t>(Picture.Width));
    Put32(Out, static_cast<uint32_t>(TopDown ? -Picture.Height : Picture.Height));
    Put16(Out, 1);
    Put16(Out, static_cast<uint32_t>(BitCount));
    Put32(Out, 0); // BI_RGB
    Put32(Out, Stride * Picture.Height);
    Put32(Out, 2835);
    Put32(Out, 2835);
    Put32(Out, static_cast<uint32_t>(Palette.size()));
    Put32(Out, 0);
    for (uint32_t Entry : Palette) {
        Out.push_back(Channel(Entry, 16));
        Out.push_back(Channel(Entry, 8));
        Out.push_back(Channel(Entry, 0));
        Out.push_back(0);
    }
    for (int Row = 0; Row < Picture.Height; ++Row) {
        const int Y = TopDown ? Row : Picture.Height - 1 - Row;
        size_t Start = Out.size();
        for (int X = 0; X < Picture.Width; ++X) {
            const uint32_t P = Picture.At(X, Y);
            if (BitCount == 8) {
                Out.push_back(static_cast<uint8_t>(P));
                continue;
            }
            Out.push_back(Channel(P, 16));
            Out.push_back(Channel(P, 8));
            Out.push_back(Channel(P, 0));
            if (BitCount == 32) {
                Out.push_back(Channel(P, 24));
            }
        }
        Out.resize(Start + Stride, 0);
    }
    return Out;
}

// A true-colour TGA (24 or 32 bits), raw or run-length, stored top-down or bottom-up, with an id field.
inline std::vector<uint8_t> MakeTga(const TPicture& Picture, int Depth, bool Rle, bool TopDown) {
    std::vector<uint8_t> Out;
    const std::string Id = "zerathon";
    Out.push_back(static_cast<uint8_t>(Id.size()));
    Out.push_back(0);
    Out.push_back(Rle ? 10 : 2);
    Put16(Out, 0);
    Put16(Out, 0);
    Out.push_back(0);
    Put16(Out, 0);
    Put16(Out, 0);
    Put16(Out, static_cast<uint32_t>(Picture.Width));
    Put16(Out, static_cast<uint32_t>(Picture.Height));
    Out.push_back(static_cast<uint8_t>(Depth));
    Out.push_back(static_cast<uint8_t>((TopDown ? 0x20 : 0) | (Depth == 32 ? 8 : 0)));
    Out.insert(Out.end(), Id.begin(), Id.end());
    std::vector<uint32_t> Order;
    for (int Row = 0; Row < Picture.Height; ++Row) {
        const int Y = TopDown ? Row : Picture.Height - 1 - Row;
        for (int X = 0; X < Picture.Width; ++X) {
            Order.push_back(Picture.At(X, Y));
        }
    }
    const auto PutPixel = [&](uint32_t P) {
        Out.push_back(Channel(P, 16));
        Out.push_back(Channel(P, 8));
        Out.push_back(Channel(P, 0));
        if (Depth == 32) {
            Out.push_back(Channel(P, 24));
        }
    };
    if (!Rle) {
        for (uint32_t P : Order) {
            PutPixel(P);
        }
        return Out;
    }
    // Runs of equal pixels become run packets, everything else raw packets; packets cross rows.
    size_t I = 0;
    while (I < Order.size()) {
        size_t Run = 1;
        while (I + Run < Order.size() && Run < 128 && Order[I + Run] == Order[I]) {
            ++Run;
        }
        if (Run > 1) {
            Out.push_back(static_cast<uint8_t>(0x80 | (Run - 1)));
            PutPixel(Order[I]);
            I += Run;
            continue;
        }
        size_t Raw = 1;
        while (I + Raw < Order.size() && Raw < 128 &&
               (I + Raw + 1 >= Order.size() || Order[I + Raw] != Order[I + Raw + 1])) {
            ++Raw;
        }
        Out.push_back(static_cast<uint8_t>(Raw - 1));
        for (size_t K = 0; K < Raw; ++K) {
            PutPixel(Order[I + K]);
        }
        I += Raw;
    }
    return Out;
}

// A picture with long runs of one colour, for the run-length paths.
inline TPicture MakeBandedPicture(int Width, int Height) {
    TPicture Picture;
    Picture.Width = Width;
    Picture.Height = Height;
    for (int Y = 0; Y < Height; ++Y) {
        for (int X = 0; X < Width; ++X) {
            Picture.Pixels.push_back(X < Width / 2 ? Rgba(255, 0, 0, 200)
                                                   : Rgba(0, static_cast<uint8_t>(Y * 9), 255, 100));
        }
    }
    return Picture;
}

// libpng's low-level writer, for what TPngEncoder never writes: interlaced RGB without alpha.
inline std::vector<uint8_t> MakeInterlacedRgbPng(const TPicture& Picture) {
    std::vector<uint8_t> Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    png_set_write_fn(
        Png, &Out,
        [](png_structp P, png_bytep Data, size_t Length) {
            auto* Target = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(P));
            Target->insert(Target->end(), Data, Data + Length);
        },
        nullptr);
    png_set_IHDR(Png, Info, Picture.Width, Picture.Height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_ADAM7,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    std::vector<std::vector<uint8_t>> Rows(Picture.Height);
    std::vector<png_bytep> RowPointers;
    for (int Y = 0; Y < Picture.Height; ++Y) {
        for (int X = 0; X < Picture.Width; ++X) {
            for (int Shift : {0, 8, 16}) {
                Rows[Y].push_back(Channel(Picture.At(X, Y), Shift));
            }
        }
        RowPointers.push_back(Rows[Y].data());
    }
    png_write_image(Png, RowPointers.data());
    png_write_end(Png, Info);
    png_destroy_write_struct(&Png, &Info);
    return Out;
}

inline std::vector<uint8_t> MakeJpeg(int Width, int Height, bool Grey, uint8_t R, uint8_t G, uint8_t B,
                                     bool Progressive = false) {
    jpeg_compress_struct Info;
    jpeg_error_mgr Errors;
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = Width;
    Info.image_height = Height;
    Info.input_components = Grey ? 1 : 3;
    Info.in_color_space = Grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, 95, TRUE);
    if (Progressive) {
        jpeg_simple_progression(&Info);
    }
    jpeg_start_compress(&Info, TRUE);
    std::vector<uint8_t> Row;
    for (int X = 0; X < Width; ++X) {
        if (Grey) {
            Row.push_back(R);
        } else {
            Row.insert(Row.end(), {R, G, B});
        }
    }
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Pointer = Row.data();
        jpeg_write_scanlines(&Info, &Pointer, 1);
    }
    jpeg_finish_compress(&Info);
    std::vector<uint8_t> Out(Buffer, Buffer + Size);
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
    return Out;
}
