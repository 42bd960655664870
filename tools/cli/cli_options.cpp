#include "cli_options.h"

#include "cli/core/switch_value.h"
#include "cli/core/time_zones.h"
#include "option_texts.h"
#include "pages/core/ip_rules.h"
#include "platform/core/net_address.h"
#include "utf16_text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <span>
#include <string_view>

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

std::optional<IpRow> AddressRowOf(const std::string& flag)
{
    for (size_t row = 0; row < kIpRows; ++row) {
        if (flag == kAddressFlags[row])
            return static_cast<IpRow>(row);
    }
    return std::nullopt;
}

// The sweep's pace: at least one address's queries a second, at most what a LAN takes in stride.
constexpr long kMinRate = 3;
constexpr long kMaxRate = 100000;

constexpr std::string_view kSearchOnlyFlags[] = {"--all-product", "--csv", "--diagnose"};
constexpr std::string_view kSaveOnlyFlags[] = {"--batch", "--verify"};
// Options of save that shape the run rather than describe a camera. A row's "to" is its camera's
// address behind a router, so it is a column.
constexpr std::string_view kSaveRunFlags[] = {"--batch", "--verify", "--json", "--seconds", "--rate"};
constexpr std::string_view kSwitches[] = {"--all-product", "--json", "--csv", "--diagnose", "--verify"};
bool OneOf(const std::string& flag, std::span<const std::string_view> flags)
{
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

bool IsSearchOnlyFlag(const std::string& flag)
{
    return OneOf(flag, kSearchOnlyFlags);
}

bool IsSearchFlag(const std::string& flag)
{
    return flag == "--seconds" || flag == "--json" || flag == "--to" || flag == "--rate" ||
           IsSearchOnlyFlag(flag);
}

bool IsSaveOnlyFlag(const std::string& flag)
{
    return OneOf(flag, kSaveOnlyFlags);
}

bool IsSwitch(const std::string& flag)
{
    return OneOf(flag, kSwitches);
}

// "--x" where a value is expected: the value was left out (a value of that form goes after "=").
bool LooksLikeOption(const std::string& arg)
{
    return arg.size() > 2 && arg.compare(0, 2, "--") == 0 && std::isalpha(static_cast<unsigned char>(arg[2]));
}

struct Parser
{
    CliOptions options;
    std::string error;
    bool unknownFlag = false;

    bool Fail(std::string message)
    {
        error = std::move(message);
        return false;
    }

    // One address is asked with the broadcast, as before; a block or a range is swept.
    bool Target(const std::string& value)
    {
        const RangeParse parse = ParseAddressRange(value);
        if (parse.status != RangeStatus::Ok || (parse.single && value == "0.0.0.0"))
            return Fail("invalid value for --to: " + RangeRefusalText(parse.status, value));
        if (parse.single) {
            options.to.push_back(value);
            return true;
        }
        options.ranges.push_back({value, parse.range});
        if (!SweepOf({&options.ranges}))
            return Fail("invalid value for --to: '" + value +
                        "': the ranges together hold more than 65,536 "
                        "addresses (a /16), the most one search asks");
        return true;
    }

    // Four parts of up to three digits; a part above 255 is refused with the IP settings page's
    // own message.
    bool Address(IpRow row, const std::string& flag, const std::string& value)
    {
        if (!SplitDottedParts(std::string_view(value)))
            return Fail("invalid value for " + flag + ": '" + value +
                        "' is not an address like 192.168.0.20");
        const std::optional<Ipv4Address> address = ParseIpv4(value);
        if (!address)
            return Fail("invalid value: " + flag + " " + value + ": " +
                        std::string(IpMessageEnglish(kMsgOctetRange)));
        options.change.addresses[static_cast<size_t>(row)] = *address;
        options.addressTexts[static_cast<size_t>(row)] = value;
        return true;
    }

    bool Option(const std::string& flag, const std::string& value)
    {
        if (flag == "--to") {
            return Target(value);
        } else if (flag == "--rate") {
            char* end = nullptr;
            const long rate = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || rate < kMinRate || rate > kMaxRate)
                return Fail("invalid value for --rate: '" + value + "' (datagrams a second, " +
                            std::to_string(kMinRate) + " to " + std::to_string(kMaxRate) + ")");
            options.rate = static_cast<int>(rate);
        } else if (flag == "--batch") {
            if (value.empty())
                return Fail("option --batch needs a file name");
            options.batch = value;
        } else if (flag == "--seconds") {
            char* end = nullptr;
            const double seconds = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(seconds >= 1) || seconds > 3600)
                return Fail("invalid value for --seconds: '" + value +
                            "' (a number of seconds from 1 to 3600)");
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
            options.change.name = Utf16Of(value);
        } else if (flag == "--description") {
            options.change.description = Utf16Of(value);
        } else if (flag == "--dhcp") {
            const std::optional<bool> on = ReadSwitch(value);
            if (!on)
                return Fail("invalid value for --dhcp: '" + value + "' (" + std::string(kSwitchWords) + ")");
            options.change.dhcp = *on;
        } else if (const auto row = AddressRowOf(flag)) {
            return Address(*row, flag, value);
        } else if (flag == "--date") {
            if (!DigitParts(value, '/', {2, 2, 4}))
                return Fail("invalid value for --date: '" + value + "' (MM/DD/YYYY)");
            const auto parts = Split(value, '/');
            options.change.date = CalendarDate{std::atoi(parts[0].c_str()), std::atoi(parts[1].c_str()),
                                               std::atoi(parts[2].c_str())};
        } else if (flag == "--time") {
            if (!DigitParts(value, ':', {2, 2}) || std::atoi(value.c_str()) > 23)
                return Fail("invalid value for --time: '" + value + "' (HH:MM, 00:00 to 23:59)");
            const auto parts = Split(value, ':');
            options.change.time = ClockTime{std::atoi(parts[0].c_str()), std::atoi(parts[1].c_str())};
        } else if (flag == "--timezone") {
            return TimeZone(value);
        } else if (flag == "--clock") {
            if (value != "now")
                return Fail("invalid value for --clock: '" + value + "' (now)");
            options.clockNow = true;
        } else {
            return WirelessOption(flag, value);
        }
        return true;
    }

    // An index within the list, or a zone's name or a part of it that names one zone.
    bool TimeZone(const std::string& value)
    {
        const ZoneChoice choice = ChooseTimeZone(value);
        const std::string lastIndex = std::to_string(TimeZoneNames().size() - 1);
        switch (choice.status) {
        case ZoneStatus::Ok:
            options.change.timeZone = choice.index;
            return true;
        case ZoneStatus::OutOfRange:
            return Fail("invalid value for --timezone: '" + value + "' (an index from 0 to " + lastIndex +
                        ", or a zone's name; camtivo-cli timezones lists them)");
        case ZoneStatus::NoMatch:
            return Fail("invalid value for --timezone: '" + value +
                        "' names no zone (camtivo-cli timezones lists them)");
        case ZoneStatus::Ambiguous:
            break;
        }
        std::string zones;
        for (const int index : choice.matches)
            zones += (zones.empty() ? "" : "; ") + std::to_string(index) + " " +
                     std::string(TimeZoneNames()[static_cast<size_t>(index)]);
        return Fail("invalid value for --timezone: '" + value + "' matches several zones: " + zones +
                    " (give more of the name, or its index)");
    }

    // An option's value from the command line: a secret may say where it is to be read from.
    bool CommandLineOption(const std::string& flag, const std::string& value)
    {
        switch (TakeSecretSource(flag, value, options.secretSources, error)) {
        case SourceTaken::Taken:
            return true;
        case SourceTaken::Refused:
            return false;
        case SourceTaken::NotSource:
            break;
        }
        return Option(flag, value);
    }

    bool WirelessOption(const std::string& flag, const std::string& value)
    {
        std::string refusal;
        switch (TakeWirelessOption(flag, value, options.change.wireless, refusal)) {
        case OptionTaken::Taken:
            return true;
        case OptionTaken::Refused:
            return Fail(refusal);
        case OptionTaken::NotWireless:
            break;
        }
        unknownFlag = true;
        return Fail("unknown option " + flag);
    }

    // Whether a save takes the flag: the chain of options above is the one list of them.
    static bool IsSaveFlag(const std::string& flag)
    {
        Parser probe;
        probe.Option(flag, {});
        return (!probe.unknownFlag && !IsSearchOnlyFlag(flag)) || IsSaveOnlyFlag(flag) || flag == "--json" ||
               IsSecretFileOption(flag);
    }

    // A flag of the other command is named as such; anything else is unknown.
    bool CheckBelongs(const std::string& flag, const std::string& command)
    {
        const bool search = IsSearchFlag(flag);
        if (options.command == CliCommand::Search ? search : IsSaveFlag(flag))
            return true;
        if (search || IsSaveFlag(flag))
            return Fail("option " + flag + " does not belong to " + command);
        return Fail("unknown option " + flag);
    }

    // The flag's value: after "=" in the same argument, or the next argument unless that is
    // missing or is itself an option.
    bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& flag,
                   const std::optional<std::string>& attached, std::string& value)
    {
        if (attached) {
            value = *attached;
            return true;
        }
        if (i + 1 >= args.size() || LooksLikeOption(args[i + 1]))
            return Fail("option " + flag + " needs a value");
        value = args[++i];
        return true;
    }

    bool Switch(const std::string& flag)
    {
        if (flag == "--all-product")
            options.allProduct = true;
        else if (flag == "--json")
            options.json = true;
        else if (flag == "--csv")
            options.csv = true;
        else if (flag == "--verify")
            options.verify = true;
        else
            options.diagnose = true;
        return true;
    }

    bool CheckCombination(const SecretFill& fillSecrets)
    {
        if (options.command == CliCommand::Save) {
            if (std::string refusal = CheckOneStandardInput(options.secretSources); !refusal.empty())
                return Fail(refusal);
            if (options.batch.empty() && fillSecrets) {
                if (std::string error = fillSecrets(options); !error.empty())
                    return Fail(error);
            }
        }
        if (options.command == CliCommand::Search) {
            if (options.json && options.csv)
                return Fail("--json and --csv cannot be combined");
            if (options.diagnose && options.csv)
                return Fail("--diagnose prints text or JSON, not CSV");
            return true;
        }
        if (!options.batch.empty())
            return CheckBatchCombination();
        if (std::string refusal = CheckSaveOptions(options); !refusal.empty())
            return Fail(refusal);
        return true;
    }

    // With --batch the file names every camera and its settings.
    bool CheckBatchCombination()
    {
        const CliOptions& o = options;
        const SettingsChange& c = o.change;
        const WirelessChange& w = c.wireless;
        const bool camera = !o.mac.empty() || o.login || o.password || c.ChangesBasic() || o.clockNow ||
                            c.dhcp || c.ChangesAddresses() || w.wireless || w.ssid || w.channel ||
                            w.security || w.wepKey || w.wepPassphrase || w.wpaPassphrase ||
                            AnySecretSource(o.secretSources);
        if (camera)
            return Fail("--batch takes the cameras and their settings from the file; give them there");
        return true;
    }

    // `timezones` takes --json alone.
    bool TimeZonesCommand(const std::vector<std::string>& args)
    {
        options.command = CliCommand::TimeZones;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] != "--json")
                return Fail("option " + args[i] + " does not belong to timezones");
            options.json = true;
        }
        return true;
    }

    bool Parse(const std::vector<std::string>& args, const SecretFill& fillSecrets)
    {
        if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help")
            return true;
        if (args[0] == "--version") {
            options.command = CliCommand::Version;
            return true;
        }
        if (args[0] == "timezones")
            return TimeZonesCommand(args);
        if (args[0] == "search")
            options.command = CliCommand::Search;
        else if (args[0] == "save")
            options.command = CliCommand::Save;
        else
            return Fail("unknown command '" + args[0] + "' (search, save or timezones; --help for help)");
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--help" || args[i] == "-h") {
                options.command = CliCommand::Help;
                return true;
            }
            const size_t equals = args[i].find('=');
            const std::string flag = args[i].substr(0, equals);
            std::optional<std::string> attached;
            if (equals != std::string::npos)
                attached = args[i].substr(equals + 1);
            if (!CheckBelongs(flag, args[0]))
                return false;
            if (IsSwitch(flag)) {
                if (attached)
                    return Fail("option " + flag + " takes no value");
                Switch(flag);
                continue;
            }
            std::string value;
            if (!TakeValue(args, i, flag, attached, value) || !CommandLineOption(flag, value))
                return false;
        }
        return CheckCombination(fillSecrets);
    }
};

} // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args, const SecretFill& fillSecrets)
{
    Parser parser;
    if (!parser.Parse(args, fillSecrets))
        return {std::nullopt, parser.error};
    return {parser.options, {}};
}

