#include "device/core/saved_settings.h"

#include <algorithm>
#include <span>

namespace {

template <typename Value> bool Same(const Value& a, const Value& b)
{
    return a == b;
}

bool Same(std::span<const uint8_t> a, std::span<const uint8_t> b)
{
    return std::ranges::equal(a, b);
}

// Calls `visit(field)` for every setting a save writes, but the date and time.
template <typename Visit> void ForEachSetting(Visit visit)
{
    using D = DeviceInfo;
    visit(D::cameraName), visit(D::description), visit(D::timeZone), visit(D::fixedIp), visit(D::dhcpEnable);
    visit(D::ipAddress), visit(D::subnetMask), visit(D::gateway), visit(D::primaryDns),
        visit(D::secondaryDns);
    visit(D::wirelessMode), visit(D::ssid), visit(D::channel), visit(D::wepEnabled), visit(D::wepKeys);
    visit(D::security), visit(D::securityMode), visit(D::wpaPassphrase), visit(D::wepPassphrase);
}

} // namespace

bool HoldsChangedSettings(const DeviceInfo& before, const DeviceInfo& sent, const DeviceInfo& now)
{
    size_t changed = 0;
    bool held = true;
    ForEachSetting([&](const auto& field) {
        if (Same(sent.Get(field), before.Get(field)))
            return;
        ++changed;
        held = held && Same(now.Get(field), sent.Get(field));
    });
    return changed > 0 && held;
}
