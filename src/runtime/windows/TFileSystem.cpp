#include "runtime/TFileSystem.h"

#include "runtime/windows/TWide.h"

#include <windows.h>

namespace {

std::wstring Wide(const std::string& Path) {
    return TWide::FromUtf8(Path);
}

std::string Failure(const std::string& What, const std::string& Path) {
    return What + " \"" + Path + "\": " + TFileSystem::LastError();
}

bool WriteAll(HANDLE File, const char* Bytes, size_t Size) {
    while (Size > 0) {
        const DWORD Chunk = static_cast<DWORD>(Size < (1u << 30) ? Size : (1u << 30));
        DWORD Put = 0;
        if (!WriteFile(File, Bytes, Chunk, &Put, nullptr))
            return false;
        Bytes += Put;
        Size -= Put;
    }
    return true;
}

// Another program (an antivirus, a backup tool, an indexer) may hold the old file open for a moment.
bool MoveOver(const std::wstring& From, const std::wstring& To) {
    for (int Attempt = 0;; ++Attempt) {
        if (MoveFileExW(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD Code = GetLastError();
        const bool Held =
            Code == ERROR_ACCESS_DENIED || Code == ERROR_SHARING_VIOLATION || Code == ERROR_LOCK_VIOLATION;
        if (!Held || Attempt == 20)
            return false;
        Sleep(25);
    }
}

} // namespace

TFileSystem::TReader::TReader(const std::string& Path) {
    // A folder opens only with backup semantics, and is then told apart by its attributes.
    const HANDLE File = CreateFileW(Wide(Path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (File == INVALID_HANDLE_VALUE)
        return;
    Handle = reinterpret_cast<intptr_t>(File);
    BY_HANDLE_FILE_INFORMATION Info;
    if (GetFileType(File) != FILE_TYPE_DISK || !GetFileInformationByHandle(File, &Info)) {
        OpenKind = TKind::Other;
        return;
    }
    OpenKind = (Info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? TKind::Folder : TKind::File;
    FileSize = (static_cast<uint64_t>(Info.nFileSizeHigh) << 32) | Info.nFileSizeLow;
}

TFileSystem::TReader::~TReader() {
    if (IsOpen())
        CloseHandle(reinterpret_cast<HANDLE>(Handle));
}

long long TFileSystem::TReader::Read(void* Buffer, size_t Capacity) {
    DWORD Got = 0;
    const DWORD Wanted = static_cast<DWORD>(Capacity < (1u << 30) ? Capacity : (1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(Handle), Buffer, Wanted, &Got, nullptr))
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    return Got;
}

// Opened rather than asked for its attributes: a device name (NUL, CON, COM1) answers the attribute
// query as a file in every folder.
TFileSystem::TKind TFileSystem::KindOf(const std::string& Path) {
    const HANDLE File =
        CreateFileW(Wide(Path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (File == INVALID_HANDLE_VALUE) {
        // There, but not to be opened (being deleted, or locked by its owner): its attributes tell.
        const DWORD Attributes = GetFileAttributesW(Wide(Path).c_str());
        if (Attributes == INVALID_FILE_ATTRIBUTES)
            return TKind::Missing;
        return (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? TKind::Folder : TKind::File;
    }
    BY_HANDLE_FILE_INFORMATION Info;
    TKind Kind = TKind::Other;
    if (GetFileType(File) == FILE_TYPE_DISK && GetFileInformationByHandle(File, &Info))
        Kind = (Info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? TKind::Folder : TKind::File;
    CloseHandle(File);
    return Kind;
}

bool TFileSystem::Replace(const std::string& Temp, const std::string& Path, const void* Data, size_t Size,
                          std::string& Error) {
    const std::wstring WideTemp = Wide(Temp);
    const HANDLE File = CreateFileW(WideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (File == INVALID_HANDLE_VALUE) {
        Error = Failure("Cannot create", Temp);
        return false;
    }
    const char* Step = nullptr;
    if (!WriteAll(File, static_cast<const char*>(Data), Size))
        Step = "Cannot write";
    else if (!FlushFileBuffers(File))
        Step = "Cannot flush";
    if (Step != nullptr)
        Error = Failure(Step, Temp);
    if (!CloseHandle(File) && Step == nullptr) {
        Step = "Cannot close";
        Error = Failure(Step, Temp);
    }
    if (Step == nullptr && !MoveOver(WideTemp, Wide(Path))) {
        Step = "Cannot replace";
        Error = Failure(Step, Path);
    }
    if (Step != nullptr)
        DeleteFileW(WideTemp.c_str());
    return Step == nullptr;
}

bool TFileSystem::Remove(const std::string& Path) {
    return DeleteFileW(Wide(Path).c_str()) != 0;
}

bool TFileSystem::MakeFolder(const std::string& Path) {
    return CreateDirectoryW(Wide(Path).c_str(), nullptr) != 0 ||
           (GetLastError() == ERROR_ALREADY_EXISTS && KindOf(Path) == TKind::Folder);
}

std::vector<std::string> TFileSystem::List(const std::string& Folder) {
    std::vector<std::string> Names;
    WIN32_FIND_DATAW Entry;
    const HANDLE Search =
        FindFirstFileW(Wide((Folder.empty() ? std::string(".") : Folder) + "/*").c_str(), &Entry);
    if (Search == INVALID_HANDLE_VALUE)
        return Names;
    do {
        const std::string Name = TWide::ToUtf8(Entry.cFileName);
        if (Name != "." && Name != "..")
            Names.push_back(Name);
    } while (FindNextFileW(Search, &Entry));
    FindClose(Search);
    return Names;
}

std::FILE* TFileSystem::Open(const std::string& Path, const char* Mode) {
    std::wstring WideMode = Wide(Mode);
    if (WideMode.find(L'b') == std::wstring::npos)
        WideMode += L'b';
    return _wfopen(Wide(Path).c_str(), WideMode.c_str());
}

std::string TFileSystem::LastError() {
    const DWORD Code = GetLastError();
    wchar_t* Text = nullptr;
    const DWORD Length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, Code, 0, reinterpret_cast<wchar_t*>(&Text), 0, nullptr);
    std::string Message = Length > 0 ? TWide::ToUtf8(std::wstring(Text, Length)) : std::string();
    LocalFree(Text);
    // The system's sentence ends in a full stop and a line break; ours goes on after it.
    while (!Message.empty() && (Message.back() == '\n' || Message.back() == '\r' || Message.back() == '.' ||
                                Message.back() == ' '))
        Message.pop_back();
    return Message.empty() ? "error " + std::to_string(Code) : Message;
}
