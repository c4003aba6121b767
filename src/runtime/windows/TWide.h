#pragma once

#include <string>

// UTF-8, the game's text for paths and messages, to and from the wide strings Windows takes.
class TWide {
  public:
    static std::wstring FromUtf8(const std::string& Text);
    static std::string ToUtf8(const std::wstring& Text);
};
