#pragma once
// The languages a pack can be made for: the English word that names the pack's library and
// the name the language page lists.
#include <array>
#include <string>
#include <string_view>

struct LanguageName
{
    std::u16string_view packName;
    std::u16string_view displayName;
};

inline constexpr std::array<LanguageName, 6> kLanguageNames = {{
    {u"English", u"English"},
    {u"Spanish", u"Espa\u00F1ol"},
    {u"German", u"Deutsch"},
    {u"French", u"Fran\u00E7ais"},
    {u"Italian", u"Italiano"},
    {u"Portuguese", u"Portugu\u00EAs"},
}};

inline constexpr std::u16string_view kDefaultPackName = u"English";

// Exact, case-sensitive lookups; any other text gives "English".
std::u16string DisplayNameOf(std::u16string_view packName);
std::u16string PackNameOf(std::u16string_view displayName);

// "%s%s.dll": the program folder (with its trailing separator) followed by the pack name.
std::u16string PackLibraryPath(std::u16string_view programDir, std::u16string_view packName);
