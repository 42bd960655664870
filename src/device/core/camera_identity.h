#pragma once
// The identity block of a camera record: who the camera is and how to log in to it, copied
// from its last reply. A save takes the MAC and IP addresses from here, not from the body.
#include "device/core/device_info.h"

inline constexpr size_t kCameraIdentitySize = 136;

class CameraIdentity : public FixedLayout<kCameraIdentitySize>
{
public:
    static constexpr WordField<kSize> deviceType{0};
    static constexpr MacField<kSize> macAddress{2};
    static constexpr TextField<kSize> cameraName{8, 17}; // followed by one spare byte
    static constexpr TextField<kSize> loginName{26, 32};
    static constexpr TextField<kSize> loginPassword{58, 64};
    static constexpr Ipv4Field<kSize> ipAddress{122};

    // Clears the block and fills it again from a body; texts are copied as raw bytes.
    void FillFrom(const DeviceInfo& info);
};

static_assert(CameraIdentity::macAddress.offset == CameraIdentity::deviceType.End());
static_assert(CameraIdentity::cameraName.offset == CameraIdentity::macAddress.End());
static_assert(CameraIdentity::cameraName.width == DeviceInfo::cameraName.width);
static_assert(CameraIdentity::loginName.offset == CameraIdentity::cameraName.End() + 1);
static_assert(CameraIdentity::loginName.width == DeviceInfo::loginName.width);
static_assert(CameraIdentity::loginPassword.offset == CameraIdentity::loginName.End());
static_assert(CameraIdentity::loginPassword.width == DeviceInfo::loginPassword.width);
static_assert(CameraIdentity::ipAddress.offset == CameraIdentity::loginPassword.End());
static_assert(CameraIdentity::ipAddress.End() <= kCameraIdentitySize);
