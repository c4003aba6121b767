#pragma once

#include <string_view>

// Names in INI files and on disk match without regard to case, and only ASCII letters fold.
struct TAscii {
    static char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

    static bool SameName(std::string_view A, std::string_view B) {
        if (A.size() != B.size())
            return false;
        for (size_t I = 0; I < A.size(); ++I)
            if (Lower(A[I]) != Lower(B[I]))
                return false;
        return true;
    }
};
