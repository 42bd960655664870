#include "device/endpoint_table.h"

#include "platform/core/socket_errors.h"
#include "platform/events/udp_socket.h"

#include <algorithm>
#include <cstring>
#include <new>

struct EndpointTable::Endpoint
{
    UdpSocket socket;
    Ipv4Address target{};
    uint32_t targetInterface = 0;
    Ipv4Address lastSender{};
    uint16_t port = kDevicePort;
    MessageBuffer lastSent{};
    int sentCount = 0;
    int error = 0;
};

namespace {

// The socket holds an address as the 32-bit word whose bytes are the four octets in order.
uint32_t ToSocketOrder(const Ipv4Address& address)
{
    uint32_t word = 0;
    std::memcpy(&word, address.data(), sizeof word);
    return word;
}

Ipv4Address FromSocketOrder(uint32_t word)
{
    Ipv4Address address{};
    std::memcpy(address.data(), &word, sizeof word);
    return address;
}

} // namespace

EndpointTable::EndpointTable() = default;
EndpointTable::~EndpointTable() = default;

EndpointTable& EndpointTable::Process()
{
    static EndpointTable table;
    return table;
}

int EndpointTable::OpenEndpoint(QObject* owner, std::function<void()> onArrival)
{
    size_t free = 0;
    while (free < slots_.size() && slots_[free])
        ++free;
    if (free == slots_.size()) {
        lastError_ = kNetTableFull;
        return 0;
    }
    std::unique_ptr<Endpoint> endpoint(new (std::nothrow) Endpoint);
    if (!endpoint) {
        lastError_ = kNetNoMemory;
        return 0;
    }
    endpoint->socket.SetReceiveLimit(kReceiveLimit);
    if (!endpoint->socket.Open() || !endpoint->socket.SelectRead(owner, std::move(onArrival))) {
        lastError_ = endpoint->socket.LastError();
        return 0; // the socket closes with the endpoint: a failed open leaves no trace
    }
    slots_[free] = std::move(endpoint);
    return static_cast<int>(free) + 1;
}

EndpointTable::Endpoint* EndpointTable::Checked(int slot)
{
    if (slot < 1 || slot > kEndpointSlots || !slots_[static_cast<size_t>(slot - 1)]) {
        lastError_ = kNetBadSlot;
        return nullptr;
    }
    return slots_[static_cast<size_t>(slot - 1)].get();
}

const EndpointTable::Endpoint* EndpointTable::Find(int slot) const
{
    if (slot < 1 || slot > kEndpointSlots)
        return nullptr;
    return slots_[static_cast<size_t>(slot - 1)].get();
}

bool EndpointTable::CloseEndpoint(int slot)
{
    if (Checked(slot) == nullptr)
        return false;
    slots_[static_cast<size_t>(slot - 1)].reset();
    return true;
}

bool EndpointTable::SetEndpointTarget(int slot, const Ipv4Address& address, uint32_t interfaceIndex)
{
    Endpoint* endpoint = Checked(slot);
    if (endpoint == nullptr)
        return false;
    endpoint->target = address;
    endpoint->targetInterface = interfaceIndex;
    return true;
}

bool EndpointTable::GetLastSender(int slot, Ipv4Address& address)
{
    const Endpoint* endpoint = Checked(slot);
    if (endpoint == nullptr)
        return false;
    address = endpoint->lastSender;
    return true;
}

int EndpointTable::Transmit(UdpSocket& socket, std::span<const uint8_t> bytes, const Ipv4Address& target,
                            uint16_t port, uint32_t interfaceIndex, int& error)
{
    const int sent = socket.SendTo(bytes, ToSocketOrder(target), port, interfaceIndex);
    if (sent < 0)
        error = socket.LastError();
    return sent;
}

int EndpointTable::SendDatagram(int slot, std::span<const uint8_t> bytes)
{
    Endpoint* endpoint = Checked(slot);
    if (endpoint == nullptr)
        return 0;
    const int sent = Transmit(endpoint->socket, bytes, endpoint->target, endpoint->port,
                              endpoint->targetInterface, endpoint->error);
    return sent < 0 ? 0 : sent;
}

int EndpointTable::SendMessage(int slot, const MessageBuffer& buffer, size_t size)
{
    const int sent =
        SendDatagram(slot, std::span<const uint8_t>(buffer).first(std::min(size, buffer.size())));
    if (sent > 0) {
        Endpoint* endpoint = Checked(slot);
        endpoint->lastSent = buffer;
        endpoint->sentCount = sent;
    }
    return sent;
}

int EndpointTable::ReceiveDatagram(int slot, std::span<uint8_t> buffer, DatagramArrival* arrival)
{
    DatagramArrival scratch;
    DatagramArrival& found = arrival != nullptr ? *arrival : scratch;
    found = {};
    Endpoint* endpoint = Checked(slot);
    if (endpoint == nullptr)
        return 0;
    uint32_t from = 0;
    const int n = endpoint->socket.ReceiveFrom(buffer.first(std::min(buffer.size(), kReceiveLimit)), from,
                                               &found.interfaceIndex);
    found.from = FromSocketOrder(from);
    if (n <= 0) {
        endpoint->error = endpoint->socket.LastError();
        if (n == 0)
            found.kind = DatagramArrival::Kind::Empty;
        else if (endpoint->error == WSAEMSGSIZE)
            found.kind = DatagramArrival::Kind::TooLong;
        else if (endpoint->error != WSAEWOULDBLOCK)
            found.kind = DatagramArrival::Kind::Failed;
        return 0;
    }
    constexpr size_t kStatusEnd = MessageHeader::kStatusOffset + 2;
    if (static_cast<size_t>(n) >= kStatusEnd && buffer[MessageHeader::kStatusOffset] == 0xFF &&
        buffer[MessageHeader::kStatusOffset + 1] == 0xFF) {
        found.kind = DatagramArrival::Kind::Dropped;
        return 0;
    }
    found.kind = DatagramArrival::Kind::Datagram;
    endpoint->lastSender = found.from;
    return n;
}

int EndpointTable::SlotError(int slot) const
{
    const Endpoint* endpoint = Find(slot);
    return endpoint ? endpoint->error : 0;
}

void EndpointTable::RecordSocketError(int slot)
{
    if (Endpoint* endpoint = Checked(slot))
        endpoint->error = endpoint->socket.LastError();
}

Ipv4Address EndpointTable::Target(int slot) const
{
    const Endpoint* endpoint = Find(slot);
    return endpoint ? endpoint->target : Ipv4Address{};
}

int EndpointTable::SentCount(int slot) const
{
    const Endpoint* endpoint = Find(slot);
    return endpoint ? endpoint->sentCount : 0;
}

size_t EndpointTable::Pending(int slot) const
{
    const Endpoint* endpoint = Find(slot);
    return endpoint ? endpoint->socket.Pending() : 0;
}

int EndpointTable::OpenCount() const
{
    int open = 0;
    for (const auto& slot : slots_)
        open += slot ? 1 : 0;
    return open;
}

uint16_t EndpointTable::LocalPort(int slot) const
{
    const Endpoint* endpoint = Find(slot);
    return endpoint ? endpoint->socket.LocalPort() : 0;
}
