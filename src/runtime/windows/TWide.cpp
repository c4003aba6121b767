#include "runtime/windows/TWide.h"

#include <windows.h>

std::wstring TWide::FromUtf8(const std::string& Text) {
    if (Text.empty())
        return {};
    const int Length =
        MultiByteToWideChar(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
    std::wstring Wide(static_cast<size_t>(Length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), Wide.data(), Length);
    return Wide;
}

std::string TWide::ToUtf8(const std::wstring& Text) {
    if (Text.empty())
        return {};
    const int Length = WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string Narrow(static_cast<size_t>(Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), Narrow.data(), Length,
                        nullptr, nullptr);
    return Narrow;
}
