#pragma once
// The camera's settings structure, exactly as the newest protocol variant carries it and as
// the record keeps it: 534 bytes, little-endian words, Windows-1252 texts, IPv4 addresses
// first octet first. Bytes no field names are carried back to the camera unchanged.
#include "device/core/fixed_layout.h"

inline constexpr size_t kDeviceInfoSize = 534;

class DeviceInfo : public FixedLayout<kDeviceInfoSize>
{
public:
    using FixedLayout::FixedLayout;

    static constexpr WordField<kSize> deviceType{0};
    static constexpr WordField<kSize> firmwareVersion{2};
    static constexpr TextField<kSize> deviceText{4, 17};
    static constexpr MacField<kSize> macAddress{21};
    static constexpr TextField<kSize> cameraName{27, 17};
    static constexpr TextField<kSize> description{44, 33};
    static constexpr TextField<kSize> date{77, 11};
    static constexpr TextField<kSize> time{88, 9};
    static constexpr ByteField<kSize> timeZone{97};
    static constexpr TextField<kSize> loginName{98, 32};
    static constexpr TextField<kSize> loginPassword{130, 64};
    static constexpr ByteField<kSize> fixedIp{194};
    static constexpr Ipv4Field<kSize> ipAddress{195};
    static constexpr Ipv4Field<kSize> subnetMask{199};
    static constexpr Ipv4Field<kSize> gateway{203};
    static constexpr ByteField<kSize> wirelessMode{207};
    static constexpr TextField<kSize> ssid{209, 34};
    static constexpr ByteField<kSize> channel{243};
    static constexpr ByteField<kSize> wepEnabled{244};
    static constexpr BytesField<kSize> wepKeys{245, 52};
    static constexpr Ipv4Field<kSize> primaryDns{299};
    static constexpr Ipv4Field<kSize> secondaryDns{303};
    static constexpr ByteField<kSize> security{307};
    static constexpr ByteField<kSize> securityMode{308};
    static constexpr TextField<kSize> wpaPassphrase{309, 64};
    static constexpr TextField<kSize> wepPassphrase{405, 17};
    static constexpr ByteField<kSize> webPortSet{422};
    static constexpr WordField<kSize> webPort{423};
    static constexpr ByteField<kSize> dhcpEnable{425};
    // Written on receipt: the query command the camera answered. Never sent.
    static constexpr WordField<kSize> queryCommand{532};

    // The four WEP key slots inside wepKeys; a 64-bit key uses the first 5 bytes of its slot.
    static constexpr size_t kWepKeySlots = 4;
    static constexpr size_t kWepKeySlotSize = 13;
    static constexpr size_t kWep64KeySize = 5;

    // The set body a save sends starts at the MAC address.
    static constexpr size_t kSetBodyOffset = macAddress.offset;
};

// The table above, checked: every field follows the one before it, leaving gaps only where
// the layout has bytes without meaning for this program.
static_assert(DeviceInfo::firmwareVersion.offset == DeviceInfo::deviceType.End());
static_assert(DeviceInfo::deviceText.offset == DeviceInfo::firmwareVersion.End());
static_assert(DeviceInfo::macAddress.offset == DeviceInfo::deviceText.End());
static_assert(DeviceInfo::cameraName.offset == DeviceInfo::macAddress.End());
static_assert(DeviceInfo::description.offset == DeviceInfo::cameraName.End());
static_assert(DeviceInfo::date.offset == DeviceInfo::description.End());
static_assert(DeviceInfo::time.offset == DeviceInfo::date.End());
static_assert(DeviceInfo::timeZone.offset == DeviceInfo::time.End());
static_assert(DeviceInfo::loginName.offset == DeviceInfo::timeZone.End());
static_assert(DeviceInfo::loginPassword.offset == DeviceInfo::loginName.End());
static_assert(DeviceInfo::fixedIp.offset == DeviceInfo::loginPassword.End());
static_assert(DeviceInfo::ipAddress.offset == DeviceInfo::fixedIp.End());
static_assert(DeviceInfo::subnetMask.offset == DeviceInfo::ipAddress.End());
static_assert(DeviceInfo::gateway.offset == DeviceInfo::subnetMask.End());
static_assert(DeviceInfo::wirelessMode.offset == DeviceInfo::gateway.End());
static_assert(DeviceInfo::ssid.offset == DeviceInfo::wirelessMode.End() + 1);
static_assert(DeviceInfo::channel.offset == DeviceInfo::ssid.End());
static_assert(DeviceInfo::wepEnabled.offset == DeviceInfo::channel.End());
static_assert(DeviceInfo::wepKeys.offset == DeviceInfo::wepEnabled.End());
static_assert(DeviceInfo::wepKeys.width == DeviceInfo::kWepKeySlots * DeviceInfo::kWepKeySlotSize);
static_assert(DeviceInfo::primaryDns.offset == DeviceInfo::wepKeys.End() + 2);
static_assert(DeviceInfo::secondaryDns.offset == DeviceInfo::primaryDns.End());
static_assert(DeviceInfo::security.offset == DeviceInfo::secondaryDns.End());
static_assert(DeviceInfo::securityMode.offset == DeviceInfo::security.End());
static_assert(DeviceInfo::wpaPassphrase.offset == DeviceInfo::securityMode.End());
static_assert(DeviceInfo::wepPassphrase.offset == DeviceInfo::wpaPassphrase.End() + 32);
static_assert(DeviceInfo::webPortSet.offset == DeviceInfo::wepPassphrase.End());
static_assert(DeviceInfo::webPort.offset == DeviceInfo::webPortSet.End());
static_assert(DeviceInfo::dhcpEnable.offset == DeviceInfo::webPort.End());
static_assert(DeviceInfo::queryCommand.offset == DeviceInfo::dhcpEnable.End() + 106);
static_assert(DeviceInfo::queryCommand.End() == kDeviceInfoSize);
