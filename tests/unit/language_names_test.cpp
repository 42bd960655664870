#include "app/core/language_names.h"

#include <gtest/gtest.h>

TEST(LanguageNames, LookupsAreExactAndFallBackToEnglish)
{
    const struct
    {
        std::u16string_view input;
        std::u16string_view displayOf;
        std::u16string_view packOf;
    } cases[] = {
        {u"Spanish", u"Espa\u00F1ol", u"English"},
        {u"Espa\u00F1ol", u"English", u"Spanish"},
        {u"Fran\u00E7ais", u"English", u"French"},
        {u"Portugu\u00EAs", u"English", u"Portuguese"},
        {u"Deutsch", u"English", u"German"},
        {u"Italian", u"Italiano", u"English"},
        {u"English", u"English", u"English"},
        {u"espa\u00F1ol", u"English", u"English"}, // other letter case is no match
        {u"spanish", u"English", u"English"},
        {u"ESPA\u00D1OL", u"English", u"English"},
        {u"Espa\u00F1ol ", u"English", u"English"},
        {u"", u"English", u"English"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayNameOf(c.input), c.displayOf);
        EXPECT_EQ(PackNameOf(c.input), c.packOf);
    }
}

TEST(LanguageNames, EveryDisplayNameLeadsBackToItsPack)
{
    for (const LanguageName& language : kLanguageNames)
        EXPECT_EQ(PackNameOf(DisplayNameOf(language.packName)), language.packName);
}

TEST(LanguageNames, TheLibraryPathIsTheFolderThenTheNameThenDll)
{
    EXPECT_EQ(PackLibraryPath(u"/home/user/run/", u"English"), u"/home/user/run/English.dll");
    EXPECT_EQ(PackLibraryPath(u"C:\\Camtivo\\", u"Spanish"), u"C:\\Camtivo\\Spanish.dll");
}
