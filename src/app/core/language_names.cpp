#include "app/core/language_names.h"

std::u16string DisplayNameOf(std::u16string_view packName)
{
    for (const LanguageName& language : kLanguageNames)
        if (language.packName == packName)
            return std::u16string(language.displayName);
    return std::u16string(kDefaultPackName);
}

std::u16string PackNameOf(std::u16string_view displayName)
{
    for (const LanguageName& language : kLanguageNames)
        if (language.displayName == displayName)
            return std::u16string(language.packName);
    return std::u16string(kDefaultPackName);
}

std::u16string PackLibraryPath(std::u16string_view programDir, std::u16string_view packName)
{
    std::u16string path(programDir);
    path += packName;
    path += u".dll";
    return path;
}
