#include "settings_check.h"

#include "settings_change.h"

namespace {

// A camera whose every setting passes the pages' rules and which uses a fixed address, so that
// only the command line's own values can fail, and addresses fail only when --dhcp on is given.
CCameraDataObj PlaceholderCamera()
{
    CCameraDataObj camera;
    DeviceInfo& info = camera.info;
    info.Set(DeviceInfo::deviceType, 17);
    info.Set(DeviceInfo::cameraName, "Camera");
    info.Set(DeviceInfo::description, "Camera");
    info.Set(DeviceInfo::date, "01/01/2020");
    info.Set(DeviceInfo::time, "12:00:00");
    info.Set(DeviceInfo::fixedIp, 1);
    info.Set(DeviceInfo::ipAddress, Ipv4Address{192, 168, 0, 100});
    info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 255, 255, 0});
    info.Set(DeviceInfo::security, 1);
    return camera;
}

} // namespace

std::string CheckSettingsValues(const CliOptions& options)
{
    CCameraDataObj camera = PlaceholderCamera();
    if (std::string error = ApplySettingsChange(options, camera, ChangeScope::GivenValues); !error.empty())
        return "invalid value: " + error;
    return {};
}
