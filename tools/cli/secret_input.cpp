#include "secret_input.h"

#include "cli_options.h"
#include "console_input.h"
#include "output_text.h"
#include "platform/net/utf8_file.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Whether the save needs the secret and no option gave it: a password always, a passphrase
// only when the chosen security takes one.
bool Wanted(const CliOptions& options, size_t secret)
{
    const WirelessChange& w = options.change.wireless;
    if (secret == kPasswordSecret)
        return !options.password;
    if (secret == kWpaSecret)
        return w.security == SecurityType::Wpa && !w.wpaPassphrase;
    return w.security && IsWepType(*w.security) && !w.wepKey && !w.wepPassphrase;
}

std::string PromptFor(const SecretWays& ways, const std::string& mac)
{
    return std::string(ways.promptName) + " for " + mac + ": ";
}

// Reads the secret from its source; empty when read, otherwise why not. Standard input that is
// a terminal is read as at the prompt, without echo.
std::string FromSource(const SecretWays& ways, const SecretSource& source, const std::string& mac,
                       std::string& secret)
{
    SecretLine line;
    std::string where;
    if (source.standardInput) {
        where = "standard input (" + std::string(ways.option) + " -)";
        line = StandardInputIsTerminal() ? ReadHiddenLine(PromptFor(ways, mac)) : ReadSecretLine(stdin);
    } else {
        where = std::string(ways.fileOption) + " " + source.file;
        WarnIfOthersCanRead(source.file);
        std::FILE* file = OpenForReading(source.file);
        if (!file)
            return "cannot read " + where;
        line = ReadSecretLine(file);
        std::fclose(file);
    }
    switch (line.status) {
    case SecretLineStatus::Ok:
        secret = std::move(line.text);
        return {};
    case SecretLineStatus::Empty:
        return "nothing to read from " + where;
    case SecretLineStatus::TooLong:
        break;
    }
    return "the line read from " + where + " is longer than " + std::to_string(kMaxSecretBytes) + " bytes";
}

// The secret's variable, or what is typed at a prompt when standard input is a terminal.
std::optional<std::string> FromVariableOrPrompt(const SecretWays& ways, const std::string& mac)
{
    if (const char* value = std::getenv(ways.variable))
        return value;
    if (!StandardInputIsTerminal())
        return std::nullopt;
    SecretLine line = ReadHiddenLine(PromptFor(ways, mac));
    if (line.status != SecretLineStatus::Ok)
        return std::nullopt;
    return std::move(line.text);
}

} // namespace

SourceTaken TakeSecretSource(const std::string& flag, const std::string& value, SecretSources& sources,
                             std::string& error)
{
    for (size_t i = 0; i < kSecretCount; ++i) {
        if (flag == kSecretWays[i].fileOption) {
            if (value.empty()) {
                error = "option " + flag + " needs a file name";
                return SourceTaken::Refused;
            }
            sources[i] = SecretSource{false, value};
            return SourceTaken::Taken;
        }
        if (flag == kSecretWays[i].option) {
            sources[i].reset();
            if (value != "-")
                return SourceTaken::NotSource;
            sources[i] = SecretSource{true, {}};
            return SourceTaken::Taken;
        }
    }
    return SourceTaken::NotSource;
}

bool IsSecretFileOption(const std::string& flag)
{
    return std::any_of(std::begin(kSecretWays), std::end(kSecretWays),
                       [&flag](const SecretWays& ways) { return flag == ways.fileOption; });
}

bool AnySecretSource(const SecretSources& sources)
{
    return std::any_of(sources.begin(), sources.end(), [](const auto& source) { return source.has_value(); });
}

std::string CheckOneStandardInput(const SecretSources& sources)
{
    std::string readers;
    int count = 0;
    for (size_t i = 0; i < kSecretCount; ++i) {
        if (!sources[i] || !sources[i]->standardInput)
            continue;
        readers += (count++ ? " and " : "") + std::string(kSecretWays[i].option) + " -";
        if (count > 1)
            return readers + " both read standard input; give one of them by file";
    }
    return {};
}

std::string ReadSecrets(CliOptions& options)
{
    for (size_t i = 0; i < kSecretCount; ++i) {
        const SecretWays& ways = kSecretWays[i];
        std::optional<std::string> secret;
        if (const std::optional<SecretSource>& source = options.secretSources[i]) {
            secret.emplace();
            if (std::string error = FromSource(ways, *source, options.mac, *secret); !error.empty())
                return error;
        } else if (Wanted(options, i) && !options.mac.empty() && options.login) {
            secret = FromVariableOrPrompt(ways, options.mac);
        }
        if (!secret)
            continue;
        if (std::string error = TakeSaveOption(options, std::string(ways.option), *secret); !error.empty())
            return error;
    }
    return {};
}

SecretLine ReadSecretLine(std::FILE* stream)
{
    // Room for a byte order mark and a CR LF around the longest line accepted, and one more.
    constexpr size_t kReadLimit = kMaxSecretBytes + 6;
    std::string bytes;
    int c = 0;
    while (bytes.size() < kReadLimit && (c = std::fgetc(stream)) != EOF) {
        bytes += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return SecretLineOf(bytes);
}

void WarnIfOthersCanRead(const std::string& path)
{
    if (OthersCanRead(path))
        PrintNotice("warning: other users of this computer can read " + path + " (chmod go-r)");
}

// Laid out like the rest of the help, for the manual page too.
const char* const kSecretUsage = R"(
Passwords and passphrases:
  Other users of this computer can read a command line while it runs, so give a
  camera's password in one of these ways rather than with --password PW.

  --password-file FILE
                    the first line of FILE (with a warning when others may read it).
  --password -      one line of standard input.
  CAMTIVO_PASSWORD  this variable, when no password option is given.
  a prompt          with none of these, a save of one camera asks for the password
                    on the terminal, without echo.
  --wpa-passphrase-file FILE
                    the WPA passphrase from FILE; "--wpa-passphrase -" and the
                    variable CAMTIVO_WPA_PASSPHRASE work as for the password, and the
                    prompt asks for it when --security wpa is given without one.
  --wep-passphrase-file FILE
                    the same for the WEP passphrase ("--wep-passphrase -",
                    CAMTIVO_WEP_PASSPHRASE), asked for when --security wep64 or
                    wep128 is given without a key.

  Only one option may read standard input. A password that is itself "-" is given
  by file. A leading byte order mark and a trailing CR are removed from a line
  read. A batch file keeps its passwords in its password column (with a warning
  when others may read the file) and never prompts.
)";
