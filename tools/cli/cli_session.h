#pragma once
// One run of camtivo-cli on the wizard's engine: the action dialog, the runner standing in for
// the frame, and the timers scaled by --seconds.
#include "cli_options.h"
#include "device/action_runner.h"
#include "device/camera_actions.h"
#include "device/core/camera_record.h"

#include <optional>
#include <string>
#include <vector>

// The camera of `found` with the MAC address given as text, through the list's index.
const CameraRecord* FindCamera(const FoundCameraList& found, const std::string& mac);

struct CliSession
{
    explicit CliSession(const CliOptions& options);

    // How a search with wanted cameras ends.
    enum class SearchEnd
    {
        WhenWantedAnswered, // as soon as every wanted camera has answered
        WhenQuiet           // once the cameras have gone quiet: a late camera is still seen
    };

    // Runs a search; it sweeps the command's ranges (and those given to SweepAlso) when it is the
    // first. Empty when it ended normally, otherwise the error line. With `wanted` MAC
    // addresses (lower-case, colon-separated) it ends as `end` says, otherwise after its length.
    std::string Search(const std::vector<std::string>& wanted = {},
                       SearchEnd end = SearchEnd::WhenWantedAnswered);
    // The found camera with the MAC address (lower-case, colon-separated), or nothing.
    const CameraRecord* Find(const std::string& mac) const;
    // The addresses the next searches ask directly: those of --to and `extra`, each once.
    void AskAlso(const std::vector<std::string>& extra);
    // The ranges the first search sweeps: those of --to and `extra` (a batch's rows).
    void SweepAlso(const std::vector<NamedRange>& extra);

    const CliOptions options;
    CameraActions action;
    ActionRunner runner;
    bool stopped = false; // Ctrl+C stopped a save: the rows after it are not sent
    int64_t waitLimitMs = 0;
};
