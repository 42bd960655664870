#include "cli_session.h"

#include "device/core/camera_detail_text.h"
#include "diagnosis_format.h"
#include "platform/core/time_scale.h"

#include <algorithm>
#include <set>

namespace {

// The search runs 20 seconds at scale 1; --seconds scales every timer of the action.
constexpr double kSearchSeconds = 20.0;
// Real-time bound on any one action: a save's four minutes, scaled, with room to spare.
constexpr double kLongestActionSeconds = 300.0;

} // namespace

CliSession::CliSession(const CliOptions& options) : runner(action), to_(options.to)
{
    TimeScale::SetFactor(options.seconds / kSearchSeconds);
    action.SetAllowedTypes(options.allProduct ? DeviceTypeFilter{} : DeviceTypeFilter{true, {17, 18}});
    action.SetUnicastTargets(options.to);
    waitLimitMs = static_cast<int64_t>(kLongestActionSeconds * 1000 * TimeScale::Factor()) + 5000;
}

std::string CliSession::Search(const std::vector<std::string>& wanted)
{
    const std::set<std::string> macs(wanted.begin(), wanted.end());
    const auto allFound = [this, &macs] {
        size_t found = 0;
        for (const CCameraDataObj* camera : action.Found().Records())
            found += macs.count(camera_text::MacText(camera->info.Get(DeviceInfo::macAddress)));
        return found == macs.size();
    };
    const ActionOutcome outcome =
        wanted.empty() ? runner.Search(waitLimitMs) : runner.SearchUntil(allFound, waitLimitMs);
    if (!outcome.started)
        return "the search could not start";
    if (outcome.code == NOTIFY_SEND_ERROR)
        return "cannot send the search: " + SocketErrorText(static_cast<int>(outcome.value)) +
               " (socket error " + std::to_string(outcome.value) + ")";
    if (outcome.code != NOTIFY_SEARCH_DONE)
        return "the search did not end";
    return {};
}

const CCameraDataObj* CliSession::Find(const std::string& mac) const
{
    for (const CCameraDataObj* camera : action.Found().Records()) {
        if (camera_text::MacText(camera->info.Get(DeviceInfo::macAddress)) == mac)
            return camera;
    }
    return nullptr;
}

void CliSession::AskAlso(const std::vector<std::string>& extra)
{
    std::vector<std::string> targets = to_;
    for (const std::string& address : extra) {
        if (std::find(targets.begin(), targets.end(), address) == targets.end())
            targets.push_back(address);
    }
    action.SetUnicastTargets(std::move(targets));
}
