#include "device/core/action_rules.h"

#include "device/core/message_header.h"

uint16_t SetCommandFor(uint16_t answeredCommand)
{
    switch (answeredCommand) {
    case CMD_QUERY:
        return CMD_SET;
    case CMD_QUERY_ENC:
        return CMD_SET_ENC;
    default:
        return CMD_SET_FULL;
    }
}
