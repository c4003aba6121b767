#pragma once

#include <optional>
#include <string>
#include <vector>

// The languages the player's system prefers, most wanted first, as lower-case ISO 639 codes ("cs", "en").
class TSystemLocale {
  public:
    static std::vector<std::string> PreferredLanguages();
    // When set, answered instead of asking the system (tests, which must not depend on the machine's
    // locale).
    static std::optional<std::vector<std::string>> Override;
};