std::string TakeSaveOption(CliOptions& options, const std::string& flag, const std::string& value)
{
    Parser parser;
    parser.options = std::move(options);
    parser.Option(flag, value);
    options = std::move(parser.options);
    return parser.error;
}

std::string CheckSaveOptions(const CliOptions& options)
{
    if (options.mac.empty())
        return "save needs --mac (or --batch FILE)";
    if (!options.login || !options.password)
        return "save needs --login and --password (or --password-file FILE, --password -, CAMTIVO_PASSWORD)";
    if (std::string refusal = CheckOptionTexts(options); !refusal.empty())
        return refusal;
    if (options.clockNow && (options.change.date || options.change.time))
        return "--clock now sets the date and time; give it or --date and --time";
    return CheckWirelessOptions(options.change.wireless);
}

bool IsBatchColumn(const std::string& column)
{
    const std::string flag = "--" + column;
    return !column.empty() && !OneOf(flag, kSaveRunFlags) && !IsSecretFileOption(flag) &&
           Parser::IsSaveFlag(flag);
}

// The help is laid out for reading in a terminal and for help2man, which makes the manual page
// from it: "Usage:" and "or:" lines, then paragraphs; "Options:", "Examples:" and the other
// headings start sections; each option is one indented line (or more) with its text at column 21.
std::optional<AddressSweep> SweepOf(const std::vector<const std::vector<NamedRange>*>& lists)
{
    AddressSweep sweep;
    for (const std::vector<NamedRange>* list : lists) {
        for (const NamedRange& range : *list) {
            if (!sweep.Add(range.range))
                return std::nullopt;
        }
    }
    return sweep;
}

