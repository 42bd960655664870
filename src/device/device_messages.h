#pragma once
// Sending one protocol message through an endpoint: frame the request in the caller's buffer
// (header, compact or full set body, enciphered span) and send length + 29 bytes of it.
#include "device/core/message_header.h"
#include "device/endpoint_table.h"

// False when the table is not started (-100), the slot is invalid (-102), the command is not
// one of the six, or the send fails (the slot's error holds the socket error). On success the
// endpoint keeps a copy of the buffer and the byte count.
bool SendDeviceMessage(EndpointTable& table, uint16_t command, uint16_t deviceType, MessageBuffer& buffer,
                       int slot, uint16_t sequence);
