#include "sim_cameras.h"

#include "json_line.h"
#include "text_utf8.h"

#include "camera_side/camera_side.h"
#include "device/core/camera_clock.h"

#include <algorithm>
#include <cstdio>

namespace {
// The address `by` further on, the bytes read as one big-endian number that wraps around.
template <size_t N> std::array<uint8_t, N> Advance(std::array<uint8_t, N> bytes, int64_t by)
{
    uint64_t value = 0;
    for (uint8_t b : bytes)
        value = (value << 8) | b;
    value += static_cast<uint64_t>(by);
    for (size_t i = N; i-- > 0; value >>= 8)
        bytes[i] = static_cast<uint8_t>(value);
    return bytes;
}

DeviceInfo MakeCamera(const SimOptions& o, int index)
{
    DeviceInfo info;
    info.Set(DeviceInfo::deviceType, o.deviceType);
    info.Set(DeviceInfo::firmwareVersion, o.firmware);
    info.Set(DeviceInfo::deviceText, "Camsim");
    info.Set(DeviceInfo::macAddress, Advance(o.macBase, index));
    const std::string name = o.count > 1 ? o.name + " " + std::to_string(index + 1) : o.name;
    info.Set(DeviceInfo::cameraName, NarrowFromUtf8(name));
    info.Set(DeviceInfo::description, NarrowFromUtf8(o.description));
    info.Set(DeviceInfo::date, "01/01/2026");
    info.Set(DeviceInfo::time, "12:00:00");
    info.Set(DeviceInfo::timeZone, 14);
    info.Set(DeviceInfo::loginName, NarrowFromUtf8(o.login));
    info.Set(DeviceInfo::loginPassword, NarrowFromUtf8(o.password));
    info.Set(DeviceInfo::fixedIp, o.dhcp ? 0 : 1);
    info.Set(DeviceInfo::dhcpEnable, o.dhcp ? 1 : 0);
    info.Set(DeviceInfo::ipAddress, Advance(o.ip, int64_t{index} * o.ipStep));
    info.Set(DeviceInfo::subnetMask, o.mask);
    info.Set(DeviceInfo::gateway, o.gateway);
    info.Set(DeviceInfo::primaryDns, o.dns1);
    info.Set(DeviceInfo::secondaryDns, o.dns2);
    info.Set(DeviceInfo::ssid, "camsim");
    info.Set(DeviceInfo::channel, 6);
    info.Set(DeviceInfo::security, 1);
    info.Set(DeviceInfo::webPortSet, o.webPort != 0 ? 1 : 0);
    info.Set(DeviceInfo::webPort, o.webPort);
    return info;
}

const char* SetRequestStatusName(SetRequestStatus status)
{
    switch (status) {
    case SetRequestStatus::Ok:
        return "ok";
    case SetRequestStatus::TooShort:
        return "too-short";
    case SetRequestStatus::NotASetRequest:
        return "not-a-set-request";
    case SetRequestStatus::WrongLength:
        return "wrong-length";
    case SetRequestStatus::WrongSize:
        return "wrong-size";
    }
    return "?";
}

std::string Event(const char* name, const MessageHeader& header)
{
    return JsonLine()
        .Text("event", name)
        .Number("command", header.command)
        .Number("sequence", header.sequence)
        .Str();
}
} // namespace

std::string MacText(const MacAddress& mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2], mac[3], mac[4],
                  mac[5]);
    return text;
}

std::string Ipv4Text(const Ipv4Address& a)
{
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]);
}

