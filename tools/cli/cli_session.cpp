#include "cli_session.h"

#include "device/core/camera_detail_text.h"
#include "diagnosis_format.h"
#include "output_text.h"
#include "platform/core/net_address.h"
#include "platform/core/time_scale.h"
#include "sweep_progress_line.h"

#include <algorithm>
#include <set>

namespace {

// The search runs 20 seconds at scale 1; --seconds scales every timer of the action.
constexpr double kSearchSeconds = 20.0;
// Real-time bound on any one action: a save's four minutes, scaled, with room to spare.
constexpr double kLongestActionSeconds = 300.0;

void PrepareAction(CameraActions& action, const CliOptions& options)
{
    action.SetAllowedTypes(options.allProduct ? DeviceTypeFilter{} : DeviceTypeFilter::CurrentTypesOnly());
    action.SetUnicastTargets(options.to);
    action.SetRangeTargets(options.ranges);
    action.SetSendRate(options.rate);
}

// Real time the sweep of the ranges takes at its pace, beside the scaled waits.
int64_t SweepMs(const CameraActions& action)
{
    constexpr int64_t kQueriesPerAddress = 3;
    return int64_t{action.RangeAddressCount()} * kQueriesPerAddress * 1000 / std::max(action.SendRate(), 1);
}

} // namespace

CliSession::CliSession(const CliOptions& options) : options(options), runner(action)
{
    TimeScale::SetFactor(options.seconds / kSearchSeconds);
    PrepareAction(action, options);
    waitLimitMs = static_cast<int64_t>(kLongestActionSeconds * 1000 * TimeScale::Factor()) + 5000;
}

const CameraRecord* FindCamera(const FoundCameraList& found, const std::string& mac)
{
    const std::optional<MacAddress> bytes = ParseMac(mac);
    return bytes ? found.FindByMac(*bytes) : nullptr;
}

std::string CliSession::Search(const std::vector<std::string>& wanted, SearchEnd end)
{
    // A reply adds at most one camera, at the tail: only that one is looked up, so a flood of
    // replies costs no walk of the whole list each.
    std::set<std::string> missing(wanted.begin(), wanted.end());
    size_t seen = 0;
    const auto allFound = [this, &missing, &seen] {
        const FoundCameraList& found = action.Found();
        if (found.GetCount() > seen) {
            seen = found.GetCount();
            missing.erase(camera_text::MacText(found.Records().GetTail()->info.Get(DeviceInfo::macAddress)));
        }
        return missing.empty();
    };
    const int64_t limitMs = waitLimitMs + SweepMs(action);
    ActionOutcome outcome;
    {
        const SweepProgressLine progress(action);
        outcome = wanted.empty()                ? runner.Search(limitMs)
                  : end == SearchEnd::WhenQuiet ? runner.SearchUntilQuiet(limitMs)
                                                : runner.SearchUntil(allFound, limitMs);
    }
    // The ranges are swept by the command's first search only: a save's retries and its
    // verifying search ask the cameras' own addresses.
    action.SetRangeTargets({});
    if (!outcome.started)
        return "the search could not start";
    if (outcome.end == ActionEnd::SendFailed)
        return "cannot send the search on any interface: " + SendErrorText(outcome.socketError);
    if (const size_t dropped = action.Found().Dropped(); dropped > 0)
        PrintNotice("more cameras answered than the list holds: the first " +
                    std::to_string(kMaxFoundCameras) + " are kept, " + std::to_string(dropped) +
                    " replies from further cameras were left out");
    if (outcome.end != ActionEnd::SearchDone)
        return "the search did not end";
    return {};
}

const CameraRecord* CliSession::Find(const std::string& mac) const
{
    return FindCamera(action.Found(), mac);
}

void CliSession::AskAlso(const std::vector<std::string>& extra)
{
    std::vector<std::string> targets = options.to;
    for (const std::string& address : extra) {
        if (std::find(targets.begin(), targets.end(), address) == targets.end())
            targets.push_back(address);
    }
    action.SetUnicastTargets(std::move(targets));
}

void CliSession::SweepAlso(const std::vector<NamedRange>& extra)
{
    std::vector<NamedRange> ranges = options.ranges;
    ranges.insert(ranges.end(), extra.begin(), extra.end());
    action.SetRangeTargets(std::move(ranges));
}
