#include "device/core/camera_data.h"

void CCameraDataObj::FillFromReply(const MessageHeader& header, const DeviceInfo& body)
{
    replyHeader = header;
    info = body;
    identity.FillFrom(body);
}
