#pragma once
// Passwords and passphrases kept off the command line, which every user of the computer can
// read while the program runs. Each secret of a save may come from standard input (the
// option's value "-"), from the first line of a file, from a variable, or for one camera from
// a prompt without echo. A message about a secret names its option, never its value.
#include "cli/core/secret_line.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

struct CliOptions;

// The secrets, as indexes into the tables below.
inline constexpr size_t kPasswordSecret = 0;
inline constexpr size_t kWpaSecret = 1;
inline constexpr size_t kWepSecret = 2;
inline constexpr size_t kSecretCount = 3;

// The ways of one secret besides its option's value.
struct SecretWays
{
    std::string_view option;     // "-" as its value reads standard input
    std::string_view fileOption; // reads the first line of the file it names
    const char* variable;        // read for one camera when no option gives the secret
    const char* promptName;      // what the prompt asks for
};

inline constexpr SecretWays kSecretWays[kSecretCount] = {
    {"--password", "--password-file", "CAMTIVO_PASSWORD", "Password"},
    {"--wpa-passphrase", "--wpa-passphrase-file", "CAMTIVO_WPA_PASSPHRASE", "WPA passphrase"},
    {"--wep-passphrase", "--wep-passphrase-file", "CAMTIVO_WEP_PASSPHRASE", "WEP passphrase"},
};

// Where an option said a secret is to be read from: standard input, or the file named.
struct SecretSource
{
    bool standardInput = false;
    std::string file;
};
using SecretSources = std::array<std::optional<SecretSource>, kSecretCount>;

enum class SourceTaken
{
    NotSource, // the flag gives no source (a secret's own value included)
    Taken,
    Refused
};

// Records "-" as a secret option's value, or a file option's file; a secret given as a value
// forgets an earlier source of it, so the last option wins. On Refused `error` says why.
SourceTaken TakeSecretSource(const std::string& flag, const std::string& value, SecretSources& sources,
                             std::string& error);
bool IsSecretFileOption(const std::string& flag);
bool AnySecretSource(const SecretSources& sources);
// Empty when at most one secret is read from standard input; otherwise the refusal.
std::string CheckOneStandardInput(const SecretSources& sources);

// Reads each secret of a single save that a source gives, or that the save needs and its
// variable or a prompt (standard input being a terminal) gives, into the options through the
// option's own checks. Empty when nothing went wrong; otherwise what could not be read.
std::string ReadSecrets(CliOptions& options);

// The first line of `stream` (reading stops at its end or just past the longest accepted).
SecretLine ReadSecretLine(std::FILE* stream);
// A warning on standard error when users other than the file's owner may read it.
void WarnIfOthersCanRead(const std::string& path);

extern const char* const kSecretUsage;
