#pragma once
// The text options of a save (login, password, name, description, network name, passphrases)
// hold only characters a camera can store: one it cannot would be saved as "?", so the value is
// refused instead, whichever way it was given.
#include "cli_options.h"

#include <string>

// Empty when every text given fits; otherwise one line naming the option and the character
// (for a login, a password or a passphrase only its place).
std::string CheckOptionTexts(const CliOptions& options);
