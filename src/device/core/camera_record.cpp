#include "device/core/camera_record.h"

void CameraRecord::FillFromReply(const MessageHeader& header, const DeviceInfo& body, uint32_t arrivedOn)
{
    interfaceIndex = arrivedOn;
    replyHeader = header;
    info = body;
    identity.FillFrom(body);
    clock = FoundClock::Of(body, std::chrono::steady_clock::now());
}