std::string SettingsJson(const DeviceInfo& info)
{
    const auto text = [&info](auto field) { return Utf8FromNarrow(info.Get(field)); };
    return JsonLine()
        .Text("cameraName", text(DeviceInfo::cameraName))
        .Text("description", text(DeviceInfo::description))
        .Text("date", text(DeviceInfo::date))
        .Text("time", text(DeviceInfo::time))
        .Number("timeZone", info.Get(DeviceInfo::timeZone))
        .Number("fixedIp", info.Get(DeviceInfo::fixedIp))
        .Text("ipAddress", Ipv4Text(info.Get(DeviceInfo::ipAddress)))
        .Text("subnetMask", Ipv4Text(info.Get(DeviceInfo::subnetMask)))
        .Text("gateway", Ipv4Text(info.Get(DeviceInfo::gateway)))
        .Number("wirelessMode", info.Get(DeviceInfo::wirelessMode))
        .Text("ssid", text(DeviceInfo::ssid))
        .Number("channel", info.Get(DeviceInfo::channel))
        .Number("bWep", info.Get(DeviceInfo::wepEnabled))
        .Hex("bWepKey", info.Get(DeviceInfo::wepKeys))
        .Text("primaryDns", Ipv4Text(info.Get(DeviceInfo::primaryDns)))
        .Text("secondaryDns", Ipv4Text(info.Get(DeviceInfo::secondaryDns)))
        .Number("security", info.Get(DeviceInfo::security))
        .Number("SecMode", info.Get(DeviceInfo::securityMode))
        .Text("WpaPassphrase", text(DeviceInfo::wpaPassphrase))
        .Text("WepPassphrase", text(DeviceInfo::wepPassphrase))
        .Number("dhcpEnable", info.Get(DeviceInfo::dhcpEnable))
        .Str();
}

SimulatedCameras::SimulatedCameras(const SimOptions& options) : options_(options)
{
    for (int i = 0; i < options_.count; ++i)
        cameras_.push_back(MakeCamera(options_, i));
    clockSet_.assign(cameras_.size(), std::chrono::steady_clock::now());
}

DeviceInfo SimulatedCameras::Running(size_t camera) const
{
    DeviceInfo info = cameras_[camera];
    CarryClockForward(FoundClock::Of(info, clockSet_[camera]), std::chrono::steady_clock::now(), info);
    return info;
}

bool SimulatedCameras::Answers(uint16_t command) const
{
    return (command == CMD_QUERY && options_.answerPlain) ||
           (command == CMD_QUERY_ENC && options_.answerEnciphered) ||
           (command == CMD_QUERY_FULL && options_.answerFull);
}

Peer SimulatedCameras::ReplyTarget(const Peer& from) const
{
    return options_.replyToBroadcast ? Peer{{255, 255, 255, 255}, from.port} : from;
}

std::vector<Outgoing> SimulatedCameras::Handle(std::span<const uint8_t> datagram, const Peer& from,
                                               const Ipv4Address& to, std::vector<std::string>& log)
{
    const auto header = MessageHeader::Read(datagram);
    // Only requests count: status 0, and a query has an empty body. Anything else (replies of
    // other cameras heard on the link, junk) is ignored so cameras never answer each other.
    if (!header || header->status != 0) {
        log.push_back(JsonLine().Text("event", "ignored").Text("reason", "not-a-request").Str());
        return {};
    }
    if (options_.silent) {
        log.push_back(Event("silent", *header));
        return {};
    }
    std::vector<Outgoing> out;
    if (IsQueryCommand(header->command) && header->length == 0) {
        if (!Answers(header->command)) {
            log.push_back(Event("variant-not-answered", *header));
            return {};
        }
        out = AnswerQuery(*header, from, to);
    } else {
        out = AnswerSet(datagram, *header, from, log);
    }
    if (options_.duplicate) {
        const size_t n = out.size();
        for (size_t i = 0; i < n; ++i)
            out.push_back(out[i]);
    }
    return out;
}

Ipv4Address SimulatedCameras::SourceOf(const DeviceInfo& camera) const
{
    return options_.ownAddress ? camera.Get(DeviceInfo::ipAddress) : Ipv4Address{};
}

