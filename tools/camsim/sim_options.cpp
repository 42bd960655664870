#include "sim_options.h"

#include "platform/core/net_address.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace {
bool ParseNumber(const std::string& text, long long min, long long max, long long& out)
{
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), out, base);
    return ec == std::errc{} && end == digits.data() + digits.size() && !digits.empty() && out >= min &&
           out <= max;
}

bool ParseAddress(const std::string& text, Ipv4Address& out)
{
    const std::optional<Ipv4Address> address = ParseIpv4(text);
    if (!address)
        return false;
    out = *address;
    return true;
}

bool ParseMac(const std::string& text, MacAddress& out)
{
    unsigned v[6];
    char tail;
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                    &tail) != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        out[i] = static_cast<uint8_t>(v[i]);
    return true;
}

bool ParseVariants(const std::string& text, SimOptions& o)
{
    o.answerPlain = o.answerEnciphered = o.answerFull = false;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item == "plain")
            o.answerPlain = true;
        else if (item == "enc")
            o.answerEnciphered = true;
        else if (item == "full")
            o.answerFull = true;
        else
            return false;
    }
    return o.answerPlain || o.answerEnciphered || o.answerFull;
}

bool ParseJunk(const std::string& text, SimOptions& o)
{
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        const bool all = item == "all";
        if (!all && item != "dropped" && item != "type16" && item != "stale" && item != "long")
            return false;
        o.junkDropped |= all || item == "dropped";
        o.junkType16 |= all || item == "type16";
        o.junkStale |= all || item == "stale";
        o.junkLong |= all || item == "long";
    }
    return true;
}

template <class T> std::function<bool(const std::string&)> Number(T& field, long long min, long long max)
{
    return [&field, min, max](const std::string& v) {
        long long n = 0;
        if (!ParseNumber(v, min, max, n))
            return false;
        field = static_cast<T>(n);
        return true;
    };
}

std::function<bool(const std::string&)> Text(std::string& field)
{
    return [&field](const std::string& v) {
        field = v;
        return true;
    };
}

std::function<bool(const std::string&)> Address(Ipv4Address& field)
{
    return [&field](const std::string& v) { return ParseAddress(v, field); };
}
} // namespace

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args)
{
    SimOptionsResult result;
    SimOptions& o = result.options;
    const std::map<std::string, std::function<bool(const std::string&)>> valued{
        {"--port", Number(o.port, 1, 65535)},
        {"--bind",
         [&o](const std::string& v) {
             Ipv4Address a;
             return ParseAddress(v, a) && (o.bind = v, true);
         }},
        {"--lifetime",
         [&o](const std::string& v) {
             char* end = nullptr;
             const double seconds = std::strtod(v.c_str(), &end);
             if (v.empty() || *end != '\0' || !(seconds >= 0 && seconds <= 86400))
                 return false;
             o.lifetimeSeconds = seconds;
             return true;
         }},
        {"--log", Text(o.logPath)},
        {"--variants", [&o](const std::string& v) { return ParseVariants(v, o); }},
        {"--type", Number(o.deviceType, 0, 65535)},
        {"--count", Number(o.count, 1, 100000)},
        {"--ip-step", Number(o.ipStep, 1, 65536)},
        {"--mac", [&o](const std::string& v) { return ParseMac(v, o.macBase); }},
        {"--name", Text(o.name)},
        {"--description", Text(o.description)},
        {"--login", Text(o.login)},
        {"--password", Text(o.password)},
        {"--firmware", Number(o.firmware, 0, 65535)},
        {"--ip", Address(o.ip)},
        {"--mask", Address(o.mask)},
        {"--gateway", Address(o.gateway)},
        {"--dns1", Address(o.dns1)},
        {"--dns2", Address(o.dns2)},
        {"--web-port", Number(o.webPort, 0, 65535)},
        {"--query-status", Number(o.queryStatus, 0, 65535)},
        {"--status", Number(o.setStatus, 0, 65535)},
        {"--drop-first", Number(o.dropFirst, 0, 1000000)},
        {"--delay-ms", Number(o.delayMs, 0, 600000)},
        {"--junk", [&o](const std::string& v) { return ParseJunk(v, o); }},
    };
    const std::map<std::string, bool*> flags{
        {"--reply-to-broadcast", &o.replyToBroadcast},
        {"--own-address", &o.ownAddress},
        {"--dhcp", &o.dhcp},
        {"--silent", &o.silent},
        {"--duplicate", &o.duplicate},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.status = SimOptionsResult::Status::Help;
            return result;
        }
        if (arg == "--version") {
            result.status = SimOptionsResult::Status::Version;
            return result;
        }
        if (const auto flag = flags.find(arg); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        const auto option = valued.find(arg);
        if (option == valued.end() || i + 1 >= args.size() || !option->second(args[i + 1])) {
            result.status = SimOptionsResult::Status::Error;
            result.error =
                option == valued.end() ? "unknown option " + arg : "bad or missing value for " + arg;
            return result;
        }
        ++i;
    }
    return result;
}

// Laid out for a terminal and for help2man, which makes the manual page from it.
const char* SimHelpText()
{
    return R"(Usage: camtivo-camsim [OPTION]...
  or:  camtivo-camsim --help | --version
Simulated network cameras: the camera side of the discovery and save protocol on UDP, for
tests and integration work. Each camera answers the search queries and applies the
settings it is sent; it can misbehave on request, and it can log what it received as JSON.

Run it only on 127.0.0.1 or inside a network namespace of your own: it answers broadcasts.

Options:
  -h, --help            show this help and exit.
  --version             print the version and exit.

Network:
  --port N              UDP port to listen on (916)
  --bind ADDR           local address to bind (0.0.0.0)
  --reply-to-broadcast  answer to 255.255.255.255 at the sender's port instead of the sender
  --own-address         each camera answers queries sent to its own --ip address (or broadcast)
                        only, from that address, and moves when a save gives it a new one;
                        the addresses must be on the host's interface
  --lifetime S          stop after S seconds (30; 0 = until SIGINT/SIGTERM)
  --log FILE            JSON lines: every datagram received (hex), sent, and each applied setting

Cameras:
  --variants LIST       query variants answered: plain,enc,full (all)
  --type N              device type (17)
  --count N             number of cameras (1); MACs count up from --mac, addresses from --ip
  --ip-step N           each camera's address N past the one before (1), to scatter the
                        cameras through a block
  --mac XX:..:XX        first MAC address (02:ca:00:00:00:01)
  --name TEXT           camera name; with --count > 1, " N" is appended (Camera)
  --description TEXT    description
  --login TEXT          login name (admin)
  --password TEXT       login password (admin)
  --firmware N          firmware version word (0x0203)
  --ip, --mask, --gateway, --dns1, --dns2 ADDR
                        the addresses the cameras report (192.168.0.100 up, /24)
  --dhcp                report DHCP instead of a fixed address
  --web-port N          report a web server port (0 = default port)

Misbehaviour:
  --query-status N      answer queries with status N
  --status N            answer set requests with status N (and do not apply them)
  --silent              receive and log, never answer nor apply anything
  --drop-first K        ignore the first K set requests
  --duplicate           send every answer twice
  --delay-ms N          answer after N milliseconds
  --junk LIST           with each query's answers also send: dropped (status 0xFFFF),
                        type16, stale (previous sequence), long (over-long datagram), all

Examples:
  Three cameras on the loopback interface for 60 seconds:
    $ camtivo-camsim --bind 127.0.0.1 --count 3 --lifetime 60
  A camera in a network namespace that refuses every save:
    $ ip netns exec cams camtivo-camsim --status 5 --log cams.json
)";
}
