#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// The operating system's files. Every path in the game is UTF-8 with '/' between its parts; this is
// the one place that hands it to the system as the system wants it (wide characters on Windows, where
// a narrow path would go through the ANSI code page and lose every letter outside it).
class TFileSystem {
  public:
    enum class TKind { Missing, File, Folder, Other };

    // A file opened for reading. Opening never waits (a pipe with no writer), and Kind tells a folder,
    // a device or a pipe from a regular file before anything is read.
    class TReader {
      public:
        explicit TReader(const std::string& Path);
        ~TReader();
        TReader(const TReader&) = delete;
        TReader& operator=(const TReader&) = delete;

        bool IsOpen() const { return Handle != Closed; }
        TKind Kind() const { return OpenKind; }
        uint64_t Size() const { return FileSize; }
        // Bytes read into Buffer: 0 at the end, -1 on an error.
        long long Read(void* Buffer, size_t Capacity);

      private:
        static constexpr intptr_t Closed = -1;
        intptr_t Handle = Closed;
        TKind OpenKind = TKind::Missing;
        uint64_t FileSize = 0;
    };

    static TKind KindOf(const std::string& Path);
    // Writes Data into Temp, makes it durable and puts it in place of Path in one step, so the old
    // file stays whole until the new one is. On failure Temp is removed and Error says what failed.
    static bool Replace(const std::string& Temp, const std::string& Path, const void* Data, size_t Size,
                        std::string& Error);
    static bool Remove(const std::string& Path);
    // One folder, its parent existing; true when it was made or was already there.
    static bool MakeFolder(const std::string& Path);
    // The names in Folder, without "." and "..".
    static std::vector<std::string> List(const std::string& Folder);
    // A C stream, always in binary mode whatever Mode says.
    static std::FILE* Open(const std::string& Path, const char* Mode);
    // What went wrong in the last call above that failed, in the system's words.
    static std::string LastError();

    // std::filesystem's path for a UTF-8 path, and back.
    static std::filesystem::path Native(const std::string& Path) {
        return std::filesystem::path(std::u8string(Path.begin(), Path.end()));
    }
    static std::string Utf8(const std::filesystem::path& Path) {
        const std::u8string Text = Path.generic_u8string();
        return std::string(Text.begin(), Text.end());
    }
};
