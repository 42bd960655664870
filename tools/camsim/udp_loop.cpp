#include "udp_loop.h"

#include "json_line.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>
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

sockaddr_in ToSockaddr(const Peer& peer)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(peer.port);
    std::memcpy(&addr.sin_addr.s_addr, peer.address.data(), 4);
    return addr;
}

Peer FromSockaddr(const sockaddr_in& addr)
{
    Peer peer;
    std::memcpy(peer.address.data(), &addr.sin_addr.s_addr, 4);
    peer.port = ntohs(addr.sin_port);
    return peer;
}

int OpenSocket(const SimOptions& options, Log& log)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(options.port);
    const bool ok = fd >= 0 && setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 &&
                    setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0 &&
                    inet_pton(AF_INET, options.bind.c_str(), &addr.sin_addr) == 1 &&
                    bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    if (ok)
        return fd;
    const int error = errno;
    log.Write(JsonLine().Text("event", "error").Text("what", std::strerror(error)).Str());
    std::fprintf(stderr, "camtivo-camsim: cannot listen on %s:%u: %s\n", options.bind.c_str(), options.port,
                 std::strerror(error));
    if (fd >= 0)
        close(fd);
    return -1;
}

// Sends from the message's source address when it names one.
ssize_t SendFrom(int fd, const Outgoing& message)
{
    sockaddr_in to = ToSockaddr(message.to);
    iovec part{const_cast<uint8_t*>(message.bytes.data()), message.bytes.size()};
    msghdr header{};
    header.msg_name = &to;
    header.msg_namelen = sizeof to;
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    if (message.from != Ipv4Address{}) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* item = CMSG_FIRSTHDR(&header);
        item->cmsg_level = IPPROTO_IP;
        item->cmsg_type = IP_PKTINFO;
        item->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        std::memcpy(&info.ipi_spec_dst.s_addr, message.from.data(), 4);
        std::memcpy(CMSG_DATA(item), &info, sizeof info);
    }
    return sendmsg(fd, &header, 0);
}

void Send(int fd, const Outgoing& message, Log& log)
{
    const ssize_t sent = SendFrom(fd, message);
    JsonLine line;
    line.Text("event", "sent")
        .Text("kind", message.kind)
        .Text("to", Ipv4Text(message.to.address) + ":" + std::to_string(message.to.port))
        .Number("size", static_cast<int64_t>(message.bytes.size()));
    if (sent < 0)
        line.Text("error", std::strerror(errno));
    log.Write(line.Str());
}

void Receive(int fd, const SimOptions& options, SimulatedCameras& cameras, std::vector<Scheduled>& queue,
             Log& log)
{
    std::vector<uint8_t> buffer(65536);
    sockaddr_in from{};
    iovec part{buffer.data(), buffer.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr header{};
    header.msg_name = &from;
    header.msg_namelen = sizeof from;
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    header.msg_control = control;
    header.msg_controllen = sizeof control;
    const ssize_t n = recvmsg(fd, &header, 0);
    if (n < 0)
        return;
    buffer.resize(static_cast<size_t>(n));
    const Peer peer = FromSockaddr(from);
    // The destination of the datagram: a broadcast, or one of this host's addresses.
    Ipv4Address to{255, 255, 255, 255};
    for (cmsghdr* item = CMSG_FIRSTHDR(&header); item != nullptr; item = CMSG_NXTHDR(&header, item)) {
        if (item->cmsg_level == IPPROTO_IP && item->cmsg_type == IP_PKTINFO) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(item), sizeof info);
            std::memcpy(to.data(), &info.ipi_addr.s_addr, 4);
        }
    }
    log.Write(JsonLine()
                  .Text("event", "received")
                  .Text("from", Ipv4Text(peer.address) + ":" + std::to_string(peer.port))
                  .Text("to", Ipv4Text(to))
                  .Number("size", n)
                  .Hex("hex", buffer)
                  .Str());
    std::vector<std::string> lines;
    const auto due = Clock::now() + std::chrono::milliseconds(options.delayMs);
    for (Outgoing& message : cameras.Handle(buffer, peer, to, lines))
        queue.push_back({due, std::move(message)});
    for (const std::string& line : lines)
        log.Write(line);
}

int PollTimeout(const std::vector<Scheduled>& queue, Clock::time_point end, bool forever)
{
    auto next = forever ? Clock::now() + std::chrono::seconds(1) : end;
    for (const Scheduled& s : queue)
        next = std::min(next, s.due);
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, ms));
}
} // namespace

int RunUdpLoop(const SimOptions& options, SimulatedCameras& cameras, std::FILE* logFile)
{
    const auto start = Clock::now();
    Log log(logFile, start);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const int fd = OpenSocket(options, log);
    if (fd < 0)
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
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, PollTimeout(queue, end, forever)) > 0 && (pfd.revents & POLLIN))
            Receive(fd, options, cameras, queue, log);
        const auto now = Clock::now();
        std::vector<Scheduled> later;
        for (Scheduled& s : queue) {
            if (s.due <= now)
                Send(fd, s.message, log);
            else
                later.push_back(std::move(s));
        }
        queue = std::move(later);
    }
    close(fd);
    log.Write(JsonLine().Text("event", "stopped").Str());
    return 0;
}
