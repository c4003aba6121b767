#include "runtime/TFileSystem.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TFileSystem::TKind KindOfMode(mode_t Mode) {
    if (S_ISREG(Mode))
        return TFileSystem::TKind::File;
    return S_ISDIR(Mode) ? TFileSystem::TKind::Folder : TFileSystem::TKind::Other;
}

bool WriteAll(int Fd, const char* Bytes, size_t Size) {
    size_t Done = 0;
    while (Done < Size) {
        const ssize_t Put = ::write(Fd, Bytes + Done, Size - Done);
        if (Put < 0 && errno == EINTR)
            continue;
        if (Put < 0)
            return false;
        Done += static_cast<size_t>(Put);
    }
    return true;
}

std::string Failure(const std::string& What, const std::string& Path) {
    return What + " \"" + Path + "\": " + TFileSystem::LastError();
}

// Makes the rename itself durable; failing here loses no data, so it is no error.
void SyncFolderOf(const std::string& Path) {
    const size_t Slash = Path.find_last_of('/');
    const std::string Folder = Slash == std::string::npos ? "." : (Slash == 0 ? "/" : Path.substr(0, Slash));
    const int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd >= 0) {
        ::fsync(Fd);
        ::close(Fd);
    }
}

} // namespace

TFileSystem::TReader::TReader(const std::string& Path) {
    // Not blocking: opening a pipe with no writer would otherwise wait for ever.
    const int Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        return;
    struct stat Info;
    if (::fstat(Fd, &Info) != 0) {
        ::close(Fd);
        return;
    }
    Handle = Fd;
    OpenKind = KindOfMode(Info.st_mode);
    FileSize = static_cast<uint64_t>(Info.st_size);
}

TFileSystem::TReader::~TReader() {
    if (IsOpen())
        ::close(static_cast<int>(Handle));
}

long long TFileSystem::TReader::Read(void* Buffer, size_t Capacity) {
    for (;;) {
        const ssize_t Got = ::read(static_cast<int>(Handle), Buffer, Capacity);
        if (Got >= 0 || errno != EINTR)
            return Got;
    }
}

TFileSystem::TKind TFileSystem::KindOf(const std::string& Path) {
    struct stat Info;
    return ::stat(Path.c_str(), &Info) == 0 ? KindOfMode(Info.st_mode) : TKind::Missing;
}

bool TFileSystem::Replace(const std::string& Temp, const std::string& Path, const void* Data, size_t Size,
                          std::string& Error) {
    const int Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (Fd < 0) {
        Error = Failure("Cannot create", Temp);
        return false;
    }
    const char* Step = nullptr;
    if (!WriteAll(Fd, static_cast<const char*>(Data), Size))
        Step = "Cannot write";
    else if (::fsync(Fd) != 0)
        Step = "Cannot flush";
    if (Step != nullptr) {
        Error = Failure(Step, Temp);
        ::close(Fd);
        ::unlink(Temp.c_str());
        return false;
    }
    if (::close(Fd) != 0) {
        Error = Failure("Cannot close", Temp);
        ::unlink(Temp.c_str());
        return false;
    }
    if (::rename(Temp.c_str(), Path.c_str()) != 0) {
        Error = Failure("Cannot replace", Path);
        ::unlink(Temp.c_str());
        return false;
    }
    SyncFolderOf(Path);
    return true;
}

bool TFileSystem::Remove(const std::string& Path) {
    return ::unlink(Path.c_str()) == 0;
}

bool TFileSystem::MakeFolder(const std::string& Path) {
    return ::mkdir(Path.c_str(), 0755) == 0 || (errno == EEXIST && KindOf(Path) == TKind::Folder);
}

std::vector<std::string> TFileSystem::List(const std::string& Folder) {
    std::vector<std::string> Names;
    DIR* Dir = ::opendir(Folder.empty() ? "." : Folder.c_str());
    if (Dir == nullptr)
        return Names;
    while (const dirent* Entry = ::readdir(Dir)) {
        const std::string Name = Entry->d_name;
        if (Name != "." && Name != "..")
            Names.push_back(Name);
    }
    ::closedir(Dir);
    return Names;
}

std::FILE* TFileSystem::Open(const std::string& Path, const char* Mode) {
    return std::fopen(Path.c_str(), Mode);
}

std::string TFileSystem::LastError() {
    return std::strerror(errno);
}
