#pragma once

#include <string>

// The game keeps its text as single-byte Windows-1250 (Czech and Slovak); it becomes UTF-8 only on its
// way to the font renderer or a system message, and typed UTF-8 becomes Windows-1250 on the way in.
class TWin1250 {
  public:
    // The five bytes Windows-1250 leaves undefined become U+FFFD.
    static std::string ToUtf8(const std::string& Win1250);
    // Characters without a Windows-1250 byte and malformed UTF-8 are dropped.
    static std::string FromUtf8(const std::string& Utf8);
    // Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
    static bool IsValidUtf8(const std::string& Text);
    static bool HasNonAscii(const std::string& Text);
    // Text files may be saved by translators in either encoding: valid UTF-8 with non-ASCII bytes is
    // taken as UTF-8 and converted, anything else is already Windows-1250. A UTF-8 byte-order mark is
    // dropped.
    static std::string FromFileText(const std::string& Raw);
    // The Windows-1250 byte of a code point, or -1 if it has none.
    static int ByteOf(char32_t CodePoint);
    // The code point of a byte; U+FFFD for the five bytes with no character.
    static char32_t CodePointOf(unsigned char Byte);
};
