#include "runtime/TFile.h"

#include "runtime/TMessageBox.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void SetError(std::string* Error, const std::string& What, const std::string& Path, int Code) {
    if (Error) {
        *Error = What + " \"" + Path + "\": " + std::strerror(Code);
    }
}

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
    // Not blocking: opening a pipe with no writer would otherwise wait for ever.
    int Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
        return false;
    }
    struct stat Info;
    if (::fstat(Fd, &Info) != 0 || S_ISDIR(Info.st_mode)) {
        ::close(Fd);
        return false;
    }
    if (!S_ISREG(Info.st_mode)) {
        ::close(Fd);
        Refuse(Path, "it is not a file but a device, a pipe or a socket");
        return false;
    }
    if (!Head && static_cast<uint64_t>(Info.st_size) > Limit) {
        ::close(Fd);
        RefuseTooLarge(Path, Limit);
        return false;
    }
    Out.clear();
    Out.reserve(std::min(static_cast<size_t>(Info.st_size), Limit));
    char Buffer[65536];
    while (Out.size() <= Limit) {
        const size_t Wanted = std::min(sizeof Buffer, Limit + 1 - Out.size());
        ssize_t Got = ::read(Fd, Buffer, Wanted);
        if (Got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(Fd);
            return false;
        }
        if (Got == 0) {
            break;
        }
        Out.append(Buffer, static_cast<size_t>(Got));
    }
    ::close(Fd);
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
    if (Path.empty()) {
        if (Error != nullptr)
            *Error = "no folder to save into";
        return false;
    }
    const std::string Temp = Path + ".tmp";
    int Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (Fd < 0) {
        SetError(Error, "Cannot create", Temp, errno);
        return false;
    }
    const char* Bytes = static_cast<const char*>(Data);
    size_t Done = 0;
    while (Done < Size) {
        ssize_t Put = ::write(Fd, Bytes + Done, Size - Done);
        if (Put < 0) {
            if (errno == EINTR) {
                continue;
            }
            int Code = errno;
            ::close(Fd);
            ::unlink(Temp.c_str());
            SetError(Error, "Cannot write", Temp, Code);
            return false;
        }
        Done += static_cast<size_t>(Put);
    }
    if (::fsync(Fd) != 0) {
        int Code = errno;
        ::close(Fd);
        ::unlink(Temp.c_str());
        SetError(Error, "Cannot flush", Temp, Code);
        return false;
    }
    if (::close(Fd) != 0) {
        int Code = errno;
        ::unlink(Temp.c_str());
        SetError(Error, "Cannot close", Temp, Code);
        return false;
    }
    if (::rename(Temp.c_str(), Path.c_str()) != 0) {
        int Code = errno;
        ::unlink(Temp.c_str());
        SetError(Error, "Cannot replace", Path, Code);
        return false;
    }
    // Make the rename itself durable; failing here does not lose data, so it is not an error.
    std::string Folder = Path;
    size_t Slash = Folder.find_last_of('/');
    Folder = Slash == std::string::npos ? std::string(".")
                                        : (Slash == 0 ? std::string("/") : Folder.substr(0, Slash));
    int DirFd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DirFd >= 0) {
        ::fsync(DirFd);
        ::close(DirFd);
    }
    return true;
}

bool TFile::Exists(const std::string& Path) {
    struct stat Info;
    return ::stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode);
}

bool TFile::IsDirectory(const std::string& Path) {
    struct stat Info;
    return ::stat(Path.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}

bool TFile::CopyFile(const std::string& From, const std::string& To) {
    std::string Bytes;
    if (!ReadBytes(From, Bytes, LargeLimit, false)) {
        return false;
    }
    return WriteAtomic(To, Bytes.data(), Bytes.size());
}

bool TFile::Remove(const std::string& Path) {
    return ::unlink(Path.c_str()) == 0;
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
    if (::mkdir(Path.c_str(), 0755) == 0) {
        return true;
    }
    return errno == EEXIST && IsDirectory(Path);
}
