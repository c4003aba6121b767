#pragma once

#include "runtime/TFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What the data tools share: turning every readable source of a folder into a data file, and writing a
// result with a message on failure.
struct TSourceFolder {
    static bool WriteFile(const std::string& Target, const void* Data, size_t Size) {
        std::string Error;
        if (TFile::WriteAtomic(Target, Data, Size, &Error))
            return true;
        std::fprintf(stderr, "%s: %s\n", Target.c_str(), Error.c_str());
        return false;
    }

    // Compiles every SourceDir/NAME.txt to TargetDir/NAME + Extension, in name order, reporting every
    // broken source rather than only the first.
    static bool Build(const std::string& SourceDir, const std::string& TargetDir,
                      const std::string& Extension, const char* What,
                      const std::function<bool(const std::string&, const std::string&)>& Compile) {
        namespace fs = std::filesystem;
        std::error_code Code;
        std::vector<fs::path> Sources;
        for (const fs::directory_entry& Entry : fs::directory_iterator(SourceDir, Code))
            if (Entry.is_regular_file() && Entry.path().extension() == ".txt")
                Sources.push_back(Entry.path());
        if (Code) {
            std::fprintf(stderr, "%s: %s\n", SourceDir.c_str(), Code.message().c_str());
            return false;
        }
        if (!TFile::MakeDirectory(TargetDir)) {
            std::fprintf(stderr, "%s: cannot create the folder\n", TargetDir.c_str());
            return false;
        }
        std::sort(Sources.begin(), Sources.end());
        bool Ok = true;
        for (const fs::path& Source : Sources)
            Ok = Compile(Source.string(), (fs::path(TargetDir) / Source.stem()).string() + Extension) && Ok;
        std::printf("%zu %s, %s\n", Sources.size(), What, Ok ? "all compiled" : "some failed");
        return Ok;
    }
};
