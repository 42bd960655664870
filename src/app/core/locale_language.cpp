#include "app/core/locale_language.h"

#include "app/core/language_names.h"

#include <array>
#include <utility>

namespace {

// Language codes of the packs of the language table.
constexpr std::array<std::pair<std::string_view, std::u16string_view>, 6> kLocaleCodes = {{
    {"en", u"English"},
    {"es", u"Spanish"},
    {"de", u"German"},
    {"fr", u"French"},
    {"it", u"Italian"},
    {"pt", u"Portuguese"},
}};

std::string_view LanguageCode(std::string_view locale)
{
    return locale.substr(0, locale.find_first_of("_.@"));
}

} // namespace

std::u16string_view PackNameForLocale(std::string_view lcAll, std::string_view lcMessages,
                                      std::string_view lang)
{
    std::string_view locale = lang;
    if (!lcAll.empty())
        locale = lcAll;
    else if (!lcMessages.empty())
        locale = lcMessages;
    const std::string_view code = LanguageCode(locale);
    for (const auto& [localeCode, packName] : kLocaleCodes)
        if (code == localeCode)
            return packName;
    return kDefaultPackName;
}
