#include "runtime/TFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void SetError(std::string* Error, const std::string& What, const std::string& Path, int Code) {
    if (Error) {
        *Error = What + " \"" + Path + "\": " + std::strerror(Code);
    }
}

bool ReadBytes(const std::string& Path, std::string& Out) {
    int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (Fd < 0) {
        return false;
    }
    struct stat Info;
    if (::fstat(Fd, &Info) != 0 || S_ISDIR(Info.st_mode)) {
        ::close(Fd);
        return false;
    }
    Out.clear();
    if (Info.st_size > 0) {
        Out.reserve(static_cast<size_t>(Info.st_size));
    }
    char Buffer[65536];
    for (;;) {
        ssize_t Got = ::read(Fd, Buffer, sizeof Buffer);
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
    return true;
}

} // namespace

bool TFile::ReadAll(const std::string& Path, std::vector<uint8_t>& Data) {
    std::string Bytes;
    if (!ReadBytes(Path, Bytes)) {
        return false;
    }
    Data.assign(Bytes.begin(), Bytes.end());
    return true;
}

bool TFile::ReadText(const std::string& Path, std::string& Text) {
    return ReadBytes(Path, Text);
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
    return ::stat(Path.c_str(), &Info) == 0 && !S_ISDIR(Info.st_mode);
}

bool TFile::IsDirectory(const std::string& Path) {
    struct stat Info;
    return ::stat(Path.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}

bool TFile::CopyFile(const std::string& From, const std::string& To) {
    std::string Bytes;
    if (!ReadBytes(From, Bytes)) {
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
