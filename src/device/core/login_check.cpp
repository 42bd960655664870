#include "device/core/login_check.h"

#include "device/core/camera_record.h"
#include "platform/core/code_page.h"

LoginLimits LoginLimitsFor(uint16_t answeredCommand)
{
    if (answeredCommand == CMD_QUERY_FULL)
        return {32, 64};
    return {20, 8};
}

bool LoginAccepted(const std::u16string& name, const std::u16string& password,
                   const std::u16string& expectedName, const std::u16string& expectedPassword)
{
    return !name.empty() && name == expectedName && password == expectedPassword;
}

ExpectedLogin ExpectedLoginOf(const CameraRecord& camera)
{
    const LoginLimits limits = LoginLimitsFor(camera.AnsweredCommand());
    const std::string name = camera.info.Get(DeviceInfo::loginName);
    const std::string password = camera.info.Get(DeviceInfo::loginPassword);
    return {ToWide(name.substr(0, static_cast<size_t>(limits.nameChars))),
            ToWide(password.substr(0, static_cast<size_t>(limits.passwordChars)))};
}
