#include "runtime/TPlatform.h"

#include "runtime/windows/TWide.h"

#include <cstdio>
#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

std::tm TPlatform::LocalTime(std::time_t When) {
    std::tm Local{};
    localtime_s(&Local, &When);
    return Local;
}

// The narrow argv went through the ANSI code page, which has no room for most of the world's letters.
std::vector<std::string> TPlatform::Arguments(int, char**) {
    std::vector<std::string> Arguments;
    int Count = 0;
    wchar_t** Values = CommandLineToArgvW(GetCommandLineW(), &Count);
    if (Values == nullptr)
        return Arguments;
    for (int I = 1; I < Count; ++I)
        Arguments.push_back(TWide::ToUtf8(Values[I]));
    LocalFree(Values);
    return Arguments;
}

// A windowed program starts with no console. Output already sent somewhere (a pipe, a file) stays
// there; otherwise it goes to the console of the command prompt that started the game, if any.
void TPlatform::UseParentConsole() {
    const auto Redirected = [](DWORD Which) {
        const HANDLE Handle = GetStdHandle(Which);
        return Handle != nullptr && Handle != INVALID_HANDLE_VALUE &&
               GetFileType(Handle) != FILE_TYPE_UNKNOWN;
    };
    const bool Output = Redirected(STD_OUTPUT_HANDLE);
    const bool Errors = Redirected(STD_ERROR_HANDLE);
    if ((Output && Errors) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!Output)
        std::freopen("CONOUT$", "w", stdout);
    if (!Errors)
        std::freopen("CONOUT$", "w", stderr);
}

void TPlatform::IgnoreUnusableDataHome() {}
