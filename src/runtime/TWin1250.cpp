#include "runtime/TWin1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {

// Code points of bytes 0x80..0xFF; 0 marks the five bytes with no character.
constexpr char16_t HighHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

void AppendUtf8(std::string& Out, char32_t C) {
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (C >> 18));
        Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

// Decodes one strict UTF-8 character at Pos; returns its length, or 0 if the bytes there are malformed.
size_t DecodeUtf8(const std::string& Text, size_t Pos, char32_t& C) {
    const auto Byte = [&](size_t I) { return static_cast<uint8_t>(Text[I]); };
    uint8_t Lead = Byte(Pos);
    size_t Length;
    char32_t Min;
    if (Lead < 0x80) {
        C = Lead;
        return 1;
    } else if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
        C = Lead & 0x1F;
        Min = 0x80;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        C = Lead & 0x0F;
        Min = 0x800;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        C = Lead & 0x07;
        Min = 0x10000;
    } else {
        return 0;
    }
    if (Text.size() - Pos < Length) {
        return 0;
    }
    for (size_t I = 1; I < Length; ++I) {
        uint8_t Next = Byte(Pos + I);
        if ((Next & 0xC0) != 0x80) {
            return 0;
        }
        C = (C << 6) | (Next & 0x3F);
    }
    if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) {
        return 0;
    }
    return Length;
}

} // namespace

int TWin1250::ByteOf(char32_t CodePoint) {
    if (CodePoint < 0x80) {
        return static_cast<int>(CodePoint);
    }
    if (CodePoint > 0xFFFF) {
        return -1;
    }
    // Language files in UTF-8 come through here a character at a time: a binary search, not a walk.
    static const std::array<std::pair<char16_t, int>, 128> ByCodePoint = [] {
        std::array<std::pair<char16_t, int>, 128> Table{};
        for (int I = 0; I < 128; ++I) {
            Table[I] = {HighHalf[I], 0x80 + I};
        }
        std::sort(Table.begin(), Table.end());
        return Table;
    }();
    const auto Found = std::lower_bound(ByCodePoint.begin(), ByCodePoint.end(),
                                        std::make_pair(static_cast<char16_t>(CodePoint), 0));
    return Found != ByCodePoint.end() && Found->first == CodePoint ? Found->second : -1;
}

char32_t TWin1250::CodePointOf(unsigned char Byte) {
    if (Byte < 0x80) {
        return Byte;
    }
    const char32_t C = HighHalf[Byte - 0x80];
    return C != 0 ? C : 0xFFFD;
}

std::string TWin1250::ToUtf8(const std::string& Win1250) {
    std::string Out;
    Out.reserve(Win1250.size() * 2);
    for (char Raw : Win1250) {
        AppendUtf8(Out, CodePointOf(static_cast<unsigned char>(Raw)));
    }
    return Out;
}

std::string TWin1250::FromUtf8(const std::string& Utf8) {
    std::string Out;
    Out.reserve(Utf8.size());
    size_t Pos = 0;
    while (Pos < Utf8.size()) {
        char32_t C;
        size_t Length = DecodeUtf8(Utf8, Pos, C);
        if (Length == 0) {
            ++Pos;
            continue;
        }
        Pos += Length;
        int Byte = ByteOf(C);
        if (Byte >= 0) {
            Out += static_cast<char>(Byte);
        }
    }
    return Out;
}

bool TWin1250::IsValidUtf8(const std::string& Text) {
    size_t Pos = 0;
    while (Pos < Text.size()) {
        char32_t C;
        size_t Length = DecodeUtf8(Text, Pos, C);
        if (Length == 0) {
            return false;
        }
        Pos += Length;
    }
    return true;
}

bool TWin1250::HasNonAscii(const std::string& Text) {
    for (char C : Text) {
        if (static_cast<uint8_t>(C) >= 0x80) {
            return true;
        }
    }
    return false;
}

std::string TWin1250::FromUtf16(const std::string& Bytes, bool BigEndian) {
    std::string Out;
    Out.reserve(Bytes.size() / 2);
    for (size_t At = 0; At + 1 < Bytes.size(); At += 2) {
        const auto First = static_cast<unsigned char>(Bytes[At]);
        const auto Second = static_cast<unsigned char>(Bytes[At + 1]);
        const char32_t Unit = BigEndian ? First << 8 | Second : Second << 8 | First;
        // Surrogate halves stand for characters far outside Windows-1250: dropped with the rest.
        const int Byte = Unit >= 0xD800 && Unit < 0xE000 ? -1 : ByteOf(Unit);
        if (Byte >= 0)
            Out += static_cast<char>(Byte);
    }
    return Out;
}

namespace {
bool Utf16Marked(const std::string& Raw) {
    return Raw.size() >= 2 && (Raw.compare(0, 2, "\xFF\xFE") == 0 || Raw.compare(0, 2, "\xFE\xFF") == 0);
}
} // namespace

std::string TWin1250::WithoutByteOrderMark(const std::string& Raw) {
    if (Utf16Marked(Raw))
        return FromUtf16(Raw.substr(2), Raw[0] == '\xFE');
    if (Raw.size() >= 3 && Raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return Raw.substr(3);
    return Raw;
}

std::string TWin1250::FromFileText(const std::string& Raw) {
    const std::string Body = WithoutByteOrderMark(Raw);
    if (!Utf16Marked(Raw) && HasNonAscii(Body) && IsValidUtf8(Body)) {
        return FromUtf8(Body);
    }
    return Body;
}
