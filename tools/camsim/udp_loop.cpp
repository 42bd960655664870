#include "udp_loop.h"

#include "json_line.h"
#include "platform/core/net_address.h"
#include "platform/net/datagram_port.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int)
{
    g_stop = 1;
}

struct Scheduled
{
    Clock::time_point due;
    Outgoing message;
};

class Log
{
public:
    Log(std::FILE* file, Clock::time_point start) : file_(file), start_(start) {}
    void Write(const std::string& line)
    {
        if (!file_)
            return;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
        // Every line gets the time since start in front of its own fields.
        const char* fields = line.size() > 2 ? line.c_str() + 1 : "}";
        std::fprintf(file_, "{\"ms\":%lld%s%s\n", static_cast<long long>(ms), line.size() > 2 ? "," : "",
                     fields);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
    Clock::time_point start_;
};

uint32_t AddressOf(const Peer& peer)
{
    uint32_t address = 0;
    std::memcpy(&address, peer.address.data(), 4);
    return address;
}

bool OpenPort(DatagramPort& port, const SimOptions& options, Log& log)
{
    const std::optional<Ipv4Address> bytes = ParseIpv4(options.bind);
    uint32_t address = 0; // network order
    if (bytes)
        std::memcpy(&address, bytes->data(), bytes->size());
    if (bytes && port.Open(address, options.port))
        return true;
    const std::string reason = bytes ? port.Error() : "not an IPv4 address";
    log.Write(JsonLine().Text("event", "error").Text("what", reason).Str());
    std::fprintf(stderr, "camtivo-camsim: cannot listen on %s:%u: %s\n", options.bind.c_str(), options.port,
                 reason.c_str());
    return false;
}

void Send(DatagramPort& port, const Outgoing& message, Log& log)
{
    uint32_t from = 0;
    std::memcpy(&from, message.from.data(), 4);
    const std::string error = port.Send(message.bytes, AddressOf(message.to), message.to.port, from);
    JsonLine line;
    line.Text("event", "sent")
        .Text("kind", message.kind)
        .Text("to", Ipv4Text(message.to.address) + ":" + std::to_string(message.to.port))
        .Number("size", static_cast<int64_t>(message.bytes.size()));
    if (!error.empty())
        line.Text("error", error);
    log.Write(line.Str());
}

void Receive(DatagramPort& port, const SimOptions& options, SimulatedCameras& cameras,
             std::vector<Scheduled>& queue, Log& log)
{
    std::optional<Datagram> datagram = port.Receive();
    if (!datagram)
        return;
    Peer peer;
    std::memcpy(peer.address.data(), &datagram->from, 4);
    peer.port = datagram->port;
    const std::vector<uint8_t>& buffer = datagram->bytes;
    // The destination of the datagram: a broadcast, or one of this host's addresses.
    Ipv4Address to{};
    std::memcpy(to.data(), &datagram->to, 4);
    log.Write(JsonLine()
                  .Text("event", "received")
                  .Text("from", Ipv4Text(peer.address) + ":" + std::to_string(peer.port))
                  .Text("to", Ipv4Text(to))
                  .Number("size", static_cast<int64_t>(buffer.size()))
                  .Hex("hex", buffer)
                  .Str());
    std::vector<std::string> lines;
    const auto due = Clock::now() + std::chrono::milliseconds(options.delayMs);
    for (Outgoing& message : cameras.Handle(buffer, peer, to, lines))
        queue.push_back({due, std::move(message)});
    for (const std::string& line : lines)
        log.Write(line);
}

std::chrono::milliseconds PollTimeout(const std::vector<Scheduled>& queue, Clock::time_point end,
                                      bool forever)
{
    auto next = forever ? Clock::now() + std::chrono::seconds(1) : end;
    for (const Scheduled& s : queue)
        next = std::min(next, s.due);
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
    return std::chrono::milliseconds(std::max<long long>(0, ms));
}
} // namespace

int RunUdpLoop(const SimOptions& options, SimulatedCameras& cameras, std::FILE* logFile)
{
    const auto start = Clock::now();
    Log log(logFile, start);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    DatagramPort port;
    if (!OpenPort(port, options, log))
        return 1;
    log.Write(JsonLine()
                  .Text("event", "started")
                  .Text("bind", options.bind)
                  .Number("port", options.port)
                  .Number("cameras", static_cast<int64_t>(cameras.Cameras().size()))
                  .Str());

    const bool forever = options.lifetimeSeconds == 0;
    const auto end = start + std::chrono::duration_cast<Clock::duration>(
                                 std::chrono::duration<double>(options.lifetimeSeconds));
    std::vector<Scheduled> queue;
    while (!g_stop && (forever || Clock::now() < end)) {
        if (port.WaitReadable(PollTimeout(queue, end, forever)))
            Receive(port, options, cameras, queue, log);
        const auto now = Clock::now();
        std::vector<Scheduled> later;
        for (Scheduled& s : queue) {
            if (s.due <= now)
                Send(port, s.message, log);
            else
                later.push_back(std::move(s));
        }
        queue = std::move(later);
    }
    log.Write(JsonLine().Text("event", "stopped").Str());
    return 0;
}
