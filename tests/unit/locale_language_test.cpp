#include "app/core/locale_language.h"

#include <gtest/gtest.h>

TEST(LocaleLanguage, TheFirstSetVariableChoosesThePackByItsLanguageCode)
{
    const struct
    {
        std::string_view lcAll, lcMessages, lang;
        std::u16string_view pack;
    } cases[] = {
        {"", "", "es_ES.UTF-8", u"Spanish"},
        {"", "", "es_MX", u"Spanish"},
        {"", "", "de_AT.UTF-8@euro", u"German"},
        {"", "", "fr", u"French"},
        {"", "", "it_IT.ISO-8859-1", u"Italian"},
        {"", "", "pt_BR.UTF-8", u"Portuguese"},
        {"", "", "en_GB.UTF-8", u"English"},
        // LC_ALL overrides LC_MESSAGES, which overrides LANG.
        {"fr_FR.UTF-8", "de_DE.UTF-8", "es_ES.UTF-8", u"French"},
        {"", "de_DE.UTF-8", "es_ES.UTF-8", u"German"},
        {"C", "", "es_ES.UTF-8", u"English"},
        // Unset, the C locale and languages without a pack.
        {"", "", "", u"English"},
        {"", "", "C.UTF-8", u"English"},
        {"", "", "POSIX", u"English"},
        {"", "", "nl_NL.UTF-8", u"English"},
        {"", "", "est_EE", u"English"}, // a longer code that merely starts like one
        {"", "", "ES_es", u"English"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackNameForLocale(c.lcAll, c.lcMessages, c.lang), c.pack)
            << c.lcAll << " / " << c.lcMessages << " / " << c.lang;
}
