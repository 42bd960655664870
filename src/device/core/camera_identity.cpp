#include "device/core/camera_identity.h"

#include <algorithm>

namespace {
template <size_t To, size_t From>
void CopyText(FixedLayout<To>& to, TextField<To> toField, const FixedLayout<From>& from,
              TextField<From> fromField)
{
    const auto source = from.Raw().subspan(fromField.offset, std::min(fromField.width, toField.width));
    std::copy(source.begin(), source.end(), to.Raw().begin() + toField.offset);
}
} // namespace

void CameraIdentity::FillFrom(const DeviceInfo& info)
{
    Clear();
    Set(deviceType, info.Get(DeviceInfo::deviceType));
    Set(macAddress, info.Get(DeviceInfo::macAddress));
    CopyText(*this, cameraName, info, DeviceInfo::cameraName);
    CopyText(*this, loginName, info, DeviceInfo::loginName);
    CopyText(*this, loginPassword, info, DeviceInfo::loginPassword);
    Set(ipAddress, info.Get(DeviceInfo::ipAddress));
}