const char* CliUsage()
{
    return R"(Usage: camtivo-cli search [--seconds N] [--to ADDRESS]... [--rate N] [--json | --csv]
             [--diagnose]
  or:  camtivo-cli save --mac MAC --login NAME [--password-file FILE] [SETTING]... [--verify] [--json]
  or:  camtivo-cli save --batch FILE [--to ADDRESS]... [--rate N] [--verify] [--json] [--seconds N]
  or:  camtivo-cli timezones [--json]
  or:  camtivo-cli --help | --version
Find the network cameras on the local network and write settings to them from a shell, with
the same search and save engine as the camtivo wizard. No display is needed.

Commands:
  search            broadcast one search on every network interface that can broadcast
                    and print every camera that answered, one per line (MAC, name, IP,
                    mask, gateway, firmware, date, time, device type, variant, interface),
                    or with --json a JSON array of objects, or with --csv a header row and
                    one comma-separated row per camera. Finding no camera is a result, not
                    an error: nothing is printed ([] with --json).
  save              check every value first, then search, check the login against the
                    camera, apply the changes with the same rules as the wizard's pages
                    and write them to the camera, on the interface it answered on. The
                    search ends as soon as the camera has answered (--seconds stays its
                    limit); with --ip, once the cameras have gone quiet, so that a late
                    camera holding that address is seen.
  timezones         list the time zones --timezone takes: index and name, one a line,
                    or with --json an array of objects with "index" and "name".
  save --batch FILE
                    save many cameras from a CSV file whose header row names the columns:
                    mac, login, password and any setting save takes as an option, named
                    without its dashes (name, dhcp, ip, ...); a blank cell leaves that
                    setting as it is. Every row is checked first: a bad row is reported
                    with its line number and nothing is sent. One search finds every
                    camera, then each is saved in turn; a row taking the address of
                    another row's camera is saved after that row, and skipped when that
                    save fails. Rows taking each other's addresses refuse the file. One
                    line per camera, in file order: MAC, result (saved, refused, no
                    answer, not found, login wrong, invalid value, skipped (...)),
                    seconds since the command started; with --json one JSON object per
                    line. Cells may also be separated by ';' (a header without ','),
                    and the file may be UTF-16 with its byte order mark.

Options:
  --seconds N       length of the search in seconds, 1 to 3600 (default 20); every timer
                    of the action is scaled with it, so a save's 60-second retries shrink
                    in proportion.
  --to ADDRESS      with the broadcast also query this address directly, for a camera
                    behind a router (repeatable). A camera that answers only there, from
                    outside every interface's network, is saved by its address, and the
                    verifying search asks that address and its new fixed one. ADDRESS may
                    also be a block (10.20.0.0/22; from /30 up without its first and last
                    addresses) or a range (10.20.4.10-10.20.4.200) of at most 65,536
                    addresses, all of them together too: the search asks each address
                    once, at --rate, shows its progress on a terminal and lasts as long
                    as that sweep and the quiet spell after it. A save's retries and its
                    verifying search ask the camera's own addresses, never the range.
  --rate N          most datagrams a second the sweep of ranges sends, 3 to 100000
                    (default 5000: a /16 with its three queries per address in 40 s);
                    --seconds does not change it.
  --json            print JSON instead of lines of text.
  --csv             (search) print a header row and one comma-separated row per camera;
                    a text beginning with =, +, -, @, a tab or a CR gets a leading ' so
                    that a spreadsheet does not run it as a formula.
  --diagnose        (search) after the cameras, per interface: queries sent, datagrams
                    received, accepted and rejected by reason, cameras found, and cameras
                    whose address lies outside the interface's network (their web page
                    cannot be reached from here); then per --to address: queries sent
                    and the answers they got; then per range: queries sent, send errors,
                    answers and cameras, and the addresses an ICMP error came back for (no
                    such host, or a host but no camera). Those counts are a floor: routers
                    limit their ICMP rate and report an absent host only once their own
                    look-up gives up (about 3 s); Windows reports none of them.
  --all-product     (search) accepted for symmetry with the wizard's /all-product switch;
                    it changes nothing, because device types other than 17 and 18 are
                    refused either way.
  --batch FILE      (save) the CSV file of cameras and their settings.
  --verify          (save) after saving, search again for the saved cameras and say
                    whether each answered and from which address; a fixed address outside
                    the network of every interface is reported as saved but unreachable.
  -h, --help        show this help and exit.
  --version         print the version and exit.
