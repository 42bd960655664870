#include "device/device_messages.h"

#include "device/core/message_framing.h"

bool SendDeviceMessage(EndpointTable& table, uint16_t command, uint16_t deviceType, MessageBuffer& buffer,
                       int slot, uint16_t sequence)
{
    Ipv4Address unused{};
    if (!table.GetLastSender(slot, unused)) // the table's own started and slot checks
        return false;
    const FrameResult frame = FrameRequest(buffer, command, deviceType, sequence);
    if (frame.status != FrameStatus::Ok) {
        table.RecordSocketError(slot);
        return false;
    }
    return table.SendMessage(slot, buffer, frame.datagramSize) > 0;
}
