#pragma once

#include "runtime/TFileSystem.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

// A fresh folder under Base (the system's temporary folder unless given), removed afterwards. Its name
// is drawn at random until one is free, so tests running side by side in several processes never share
// one. Paths are UTF-8 with '/', as the game's own.
class TTempDir {
  public:
    TTempDir() : TTempDir(std::filesystem::temp_directory_path(), "zerathon-test-") {}
    TTempDir(const std::filesystem::path& Base, const std::string& Prefix) {
        std::random_device Seed;
        std::mt19937_64 Draw((static_cast<uint64_t>(Seed()) << 32) ^ Seed());
        for (int Attempt = 0; Attempt < 100; ++Attempt) {
            const std::filesystem::path Candidate =
                Base / (Prefix + std::to_string(Draw() % 1000000000000ull));
            std::error_code Error;
            if (std::filesystem::create_directory(Candidate, Error)) {
                Path = TFileSystem::Utf8(Candidate);
                return;
            }
        }
        throw std::runtime_error("cannot make a temporary folder in " + TFileSystem::Utf8(Base));
    }
    ~TTempDir() {
        std::error_code Ignored;
        std::filesystem::remove_all(TFileSystem::Native(Path), Ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // Everything in the folder From, copied in.
    void CopyIn(const std::string& From) const {
        std::filesystem::copy(TFileSystem::Native(From), TFileSystem::Native(Path),
                              std::filesystem::copy_options::recursive);
    }

    std::string File(const std::string& Relative) const { return Path + "/" + Relative; }
    std::string operator/(const std::string& Relative) const { return File(Relative); }
    std::string Dir() const { return Path + "/"; }

    // Without a trailing '/'.
    std::string Path;
};