A value may follow its option after "=" (--password=--secret); it must, when it begins
with --.

Settings of save:
  --mac MAC         the camera, as 00:11:22:aa:bb:cc or 00-11-22-AA-BB-CC.
  --login NAME      the camera's login name.
  --password-file FILE
                    read the camera's password from the first line of FILE.
  --password -      read the camera's password from a line of standard input.
  --password PW     the camera's password, which other users of this computer can
                    see while the command runs; see "Passwords and passphrases".
  --name N          camera name.
  --description D   camera description.
  --dhcp on|off     (also yes/no, true/false, 1/0)
                    on: the camera takes its address from a DHCP server; off: the fixed
                    address (--ip, --mask, --gateway, --dns1, --dns2 change it; they need
                    a fixed address).
  --ip A            fixed address, like 192.168.0.20.
  --mask M          subnet mask, like 255.255.255.0.
  --gateway G       default gateway.
  --dns1 A          first DNS server.
  --dns2 A          second DNS server.
  --date MM/DD/YYYY
                    camera date.
  --time HH:MM      24-hour clock; seconds are written as 00. Without --date and --time
                    the camera's clock is written as found, carried forward to the
                    moment of the save.
  --timezone ZONE   the time zone: its index in the wizard's list, or its name or a
                    part of it that names one zone (--timezone Berlin); camtivo-cli
                    timezones lists them.
  --clock now       set the camera's date and time to this computer's, as each
                    request goes out (a batch's "clock" column too).
Ctrl+C during a save stops it: the camera is asked once more (about a second) whether it
took the settings, and the result says "saved", "stopped, not saved" or "stopped, not
confirmed: search again to see"; a batch sends none of the rows after it. A second Ctrl+C
ends the program at once.
)";
}

