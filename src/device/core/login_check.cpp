#include "device/core/login_check.h"

#include "device/core/camera_detail_text.h"

LoginLimits LoginLimitsFor(uint16_t answeredCommand)
{
    if (answeredCommand == camera_text::kQueryFullCommand)
        return {32, 64};
    return {20, 8};
}

bool LoginAccepted(const std::u16string& name, const std::u16string& password,
                   const std::u16string& expectedName, const std::u16string& expectedPassword)
{
    return !name.empty() && name == expectedName && password == expectedPassword;
}
