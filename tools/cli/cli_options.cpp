#include "cli_options.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

bool AllDigits(const std::string& text, size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return false;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Parts of `text` split at `separator`, each of digits only and no wider than its limit.
bool DigitParts(const std::string& text, char separator, const std::vector<size_t>& widths)
{
    const auto parts = Split(text, separator);
    if (parts.size() != widths.size())
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!AllDigits(parts[i], widths[i]))
            return false;
    }
    return true;
}

// "00:11:22:aa:bb:cc" or "00-11-22-AA-BB-CC", normalised to lower case with colons.
std::optional<std::string> NormaliseMac(const std::string& text)
{
    const char separator = text.find('-') != std::string::npos ? '-' : ':';
    const auto parts = Split(text, separator);
    if (parts.size() != 6)
        return std::nullopt;
    std::string mac;
    for (const auto& part : parts) {
        if (part.size() != 2 || !std::isxdigit(static_cast<unsigned char>(part[0])) ||
            !std::isxdigit(static_cast<unsigned char>(part[1])))
            return std::nullopt;
        if (!mac.empty())
            mac += ':';
        mac += static_cast<char>(std::tolower(static_cast<unsigned char>(part[0])));
        mac += static_cast<char>(std::tolower(static_cast<unsigned char>(part[1])));
    }
    return mac;
}

struct Parser
{
    CliOptions options;
    std::string error;

    bool Fail(std::string message)
    {
        error = std::move(message);
        return false;
    }

    bool Address(std::optional<std::string>& field, const std::string& flag, const std::string& value)
    {
        if (!DigitParts(value, '.', {3, 3, 3, 3}))
            return Fail("invalid value for " + flag + ": '" + value +
                        "' is not an address like 192.168.0.20");
        field = value;
        return true;
    }

    bool Option(const std::string& flag, const std::string& value)
    {
        if (flag == "--seconds") {
            char* end = nullptr;
            const double seconds = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(seconds > 0) || seconds > 3600)
                return Fail("invalid value for --seconds: '" + value + "' (a number of seconds, up to 3600)");
            options.seconds = seconds;
        } else if (flag == "--mac") {
            const auto mac = NormaliseMac(value);
            if (!mac)
                return Fail("invalid value for --mac: '" + value +
                            "' (six hexadecimal pairs like 00:11:22:aa:bb:cc)");
            options.mac = *mac;
        } else if (flag == "--login") {
            options.login = value;
        } else if (flag == "--password") {
            options.password = value;
        } else if (flag == "--name") {
            options.name = value;
        } else if (flag == "--description") {
            options.description = value;
        } else if (flag == "--dhcp") {
            if (value != "on" && value != "off")
                return Fail("invalid value for --dhcp: '" + value + "' (on or off)");
            options.dhcp = value == "on";
        } else if (flag == "--ip") {
            return Address(options.ip, flag, value);
        } else if (flag == "--mask") {
            return Address(options.mask, flag, value);
        } else if (flag == "--gateway") {
            return Address(options.gateway, flag, value);
        } else if (flag == "--dns1") {
            return Address(options.dns1, flag, value);
        } else if (flag == "--dns2") {
            return Address(options.dns2, flag, value);
        } else if (flag == "--date") {
            if (!DigitParts(value, '/', {2, 2, 4}))
                return Fail("invalid value for --date: '" + value + "' (MM/DD/YYYY)");
            options.date = value;
        } else if (flag == "--time") {
            if (!DigitParts(value, ':', {2, 2}) || std::atoi(value.c_str()) > 23)
                return Fail("invalid value for --time: '" + value + "' (HH:MM, 00:00 to 23:59)");
            options.time = value;
        } else if (flag == "--timezone") {
            if (!AllDigits(value, 3) || std::atoi(value.c_str()) > 254)
                return Fail("invalid value for --timezone: '" + value + "' (an index from 0 to 254)");
            options.timeZone = std::atoi(value.c_str());
        } else {
            return WirelessOption(flag, value);
        }
        return true;
    }

    bool WirelessOption(const std::string& flag, const std::string& value)
    {
        std::string refusal;
        switch (TakeWirelessOption(flag, value, options.wireless, refusal)) {
        case OptionTaken::Taken:
            return true;
        case OptionTaken::Refused:
            return Fail(refusal);
        case OptionTaken::NotWireless:
            break;
        }
        return Fail("unknown option " + flag);
    }

    bool Allowed(const std::string& flag) const
    {
        if (flag == "--seconds")
            return true;
        if (options.command == CliCommand::Search)
            return flag == "--all-product" || flag == "--json";
        return flag != "--all-product" && flag != "--json";
    }

    bool Parse(const std::vector<std::string>& args)
    {
        if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help")
            return true;
        if (args[0] == "--version") {
            options.command = CliCommand::Version;
            return true;
        }
        if (args[0] == "search")
            options.command = CliCommand::Search;
        else if (args[0] == "save")
            options.command = CliCommand::Save;
        else
            return Fail("unknown command '" + args[0] + "' (search or save; --help for help)");
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& flag = args[i];
            if (flag == "--help" || flag == "-h") {
                options.command = CliCommand::Help;
                return true;
            }
            if (!Allowed(flag))
                return Fail("option " + flag + " does not belong to " + args[0]);
            if (flag == "--all-product") {
                options.allProduct = true;
            } else if (flag == "--json") {
                options.json = true;
            } else {
                if (i + 1 >= args.size())
                    return Fail("option " + flag + " needs a value");
                if (!Option(flag, args[++i]))
                    return false;
            }
        }
        if (options.command == CliCommand::Save) {
            if (options.mac.empty())
                return Fail("save needs --mac");
            if (!options.login || !options.password)
                return Fail("save needs --login and --password");
            if (std::string refusal = CheckWirelessOptions(options.wireless); !refusal.empty())
                return Fail(refusal);
        }
        return true;
    }
};

} // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args)
{
    Parser parser;
    if (!parser.Parse(args))
        return {std::nullopt, parser.error};
    return {parser.options, {}};
}

const char* CliUsage()
{
    return R"(Usage:
  camtivo-cli search [--seconds N] [--all-product] [--json]
  camtivo-cli save --mac MAC --login NAME --password PW [--name N] [--description D]
                   [--dhcp on|off] [--ip A] [--mask M] [--gateway G] [--dns1 A] [--dns2 A]
                   [--date MM/DD/YYYY] [--time HH:MM] [--timezone I] [--seconds N]
                   [--wireless on|off] [--ssid S] [--channel N] [--security T]
                   [--wep-key HEX | --wep-passphrase P] [--wpa-passphrase P]
  camtivo-cli --version

search   broadcasts one search and prints every camera that answered, one per line
         (MAC, name, IP, mask, gateway, firmware, date, time, device type, variant),
         or with --json a JSON array of objects.
save     searches, checks the login against the camera, applies the given changes with
         the same rules as the wizard's pages and writes them to the camera. Exit 0 only
         when the camera acknowledged the settings.

--seconds N    length of the search in seconds (default 20); every timer of the action is
               scaled with it, so a save's 60-second retries shrink in proportion.
--all-product  list cameras of every device type the program supports (no product filter).
--dhcp on|off  on: the camera takes its address from a DHCP server; off: the fixed address
               (--ip, --mask, --gateway, --dns1, --dns2 change it; they need a fixed address).
--time HH:MM   24-hour clock; seconds are written as 00.
--timezone I   index into the wizard's time-zone list.

Errors go to standard error as one line; the exit status is then 1.
)";
}
