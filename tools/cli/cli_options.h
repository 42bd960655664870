#pragma once
// The command line of camtivo-cli: a command (search or save) and its options, checked for
// form only (numbers are numbers, addresses have four parts). Whether a value is acceptable
// for the camera is decided by the setting pages' own rules (settings_check.h), before any
// search. An option's value follows it as the next argument or after "=" (--password=--x).
#include "wireless_options.h"

#include <optional>
#include <string>
#include <vector>

enum class CliCommand
{
    Help,
    Version,
    Search,
    Save
};

struct CliOptions
{
    CliCommand command = CliCommand::Help;
    double seconds = 20.0;
    bool allProduct = false;
    bool json = false;
    bool csv = false;
    bool diagnose = false;
    std::vector<std::string> to; // dotted addresses queried by unicast after the broadcast
    std::string batch;           // save: the CSV file of cameras and settings, "" for one camera
    bool verify = false;         // save: search again afterwards for the saved cameras

    std::string mac; // lower-case, colon-separated
    std::optional<std::string> login;
    std::optional<std::string> password;
    std::optional<std::string> name;
    std::optional<std::string> description;
    std::optional<bool> dhcp;
    std::optional<std::string> ip, mask, gateway, dns1, dns2;
    std::optional<std::string> date; // MM/DD/YYYY
    std::optional<std::string> time; // HH:MM, 24-hour clock
    std::optional<int> timeZone;
    WirelessOptions wireless;
};

struct CliParse
{
    std::optional<CliOptions> options; // nothing when the command line is wrong
    std::string error;                 // one line saying what is wrong
};

// Exit statuses of both commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // the search or the save did not succeed
inline constexpr int kExitUsage = 2;  // the command line is wrong; nothing was sent

CliParse ParseCliOptions(const std::vector<std::string>& args);

// Whether `--column` is an option of save that names a camera or one of its settings, and so a
// column a batch file may have.
bool IsBatchColumn(const std::string& column);

// The help: usage, commands, options and settings; then, after the wireless settings, the exit
// status and examples.
const char* CliUsage();
const char* CliHelpEnd();