std::vector<Outgoing> SimulatedCameras::AnswerQuery(const MessageHeader& header, const Peer& from,
                                                    const Ipv4Address& to)
{
    const bool broadcast = to == Ipv4Address{255, 255, 255, 255};
    std::vector<Outgoing> out;
    for (size_t i = 0; i < cameras_.size(); ++i) {
        const DeviceInfo& camera = cameras_[i];
        if (options_.ownAddress && !broadcast && camera.Get(DeviceInfo::ipAddress) != to)
            continue;
        out.push_back({ReplyTarget(from), SourceOf(camera),
                       BuildQueryReply(header.command, header.sequence, Running(i), options_.queryStatus),
                       "reply"});
    }
    const auto junk = Junk(header, from);
    out.insert(out.end(), junk.begin(), junk.end());
    return out;
}

std::vector<Outgoing> SimulatedCameras::Junk(const MessageHeader& header, const Peer& from) const
{
    std::vector<Outgoing> out;
    const Peer to = ReplyTarget(from);
    DeviceInfo stranger = cameras_.front();
    stranger.Set(DeviceInfo::macAddress, MacAddress{0x02, 0xBA, 0xD0, 0x00, 0x00, 0x01});
    if (options_.junkDropped)
        out.push_back({to,
                       {},
                       BuildQueryReply(header.command, header.sequence, stranger, kStatusDropped),
                       "junk-dropped"});
    if (options_.junkType16) {
        DeviceInfo older = stranger;
        older.Set(DeviceInfo::deviceType, 16);
        out.push_back({to, {}, BuildQueryReply(header.command, header.sequence, older), "junk-type16"});
    }
    if (options_.junkStale)
        out.push_back({to,
                       {},
                       BuildQueryReply(header.command, static_cast<uint16_t>(header.sequence - 1), stranger),
                       "junk-stale"});
    if (options_.junkLong) {
        auto bytes = BuildQueryReply(header.command, header.sequence, stranger);
        bytes.resize(kReceiveLimit + 100);
        out.push_back({to, {}, std::move(bytes), "junk-long"});
    }
    return out;
}

std::vector<Outgoing> SimulatedCameras::AnswerSet(std::span<const uint8_t> datagram,
                                                  const MessageHeader& header, const Peer& from,
                                                  std::vector<std::string>& log)
{
    const SetRequest request = ReadSetRequest(datagram, options_.deviceType);
    if (request.status != SetRequestStatus::Ok) {
        log.push_back(JsonLine()
                          .Text("event", "rejected")
                          .Text("reason", SetRequestStatusName(request.status))
                          .Number("command", header.command)
                          .Number("sequence", header.sequence)
                          .Str());
        return {};
    }
    if (++setRequestsSeen_ <= options_.dropFirst) {
        log.push_back(Event("dropped", header));
        return {};
    }
    const MacAddress mac = request.Mac();
    const auto camera = std::find_if(cameras_.begin(), cameras_.end(), [&mac](const DeviceInfo& c) {
        return c.Get(DeviceInfo::macAddress) == mac;
    });
    if (camera == cameras_.end()) {
        log.push_back(JsonLine().Text("event", "not-mine").Text("mac", MacText(mac)).Str());
        return {};
    }
    const Ipv4Address source = SourceOf(*camera);
    if (options_.setStatus == 0) {
        const size_t index = static_cast<size_t>(camera - cameras_.begin());
        const DeviceInfo before = Running(index);
        ApplySettings(request, *camera);
        clockSet_[index] = std::chrono::steady_clock::now();
        log.push_back(JsonLine()
                          .Text("event", "applied")
                          .Text("mac", MacText(mac))
                          .Number("command", header.command)
                          .Number("sequence", header.sequence)
                          .Raw("settings", SettingsJson(*camera))
                          .Text("clockWas", before.Get(DeviceInfo::date) + " " + before.Get(DeviceInfo::time))
                          .Str());
    } else {
        log.push_back(JsonLine()
                          .Text("event", "refused")
                          .Text("mac", MacText(mac))
                          .Number("status", options_.setStatus)
                          .Str());
    }
    return {{ReplyTarget(from), source, BuildHeaderReply(header.command, header.sequence, options_.setStatus),
             "set-reply"}};
}
