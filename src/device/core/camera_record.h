#pragma once
// The record kept for each camera: its last reply (header and body in the full layout), its
// identity block and whether the user still has to log in to it. The setting pages edit `info`
// in place; a save sends it back.
#include "device/core/camera_clock.h"
#include "device/core/camera_identity.h"
#include "device/core/device_info.h"
#include "device/core/message_header.h"

class CameraRecord
{
public:
    CameraRecord() = default;
    virtual ~CameraRecord() = default;
    CameraRecord(const CameraRecord&) = default;
    CameraRecord& operator=(const CameraRecord&) = default;

    // Takes a checked, widened reply and the interface it arrived on: copies header and body,
    // refills the identity block and notes the camera's clock with the moment it arrived.
    // loginRequired keeps its value.
    void FillFromReply(const MessageHeader& header, const DeviceInfo& body, uint32_t arrivedOn = 0);

    // The query command the camera answered; the save picks its set command from it.
    uint16_t AnsweredCommand() const { return replyHeader.command; }

    // The header of the last reply (the body area of the message buffer is `info`).
    MessageHeader replyHeader;
    DeviceInfo info;
    CameraIdentity identity;
    int32_t loginRequired = 1;
    // The system's index of the network interface the last reply arrived on, which a save sends
    // on; 0 for a record that no reply made (the test-mode file).
    uint32_t interfaceIndex = 0;
    // Which queries of the search the camera answered: the broadcast, one sent to an address
    // (--to), or both. A camera that answered only the latter from outside every interface's
    // network is behind a router, and a save reaches it only by its address.
    bool answeredBroadcast = false;
    bool answeredUnicast = false;
    // The camera's clock as the last reply gave it; a save that leaves it alone carries it forward.
    FoundClock clock;
};
