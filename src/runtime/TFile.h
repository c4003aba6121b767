#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole-file helpers. Save files go through WriteAtomic so a crash or a full disk never leaves a
// truncated file behind: the old file stays until the new one is complete on disk.
//
// Only regular files are read, and only up to a limit for their kind far above any real one: a device,
// a pipe or an endless file in place of a game file is refused with one message naming it (never waited
// on, never read until memory runs out), and the game goes on as if the file were missing.
class TFile {
  public:
    // Profiles, high scores, missions and effect files: a few kilobytes at most.
    static constexpr size_t SmallLimit = size_t(1) << 20;
    // INI files, languages, credits.
    static constexpr size_t TextLimit = size_t(16) << 20;
    // Pictures, fonts, samples, input scripts.
    static constexpr size_t LargeLimit = size_t(256) << 20;

    static bool ReadAll(const std::string& Path, std::vector<uint8_t>& Data, size_t Limit = LargeLimit);
    static bool ReadText(const std::string& Path, std::string& Text, size_t Limit = TextLimit);
    // The first Size bytes of a regular file, fewer when it is shorter.
    static bool ReadHead(const std::string& Path, size_t Size, std::vector<uint8_t>& Data);
    // Writes Path + ".tmp", flushes it to disk and renames it over Path. On failure the temporary file
    // is removed, the old file is untouched and Error (if given) says what went wrong.
    static bool WriteAtomic(const std::string& Path, const void* Data, size_t Size,
                            std::string* Error = nullptr);
    // A regular file is there: a folder, device or pipe is no file the game can use.
    static bool Exists(const std::string& Path);
    static bool IsDirectory(const std::string& Path);
    static bool CopyFile(const std::string& From, const std::string& To);
    static bool Remove(const std::string& Path);
    // Creates the folder (and missing parents); true if it exists afterwards.
    static bool MakeDirectory(const std::string& Path);
};
