#include "runtime/TFile.h"

#include "runtime/TFileSystem.h"
#include "runtime/TMessageBox.h"

#include <algorithm>
#include <set>

namespace {

// One message per file the game cannot use however often it is asked for.
void Refuse(const std::string& Path, const std::string& Why) {
    static std::set<std::string> Reported;
    if (Reported.insert(Path).second)
        TMessageBox::Show("Zerathon", "The game cannot use " + Path + ": " + Why + "; it goes on without it.",
                          true);
}

void RefuseTooLarge(const std::string& Path, size_t Limit) {
    Refuse(Path, "it is larger than " + std::to_string(Limit >> 20) + " MB, far more than such a file holds");
}

// Up to Limit bytes of Path into Out; a file with more fails unless Head (a prefix is all that is wanted).
bool ReadBytes(const std::string& Path, std::string& Out, size_t Limit, bool Head) {
    TFileSystem::TReader File(Path);
    if (!File.IsOpen() || File.Kind() == TFileSystem::TKind::Folder)
        return false;
    if (File.Kind() != TFileSystem::TKind::File) {
        Refuse(Path, "it is not a file but a device, a pipe or a socket");
        return false;
    }
    if (!Head && File.Size() > Limit) {
        RefuseTooLarge(Path, Limit);
        return false;
    }
    Out.clear();
    Out.reserve(static_cast<size_t>(std::min<uint64_t>(File.Size(), Limit)));
    char Buffer[65536];
    while (Out.size() <= Limit) {
        const long long Got = File.Read(Buffer, std::min(sizeof Buffer, Limit + 1 - Out.size()));
        if (Got < 0)
            return false;
        if (Got == 0)
            break;
        Out.append(Buffer, static_cast<size_t>(Got));
    }
    if (Out.size() <= Limit)
        return true;
    if (Head) {
        Out.resize(Limit);
        return true;
    }
    // It grew while it was read.
    RefuseTooLarge(Path, Limit);
    Out.clear();
    return false;
}

bool ReadVector(const std::string& Path, std::vector<uint8_t>& Data, size_t Limit, bool Head) {
    std::string Bytes;
    if (!ReadBytes(Path, Bytes, Limit, Head)) {
        return false;
    }
    Data.assign(Bytes.begin(), Bytes.end());
    return true;
}

} // namespace

bool TFile::ReadAll(const std::string& Path, std::vector<uint8_t>& Data, size_t Limit) {
    return ReadVector(Path, Data, Limit, false);
}

bool TFile::ReadText(const std::string& Path, std::string& Text, size_t Limit) {
    return ReadBytes(Path, Text, Limit, false);
}

bool TFile::ReadHead(const std::string& Path, size_t Size, std::vector<uint8_t>& Data) {
    return ReadVector(Path, Data, Size, true);
}

bool TFile::WriteAtomic(const std::string& Path, const void* Data, size_t Size, std::string* Error) {
    // An empty path would put the temporary file into whatever the working directory is.
    std::string Why = "no folder to save into";
    const bool Written = !Path.empty() && TFileSystem::Replace(Path + ".tmp", Path, Data, Size, Why);
    if (!Written && Error != nullptr)
        *Error = Why;
    return Written;
}

bool TFile::Exists(const std::string& Path) {
    return TFileSystem::KindOf(Path) == TFileSystem::TKind::File;
}

bool TFile::IsDirectory(const std::string& Path) {
    return TFileSystem::KindOf(Path) == TFileSystem::TKind::Folder;
}

bool TFile::CopyFile(const std::string& From, const std::string& To) {
    std::string Bytes;
    if (!ReadBytes(From, Bytes, LargeLimit, false)) {
        return false;
    }
    return WriteAtomic(To, Bytes.data(), Bytes.size());
}

bool TFile::Remove(const std::string& Path) {
    return TFileSystem::Remove(Path);
}

bool TFile::MakeDirectory(const std::string& Path) {
    if (Path.empty()) {
        return false;
    }
    if (IsDirectory(Path)) {
        return true;
    }
    size_t Slash = Path.find_last_of('/', Path.size() >= 2 ? Path.size() - 2 : 0);
    if (Slash != std::string::npos && Slash > 0) {
        MakeDirectory(Path.substr(0, Slash));
    }
    return TFileSystem::MakeFolder(Path);
}
