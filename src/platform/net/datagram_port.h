#pragma once
// A plain blocking UDP port for a server loop without a window (the camera simulator): bound to
// one address and port, with broadcasts allowed and the port shared with other listeners.
// Addresses are in network byte order.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct Datagram
{
    std::vector<uint8_t> bytes;
    uint32_t from = 0;
    uint16_t port = 0;
    // The address it was sent to: one of this host's, or the broadcast when the system does
    // not say.
    uint32_t to = 0xFFFFFFFFu;
};

class DatagramPort
{
public:
    DatagramPort() = default;
    ~DatagramPort();
    DatagramPort(const DatagramPort&) = delete;
    DatagramPort& operator=(const DatagramPort&) = delete;

    // Binds; false with Error() saying why.
    bool Open(uint32_t address, uint16_t port);
    // Waits at most `limit` for a datagram; true when one waits.
    bool WaitReadable(std::chrono::milliseconds limit);
    // Takes one waiting datagram; nothing when the read failed.
    std::optional<Datagram> Receive();
    // Sends one datagram, from the host's address `from` when not 0 (where the system lets it
    // choose); "" when sent, otherwise the system's reason.
    std::string Send(std::span<const uint8_t> bytes, uint32_t to, uint16_t port, uint32_t from = 0);
    // The port it is bound to; 0 when not open.
    uint16_t LocalPort() const;
    // The system's reason for the last failure.
    const std::string& Error() const { return error_; }

private:
    intptr_t socket_ = -1;
    std::string error_;
};
