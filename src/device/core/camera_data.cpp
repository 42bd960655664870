#include "device/core/camera_data.h"

void CCameraDataObj::FillFromReply(const MessageHeader& header, const DeviceInfo& body, uint32_t arrivedOn)
{
    interfaceIndex = arrivedOn;
    replyHeader = header;
    info = body;
    identity.FillFrom(body);
}
