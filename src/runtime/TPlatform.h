#pragma once

#include <ctime>
#include <string>
#include <vector>

// The few services of the operating system that are not files: the local time, the command line and
// where its messages go.
class TPlatform {
  public:
    static std::tm LocalTime(std::time_t When);
    // The program's arguments after its name, in UTF-8 whatever the system's code page.
    static std::vector<std::string> Arguments(int Count, char** Values);
    // Messages on standard output and error reach the console the game was started from, when it was
    // started from one; a game started from the desktop shows no console.
    static void UseParentConsole();
    // An empty or relative XDG_DATA_HOME means "not set": SDL would take it literally and save under
    // the root or the working folder.
    static void IgnoreUnusableDataHome();
};
