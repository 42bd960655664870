#include "save_plan.h"

#include "camera_format.h"
#include "device/core/address_clash.h"
#include "device/core/camera_detail_text.h"
#include "pages/core/setting_rules.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <unordered_map>

namespace {

uint64_t MacKey(const MacAddress& mac)
{
    uint64_t key = 0;
    for (const uint8_t byte : mac)
        key = key << 8 | byte;
    return key;
}

// What the rows do to the search's addresses: which cameras leave theirs, and who holds each.
struct AddressUse
{
    std::unordered_map<uint64_t, size_t> moverRow; // camera MAC -> the row that moves it
    std::map<Ipv4Address, std::vector<const CameraRecord*>> holders;
};

// Whether the save leaves the address the camera answered from: a new fixed address, or a
// fixed one given up for DHCP.
bool Moves(const DeviceInfo& before, const CameraRecord& after)
{
    if (!UsesFixedAddress(after.info))
        return UsesFixedAddress(before);
    return after.info.Get(DeviceInfo::ipAddress) != after.identity.Get(CameraIdentity::ipAddress);
}

// A sent row's camera and the fixed address it takes, other than the one it answered from.
struct Take
{
    MacAddress mac{};
    Ipv4Address address{};
};

// Fills the plan's rows from each row's checks; the cameras the rows move go into `use`.
void PrepareRows(const FoundCameraList& found, const std::vector<CliOptions>& rows, SavePlan& plan,
                 AddressUse& use, std::vector<std::optional<Take>>& takes)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        PreparedSave prepared = PrepareSave(found, rows[i]);
        PlannedRow& row = plan.rows.emplace_back();
        row.send = prepared.send;
        if (!row.send)
            row.result = std::move(prepared.save);
        if (!prepared.camera)
            continue;
        const MacAddress mac = prepared.camera->info.Get(DeviceInfo::macAddress);
        if (Moves(prepared.before, *prepared.camera))
            use.moverRow.emplace(MacKey(mac), i);
        if (row.send && prepared.save.fixedAddress && prepared.save.address != prepared.save.answeredFrom)
            takes[i] = Take{mac, prepared.save.address};
    }
    for (const CameraRecord* camera : found.Records())
        use.holders[camera->info.Get(DeviceInfo::ipAddress)].push_back(camera);
}

// Links a row to the rows that move the holders of the address it takes away; the clash text
// when a holder stays, or when the address is this computer's.
std::string LinkTaker(const Take& take, const AddressUse& use, const std::vector<Ipv4Address>& own,
                      PlannedRow& row)
{
    row.takes = take.address;
    if (std::find(own.begin(), own.end(), take.address) != own.end())
        return AddressClashText({AddressClash::Kind::ThisComputer, take.address, nullptr});
    const auto holders = use.holders.find(take.address);
    if (holders == use.holders.end())
        return {};
    for (const CameraRecord* holder : holders->second) {
        const MacAddress mac = holder->info.Get(DeviceInfo::macAddress);
        if (mac == take.mac)
            continue;
        const auto mover = use.moverRow.find(MacKey(mac));
        if (mover == use.moverRow.end())
            return AddressClashText({AddressClash::Kind::OtherCamera, take.address, holder});
        row.after.push_back(mover->second);
    }
    return {};
}

// The rows of one cycle among the rows left unordered, each of which waits for another of them.
std::vector<size_t> OneCycle(const SavePlan& plan, const std::vector<bool>& ordered)
{
    size_t at = 0;
    while (!plan.rows[at].send || ordered[at])
        ++at;
    std::map<size_t, size_t> step; // row -> its place on the walk
    std::vector<size_t> walk;
    while (step.emplace(at, walk.size()).second) {
        walk.push_back(at);
        const auto& after = plan.rows[at].after;
        at = *std::find_if(after.begin(), after.end(),
                           [&](size_t v) { return plan.rows[v].send && !ordered[v]; });
    }
    std::vector<size_t> cycle(walk.begin() + static_cast<std::ptrdiff_t>(step[at]), walk.end());
    std::sort(cycle.begin(), cycle.end());
    return cycle;
}

// Orders the sent rows so that each comes after the rows it waits for, otherwise in the rows'
// order; a cycle leaves rows unordered.
void OrderSaves(SavePlan& plan)
{
    const size_t count = plan.rows.size();
    std::vector<size_t> waiting(count, 0);
    std::vector<std::vector<size_t>> next(count);
    for (size_t i = 0; i < count; ++i) {
        for (const size_t v : plan.rows[i].after) {
            if (plan.rows[v].send) {
                ++waiting[i];
                next[v].push_back(i);
            }
        }
    }
    std::priority_queue<size_t, std::vector<size_t>, std::greater<>> ready;
    for (size_t i = 0; i < count; ++i) {
        if (plan.rows[i].send && waiting[i] == 0)
            ready.push(i);
    }
    std::vector<bool> ordered(count, false);
    while (!ready.empty()) {
        const size_t i = ready.top();
        ready.pop();
        plan.order.push_back(i);
        ordered[i] = true;
        for (const size_t t : next[i]) {
            if (--waiting[t] == 0)
                ready.push(t);
        }
    }
    const auto sent =
        std::count_if(plan.rows.begin(), plan.rows.end(), [](const PlannedRow& r) { return r.send; });
    if (plan.order.size() < static_cast<size_t>(sent)) {
        plan.status = PlanStatus::Cycle;
        plan.culprits = OneCycle(plan, ordered);
        plan.order.clear();
    }
}

} // namespace

SavePlan PlanSaves(const FoundCameraList& found, const std::vector<CliOptions>& rows,
                   const std::vector<Ipv4Address>& own)
{
    SavePlan plan;
    plan.rows.reserve(rows.size());
    AddressUse use;
    std::vector<std::optional<Take>> takes(rows.size());
    PrepareRows(found, rows, plan, use, takes);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!takes[i])
            continue;
        if (std::string clash = LinkTaker(*takes[i], use, own, plan.rows[i]); !clash.empty()) {
            plan.status = PlanStatus::AddressInUse;
            plan.clash = std::move(clash);
            plan.culprits = {i};
            return plan;
        }
    }
    OrderSaves(plan);
    return plan;
}

std::vector<CameraSave> RunSavePlan(CliSession& session, const std::vector<CliOptions>& rows,
                                    const SavePlan& plan, const std::function<void(const CameraSave&)>& done)
{
    std::vector<std::optional<CameraSave>> results(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!plan.rows[i].send)
            results[i] = plan.rows[i].result;
    }
    size_t reported = 0;
    const auto report = [&] {
        for (; reported < results.size() && results[reported]; ++reported)
            done(*results[reported]);
    };
    report();
    for (const size_t i : plan.order) {
        const PlannedRow& row = plan.rows[i];
        const auto failed = std::find_if(row.after.begin(), row.after.end(),
                                         [&](size_t v) { return results[v]->outcome != SaveOutcome::Saved; });
        if (session.stopped)
            results[i] = StoppedBeforeItsTurn(rows[i].mac);
        else if (failed != row.after.end())
            results[i] = SkippedSave(rows[i].mac, row.takes, rows[*failed].mac);
        else
            results[i] = SaveCamera(session, rows[i]);
        report();
    }
    std::vector<CameraSave> saves;
    saves.reserve(results.size());
    for (std::optional<CameraSave>& result : results)
        saves.push_back(std::move(*result));
    return saves;
}
