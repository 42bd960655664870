#pragma once
// The language a user's locale asks for, as the name of a language pack.
#include <string_view>

// The first non-empty of LC_ALL, LC_MESSAGES and LANG decides (the order in which the C
// library lets them override each other for messages); its language code, the letters before
// "_", "." or "@", picks the pack: "es_ES.UTF-8" gives "Spanish". An unset, "C", "POSIX" or
// unknown locale gives "English".
std::u16string_view PackNameForLocale(std::string_view lcAll, std::string_view lcMessages,
                                      std::string_view lang);
