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
    // Text files may be saved by translators and players in any of the usual encodings: UTF-16 with a
    // byte-order mark and valid UTF-8 with non-ASCII bytes are converted, anything else is already
    // Windows-1250. A UTF-8 byte-order mark is dropped.
    static std::string FromFileText(const std::string& Raw);
    // UTF-16 without its byte-order mark; characters without a Windows-1250 byte are dropped.
    static std::string FromUtf16(const std::string& Bytes, bool BigEndian);
    // A file's text without the byte-order mark an editor may have put first: UTF-16 becomes
    // Windows-1250, a UTF-8 mark is dropped, anything else stays as it is.
    static std::string WithoutByteOrderMark(const std::string& Raw);
    // The Windows-1250 byte of a code point, or -1 if it has none.
    static int ByteOf(char32_t CodePoint);
    // The code point of a byte; U+FFFD for the five bytes with no character.
    static char32_t CodePointOf(unsigned char Byte);
};
