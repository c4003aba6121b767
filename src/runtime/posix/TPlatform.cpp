#include "runtime/TPlatform.h"

#include <cstdlib>

std::tm TPlatform::LocalTime(std::time_t When) {
    std::tm Local{};
    localtime_r(&When, &Local);
    return Local;
}

std::vector<std::string> TPlatform::Arguments(int Count, char** Values) {
    return Count > 1 ? std::vector<std::string>(Values + 1, Values + Count) : std::vector<std::string>();
}

void TPlatform::UseParentConsole() {}

void TPlatform::IgnoreUnusableDataHome() {
    const char* DataHome = std::getenv("XDG_DATA_HOME");
    if (DataHome != nullptr && DataHome[0] != '/')
        ::unsetenv("XDG_DATA_HOME");
}