const char* CliHelpEnd()
{
    return R"(
Exit status:
  0                 the search ran (with or without cameras), or every camera acknowledged
                    its settings (and, with --verify, answered again unless it cannot be
                    reached from here).
  1                 settings were sent, but a camera refused them, did not answer, or was
                    skipped; or a camera was not found; or the search could not be sent.
  2                 nothing was sent: the command line, the batch file, the login or a rule
                    refused a value, before the search or after it (an address another
                    camera or this computer holds, a gateway outside the camera's network).
A failure is one line on standard error. With --json every camera's result is one JSON
object per line on standard output, with "mac", "result", "seconds" (from the command's
start) and, when it failed, "error"; an error that belongs to no camera (a wrong command
line, a search that could not be sent) is one object with "error" alone.

Examples:
  List the cameras as JSON after a 5-second search:
    $ camtivo-cli search --seconds 5 --json
  See per interface what was sent, received and rejected:
    $ camtivo-cli search --diagnose
  Also ask a camera behind a router, by its address:
    $ camtivo-cli search --to 10.20.0.7 --csv
  Sweep a routed subnet for its cameras:
    $ camtivo-cli search --to 10.20.0.0/22
  Let a camera take its address from DHCP, asking for its password:
    $ camtivo-cli save --mac 00:50:c2:10:20:01 --login admin --dhcp on
  Rename a camera, its password read from a file only you can read:
    $ camtivo-cli save --mac 00:50:c2:10:20:01 --login admin --password-file ~/.pw --name Gate
  Save every camera of a CSV file, then search for them again:
    $ camtivo-cli save --batch cameras.csv --verify --json
)";
}
