#include "runtime/TSystemLocale.h"

#include <SDL.h>

#include <cctype>

std::optional<std::vector<std::string>> TSystemLocale::Override;

std::vector<std::string> TSystemLocale::PreferredLanguages() {
    if (Override)
        return *Override;
    std::vector<std::string> Codes;
    SDL_Locale* Locales = SDL_GetPreferredLocales();
    if (Locales == nullptr)
        return Codes;
    for (const SDL_Locale* Locale = Locales; Locale->language != nullptr; ++Locale) {
        std::string Code = Locale->language;
        for (char& C : Code)
            C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
        Codes.push_back(Code);
    }
    SDL_free(Locales);
    return Codes;
}
