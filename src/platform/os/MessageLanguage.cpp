#include "platform/os/MessageLanguage.h"

#include <algorithm>

namespace os {
namespace {

std::string_view LanguageOf(std::string_view entry) {
    return entry.substr(0, entry.find_first_of("_.@"));
}

}  // namespace

std::string MessageLanguage::Choose(const Getenv& getenv,
                                    std::initializer_list<std::string_view> available) {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = getenv(name); value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    const std::string_view language = LanguageOf(locale);
    if (language.empty() || language == "C" || language == "POSIX") return {};
    const auto known = [&](std::string_view lang) {
        return std::find(available.begin(), available.end(), lang) != available.end();
    };
    if (const char* list = getenv("LANGUAGE"); list != nullptr) {
        std::string_view rest = list;
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            const std::string_view lang = LanguageOf(rest.substr(0, colon));
            if (!lang.empty() && known(lang)) return std::string(lang);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    return known(language) ? std::string(language) : std::string();
}

}  // namespace os
