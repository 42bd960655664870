#include "address_check.h"

#include "camera_format.h"
#include "change_refusal.h"
#include "device/core/address_clash.h"
#include "pages/core/setting_rules.h"
#include "platform/net/network_adapters.h"

#include <set>

namespace {

// A row's camera as its save would leave it.
struct RowPlan
{
    bool known = false; // found, and its values apply
    CCameraDataObj camera;
    bool fixed = false;
    bool moves = false; // it leaves the address it answered from
};

RowPlan PlanOf(const CliSession& session, const CliOptions& row)
{
    RowPlan plan;
    const CCameraDataObj* found = session.Find(row.mac);
    if (found == nullptr)
        return plan;
    plan.camera = *found;
    if (!ChangeRefusal(row, &plan.camera.info).empty())
        return plan; // the save reports the value itself
    row.change.Apply(plan.camera.info);
    plan.known = true;
    plan.fixed = UsesFixedAddress(plan.camera.info);
    const bool wasFixed = UsesFixedAddress(found->info);
    const Ipv4Address from = found->identity.Get(CameraIdentity::ipAddress);
    plan.moves = plan.fixed ? plan.camera.info.Get(DeviceInfo::ipAddress) != from : wasFixed;
    return plan;
}

} // namespace

std::string CheckAddressClashes(const CliSession& session, const std::vector<CliOptions>& rows,
                                const std::function<std::string(size_t)>& where)
{
    std::vector<RowPlan> plans;
    std::set<MacAddress> leaving;
    for (const CliOptions& row : rows) {
        plans.push_back(PlanOf(session, row));
        if (plans.back().known && plans.back().moves)
            leaving.insert(plans.back().camera.info.Get(DeviceInfo::macAddress));
    }
    const std::vector<Ipv4Address> own = ListOwnAddresses();
    for (size_t i = 0; i < plans.size(); ++i) {
        const RowPlan& plan = plans[i];
        if (!plan.known || !plan.fixed)
            continue;
        const AddressClash clash = FindAddressClash(plan.camera.info.Get(DeviceInfo::ipAddress), plan.camera,
                                                    session.action.Found().Records(), own, leaving);
        if (clash)
            return where(i) + AddressClashText(clash);
    }
    return {};
}
