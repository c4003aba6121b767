#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole-file helpers. Save files go through WriteAtomic so a crash or a full disk never leaves a
// truncated file behind: the old file stays until the new one is complete on disk.
class TFile {
  public:
    static bool ReadAll(const std::string& Path, std::vector<uint8_t>& Data);
    static bool ReadText(const std::string& Path, std::string& Text);
    // Writes Path + ".tmp", flushes it to disk and renames it over Path. On failure the temporary file
    // is removed, the old file is untouched and Error (if given) says what went wrong.
    static bool WriteAtomic(const std::string& Path, const void* Data, size_t Size,
                            std::string* Error = nullptr);
    static bool Exists(const std::string& Path);
    static bool IsDirectory(const std::string& Path);
    static bool CopyFile(const std::string& From, const std::string& To);
    static bool Remove(const std::string& Path);
    // Creates the folder (and missing parents); true if it exists afterwards.
    static bool MakeDirectory(const std::string& Path);
};
