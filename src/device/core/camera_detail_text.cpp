#include "device/core/camera_detail_text.h"

#include "device/core/camera_record.h"
#include "device/core/message_framing.h"
#include "platform/core/code_page.h"

#include <cstdio>

namespace camera_text {

namespace {

std::string Hex(unsigned value)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%x", value);
    return buffer.data();
}

} // namespace

std::string FirmwareVersion(uint16_t version, uint16_t answeredCommand)
{
    if (version == 0)
        return "0.00";
    if (answeredCommand == CMD_QUERY_FULL) {
        const unsigned major = (version >> 13) & 7u;
        const unsigned minor = (version >> 10) & 7u;
        const unsigned build = ((version >> 8) & 3u) * 4u + ((version >> 6) & 3u);
        return "V" + Hex(major) + "." + Hex(minor) + "." + Hex(build);
    }
    std::string text = "V" + Hex(version);
    text.insert(2, ".");
    if (text.size() == 6)
        text.resize(5);
    return text;
}

std::string MacText(std::span<const uint8_t, 6> mac)
{
    std::array<char, 18> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return buffer.data();
}

std::string DottedQuad(std::span<const uint8_t, 4> address)
{
    return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) +
           "." + std::to_string(address[3]);
}

int SecurityKindIndex(const SecurityFields& fields)
{
    if (IsCurrentDeviceType(fields.deviceType)) {
        if (fields.security == 1)
            return 0;
        if (fields.secMode != 0)
            return 3;
        return fields.wep == 1 ? 1 : 2;
    }
    if (fields.wep == 0)
        return 0;
    return fields.wep == 1 ? 1 : 2;
}

std::string WebAddress(std::span<const uint8_t, 4> address, bool portSet, uint16_t port)
{
    std::string url = "http://" + DottedQuad(address);
    if (portSet)
        url += ":" + std::to_string(port);
    return url;
}

CameraDetails DetailsOf(const CameraRecord& camera)
{
    const DeviceInfo& info = camera.info;
    const auto wide = [](const std::string& narrow) { return ToWide(narrow); };
    CameraDetails details;
    details.firmware = wide(FirmwareVersion(info.Get(DeviceInfo::firmwareVersion), camera.AnsweredCommand()));
    details.mac = wide(MacText(info.Get(DeviceInfo::macAddress)));
    details.name = wide(info.Get(DeviceInfo::cameraName));
    details.ip = wide(DottedQuad(info.Get(DeviceInfo::ipAddress)));
    details.mask = wide(DottedQuad(info.Get(DeviceInfo::subnetMask)));
    details.gateway = wide(DottedQuad(info.Get(DeviceInfo::gateway)));
    details.ssid = wide(info.Get(DeviceInfo::ssid)).substr(0, 34);
    details.channel = wide(std::to_string(info.Get(DeviceInfo::channel)));
    details.date = wide(info.Get(DeviceInfo::date));
    details.time = wide(info.Get(DeviceInfo::time));
    details.securityIndex =
        SecurityKindIndex({info.Get(DeviceInfo::deviceType), info.Get(DeviceInfo::security),
                           info.Get(DeviceInfo::securityMode), info.Get(DeviceInfo::wepEnabled)});
    return details;
}

std::string WebAddressOf(const CameraRecord& camera)
{
    const DeviceInfo& info = camera.info;
    return WebAddress(info.Get(DeviceInfo::ipAddress), info.Get(DeviceInfo::webPortSet) != 0,
                      info.Get(DeviceInfo::webPort));
}

} // namespace camera_text
