#pragma once
// One run of camtivo-cli on the wizard's engine: the action dialog, the runner standing in for
// the frame, and the timers scaled by --seconds.
#include "cli_options.h"
#include "device/action_dlg.h"
#include "device/action_runner.h"
#include "device/core/camera_data.h"

#include <optional>
#include <string>
#include <vector>

struct CliSession
{
    explicit CliSession(const CliOptions& options);

    // Runs a search; empty when it ended normally, otherwise the error line. With `wanted` MAC
    // addresses (lower-case, colon-separated) it ends as soon as every one of them has answered.
    std::string Search(const std::vector<std::string>& wanted = {});
    // The found camera with the MAC address, or nothing.
    const CCameraDataObj* Find(const std::string& mac) const;
    // The addresses the next searches ask directly: those of --to and `extra`, each once.
    void AskAlso(const std::vector<std::string>& extra);
    // Asks for one camera once more, in a search of its own that ends when it answers, so that
    // the session's list of found cameras stays as it was. Its new record, or nothing.
    std::optional<CCameraDataObj> AskAgain(const std::string& mac);

    const CliOptions options;
    CActionDlg action;
    CActionRunner runner;
    int64_t waitLimitMs = 0;
};
