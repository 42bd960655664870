// A camera's reply body is outside data: every detail text and the expected login are made
// from arbitrary body bytes and any answered command without reading past a field.
#include "device/core/camera_detail_text.h"
#include "device/core/camera_record.h"
#include "device/core/login_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    CameraRecord camera;
    camera.replyHeader.command = static_cast<uint16_t>(data[0] | (data[1] << 8));
    auto body = camera.info.Raw();
    std::copy_n(data + 2, std::min(size - 2, body.size()), body.begin());
    const camera_text::CameraDetails details = camera_text::DetailsOf(camera);
    const ExpectedLogin login = ExpectedLoginOf(camera);
    const std::string url = camera_text::WebAddressOf(camera);
    // A login is never accepted with an empty name, whatever the camera sent.
    if (LoginAccepted(u"", login.password, login.name, login.password))
        __builtin_trap();
    return static_cast<int>(details.ssid.size() > 34 || url.empty());
}
