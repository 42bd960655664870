#pragma once
// The process-wide table of UDP endpoints the device protocol runs over: at most 16 slots,
// numbered 1 to 16, each a broadcast-capable socket that calls its owner's handler on the
// owner's next turn of the event loop, once per datagram. Operations return false or 0 on failure and leave
// the reason in LastNetError() (or, for sends and receives, in the slot's error).
#include "device/core/fixed_layout.h"
#include "device/core/message_header.h"
#include "platform/core/win_types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class QObject;
class UdpSocket;

inline constexpr int kNetBadSlot = -102;
inline constexpr int kNetTableFull = -103;
inline constexpr int kNetNoMemory = -104;

inline constexpr int kEndpointSlots = 16;
inline constexpr uint16_t kDevicePort = 916;
inline constexpr Ipv4Address kBroadcastAddress{255, 255, 255, 255};

// What one receive found, for callers that account for every arrival.
struct DatagramArrival
{
    enum class Kind
    {
        Nothing,  // no datagram was waiting
        Datagram, // returned to the caller
        Empty,    // a datagram of zero bytes
        Dropped,  // status word 0xFFFF
        TooLong,  // longer than kReceiveLimit; its content is lost
        Failed    // another socket error
    } kind = Kind::Nothing;
    Ipv4Address from{};
    uint32_t interfaceIndex = 0; // the interface it arrived on; 0 when unknown
};

class EndpointTable
{
public:
    EndpointTable();
    virtual ~EndpointTable();
    EndpointTable(const EndpointTable&) = delete;
    EndpointTable& operator=(const EndpointTable&) = delete;

    // The table the program uses; tests make their own.
    static EndpointTable& Process();

    // Returns the slot number, or 0 with LastNetError() set. `onArrival` runs in `owner`'s
    // thread for every datagram, queued; never after the owner is gone.
    int OpenEndpoint(QObject* owner, std::function<void()> onArrival);
    bool CloseEndpoint(int slot);
    // Destination of later sends (kBroadcastAddress for broadcast), and the interface they leave
    // by (0: the one the routing table picks).
    bool SetEndpointTarget(int slot, const Ipv4Address& address, uint32_t interfaceIndex = 0);
    bool GetLastSender(int slot, Ipv4Address& address);

    // One datagram to the slot's target and port 916: bytes sent, or 0 with the slot's error set.
    int SendDatagram(int slot, std::span<const uint8_t> bytes);
    // One datagram of at most kReceiveLimit bytes into `buffer`: its length, or 0 when nothing
    // usable arrived (an error or an empty datagram, the socket's error recorded in the slot,
    // or a datagram whose status word is 0xFFFF, dropped without a trace). `arrival`, when
    // given, says what was found and where.
    int ReceiveDatagram(int slot, std::span<uint8_t> buffer, DatagramArrival* arrival = nullptr);

    // SendDatagram for a whole protocol message: sends its first `size` bytes and, on success,
    // keeps a copy of the message and the byte count in the slot.
    int SendMessage(int slot, const MessageBuffer& buffer, size_t size);

    int LastNetError() const { return lastError_; }
    // The last Windows Sockets error seen on the slot (0 for an empty or invalid slot).
    int SlotError(int slot) const;
    // Stores the slot socket's current error as the slot's error, as a failure that is not
    // the socket's own (an unknown command) does.
    void RecordSocketError(int slot);
    // Target, byte count and copy of the last message sent (for tests and diagnostics).
    Ipv4Address Target(int slot) const;
    int SentCount(int slot) const;
    // Datagrams the slot has read and not yet handed over (0 for no slot).
    size_t Pending(int slot) const;
    int OpenCount() const;
    // The slot's local port once its first send has bound it (0 before, or for no slot).
    uint16_t LocalPort(int slot) const;

protected:
    // The one place a datagram leaves: the bytes sent, or -1 with `error` set to the Windows
    // Sockets code. A table made for tests may fail chosen sends here.
    virtual int Transmit(UdpSocket& socket, std::span<const uint8_t> bytes, const Ipv4Address& target,
                         uint16_t port, uint32_t interfaceIndex, int& error);

private:
    struct Endpoint;

    // The endpoint of a valid, open slot; otherwise nullptr with LastNetError() set.
    Endpoint* Checked(int slot);
    const Endpoint* Find(int slot) const;

    int lastError_ = 0;
    std::array<std::unique_ptr<Endpoint>, kEndpointSlots> slots_;
};
