#pragma once
// The command line of camtivo-cli: a command (search or save) and its options. The settings of
// a save are read into one settings change as values; whether they are acceptable for the
// camera is decided by the change's own check (change_refusal.h), before any search. An
// option's value follows it as the next argument or after "=" (--password=--x).
#include "pages/core/settings_change.h"
#include "platform/core/address_range.h"
#include "secret_input.h"
#include "wireless_options.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CliCommand
{
    Help,
    Version,
    Search,
    Save,
    TimeZones // lists the time zones --timezone takes
};

struct CliOptions
{
    // When the command started: every camera's "seconds" counts from here.
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    CliCommand command = CliCommand::Help;
    double seconds = 20.0;
    bool allProduct = false;
    bool json = false;
    bool csv = false;
    bool diagnose = false;
    std::vector<std::string> to;    // dotted addresses queried by unicast after the broadcast
    std::vector<NamedRange> ranges; // --to blocks and dash ranges, swept once by the first search
    int rate = 5000;                // most datagrams a second the sweep of the ranges sends
    std::string batch;              // save: the CSV file of cameras and settings, "" for one camera
    bool verify = false;            // save: search again afterwards for the saved cameras

    std::string mac; // lower-case, colon-separated
    std::optional<std::string> login;
    std::optional<std::string> password;
    SecretSources secretSources; // secrets to read from standard input or files
    SettingsChange change;
    bool clockNow = false; // --clock now: the date and time of this computer as each request goes out
    std::array<std::string, kIpRows> addressTexts; // each address given, as typed
};

// The options of the five addresses, in row order.
inline constexpr std::string_view kAddressFlags[kIpRows] = {"--ip", "--mask", "--gateway", "--dns1",
                                                            "--dns2"};

struct CliParse
{
    std::optional<CliOptions> options; // nothing when the command line is wrong
    std::string error;                 // one line saying what is wrong
};

// Exit statuses of both commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // sent, but the search or a camera's save failed, or it was not found
inline constexpr int kExitUsage =
    2; // nothing sent: the input or a rule refused it, before or after the search

// Gives a single save the secrets that are not on its command line, before its options are
// checked together; empty when nothing went wrong, otherwise what did.
using SecretFill = std::function<std::string(CliOptions&)>;

CliParse ParseCliOptions(const std::vector<std::string>& args, const SecretFill& fillSecrets = {});

// One option of save given as a batch row's cell (`flag` with its dashes); empty when taken,
// otherwise what is wrong with the value.
std::string TakeSaveOption(CliOptions& options, const std::string& flag, const std::string& value);
// What a save's options need together (--mac, --login and --password; texts a camera can store;
// wireless options that fit the security type); empty when they are complete.
std::string CheckSaveOptions(const CliOptions& options);

// The ranges of the command and of every row together, each address once; nothing when they
// hold more than kMaxRangeAddresses.
std::optional<AddressSweep> SweepOf(const std::vector<const std::vector<NamedRange>*>& lists);

// Whether `--column` is an option of save that names a camera or one of its settings, and so a
// column a batch file may have.
bool IsBatchColumn(const std::string& column);

// The help: usage, commands, options and settings; then, after the wireless settings, the exit
// status and examples.
const char* CliUsage();
const char* CliHelpEnd();
