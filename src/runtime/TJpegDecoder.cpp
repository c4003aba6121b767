#include "runtime/TJpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "runtime/TPictureLimits.h"

namespace {

// libjpeg's default error handler ends the process; ours jumps back to the decoder instead.
struct TJpegError {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// A file that cannot possibly be a game picture: bounds the work a hostile file can cause.
constexpr long MaxMemory = 512L << 20;
constexpr int MaxScans = 256;

[[noreturn]] void OnError(j_common_ptr Info) {
    auto* Error = reinterpret_cast<TJpegError*>(Info->err);
    Error->Manager.format_message(Info, Error->Message);
    std::longjmp(Error->Jump, 1);
}

void OnMessage(j_common_ptr Info, int Level) {
    // libjpeg pads a file that ends early, or whose data stops before the last block, with grey and
    // only warns; we reject such a file. Otherwise a few hundred bytes could claim, and cost the work
    // of, a picture of millions of pixels.
    const int Code = Info->err->msg_code;
    if (Level < 0 && (Code == JWRN_JPEG_EOF || Code == JWRN_HIT_MARKER)) {
        OnError(Info);
    }
}

void OnProgress(j_common_ptr Info) {
    auto* Decompress = reinterpret_cast<j_decompress_ptr>(Info);
    // Progressive files can repeat scans endlessly; real ones need a handful.
    if (Decompress->input_scan_number > MaxScans) {
        Info->err->msg_code = JERR_BAD_SCAN_SCRIPT;
        std::snprintf(reinterpret_cast<TJpegError*>(Info->err)->Message, JMSG_LENGTH_MAX, "too many scans");
        std::longjmp(reinterpret_cast<TJpegError*>(Info->err)->Jump, 1);
    }
}

uint8_t Clamp255(int Value) {
    return static_cast<uint8_t>(Value < 0 ? 0 : (Value > 255 ? 255 : Value));
}

// The decoding itself. Only plain locals live here, because errors arrive by longjmp. Pixels is grown
// row by row so a short file that claims a huge picture costs little.
bool Run(jpeg_decompress_struct& Info, TJpegError& Error, const uint8_t* Data, size_t Size,
         std::vector<uint32_t>& Pixels, std::vector<uint8_t>& Row, int& Width, int& Height,
         std::string* Message) {
    if (setjmp(Error.Jump)) {
        return false;
    }
    jpeg_create_decompress(&Info);
    Info.mem->max_memory_to_use = MaxMemory;
    jpeg_mem_src(&Info, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&Info, TRUE);
    if (!TPictureLimits::Check(Info.image_width, Info.image_height, Message)) {
        Error.Message[0] = 0;
        return false;
    }
    const bool Cmyk = Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK;
    Info.out_color_space = Cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    // Adobe's CMYK files store the ink amounts inverted.
    const bool Inverted = Cmyk && Info.saw_Adobe_marker;
    jpeg_start_decompress(&Info);
    if (Info.output_components != 4) {
        ERREXIT(&Info, JERR_CONVERSION_NOTIMPL);
    }
    Width = static_cast<int>(Info.output_width);
    Height = static_cast<int>(Info.output_height);
    Pixels.reserve(static_cast<size_t>(Width) * Height);
    Row.resize(static_cast<size_t>(Width) * 4);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Scanline = Row.data();
        if (jpeg_read_scanlines(&Info, &Scanline, 1) != 1) {
            ERREXIT(&Info, JERR_INPUT_EOF);
        }
        const uint8_t* P = Row.data();
        const size_t Start = Pixels.size();
        Pixels.resize(Start + static_cast<size_t>(Width));
        uint32_t* Target = Pixels.data() + Start;
        for (int X = 0; X < Width; ++X, P += 4) {
            if (!Cmyk) {
                Target[X] = TPictureLimits::Pack(P[0], P[1], P[2], 255);
                continue;
            }
            int C = P[0], M = P[1], Y = P[2], K = P[3];
            if (!Inverted) {
                C = 255 - C;
                M = 255 - M;
                Y = 255 - Y;
                K = 255 - K;
            }
            Target[X] = TPictureLimits::Pack(Clamp255(C * K / 255), Clamp255(M * K / 255),
                                             Clamp255(Y * K / 255), 255);
        }
    }
    jpeg_finish_decompress(&Info);
    return true;
}

} // namespace

bool TJpegDecoder::Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error) {
    Out = TPicture();
    if (!Data || Size < 4 || Data[0] != 0xFF || Data[1] != 0xD8) {
        TPictureLimits::Fail(Error, "not a JPEG file");
        return false;
    }
    jpeg_decompress_struct Info{};
    TJpegError Failure{};
    Info.err = jpeg_std_error(&Failure.Manager);
    Failure.Manager.error_exit = OnError;
    Failure.Manager.emit_message = OnMessage;
    jpeg_progress_mgr Progress{};
    Progress.progress_monitor = OnProgress;
    Info.progress = &Progress;

    std::vector<uint32_t> Pixels;
    std::vector<uint8_t> Row;
    int Width = 0, Height = 0;
    const bool Ok = Run(Info, Failure, Data, Size, Pixels, Row, Width, Height, Error);
    jpeg_destroy_decompress(&Info);
    if (!Ok) {
        if (Failure.Message[0]) {
            TPictureLimits::Fail(Error, std::string("JPEG: ") + Failure.Message);
        }
        return false;
    }
    Out.Width = Width;
    Out.Height = Height;
    Out.Pixels = std::move(Pixels);
    return true;
}
