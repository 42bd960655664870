// The camera simulator on 127.0.0.1: queries and set requests built by the program's own
// framing go in, replies come back through the receive path, and the JSON log says what
// the cameras did. Loopback only, so no namespace is needed.
#include "device/core/found_camera_list.h"
#include "device/core/message_framing.h"
#include "device/core/receive_path.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Datagram = std::vector<uint8_t>;

// A UDP socket on 127.0.0.1 standing in for the PC.
class LoopbackSocket
{
public:
    LoopbackSocket()
    {
        fd_ = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in addr = Address(0);
        bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    ~LoopbackSocket() { close(fd_); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    // A port nobody listens on right now, for the simulator to take.
    static uint16_t FreePort()
    {
        LoopbackSocket probe;
        sockaddr_in addr{};
        socklen_t size = sizeof addr;
        getsockname(probe.fd_, reinterpret_cast<sockaddr*>(&addr), &size);
        return ntohs(addr.sin_port);
    }

    void Send(std::span<const uint8_t> bytes, uint16_t port)
    {
        const sockaddr_in to = Address(port);
        sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    // Everything that arrives until `quiet` passes without a datagram.
    std::vector<Datagram> Collect(std::chrono::milliseconds quiet = std::chrono::milliseconds(300))
    {
        std::vector<Datagram> got;
        pollfd pfd{fd_, POLLIN, 0};
        while (poll(&pfd, 1, static_cast<int>(quiet.count())) > 0) {
            Datagram d(2048);
            const ssize_t n = recv(fd_, d.data(), d.size(), 0);
            if (n < 0)
                break;
            d.resize(static_cast<size_t>(n));
            got.push_back(std::move(d));
        }
        return got;
    }

private:
    static sockaddr_in Address(uint16_t port)
    {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return addr;
    }
    int fd_ = -1;
};

// camtivo-camsim bound to 127.0.0.1 on a free port; stopped (by its own pid) on destruction.
class LoopbackCamsim
{
public:
    explicit LoopbackCamsim(std::vector<std::string> args) : port_(LoopbackSocket::FreePort())
    {
        log_ = testing::TempDir() + "camsim_loopback_" + std::to_string(getpid()) + "_" +
               std::to_string(port_) + ".jsonl";
        args.insert(args.begin(), std::string(CAMTIVO_TOOLS_DIR) + "/camtivo-camsim");
        for (const char* extra : {"--bind", "127.0.0.1", "--lifetime", "30"})
            args.emplace_back(extra);
        args.insert(args.end(), {"--port", std::to_string(port_), "--log", log_});
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Events("started").empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~LoopbackCamsim()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        std::remove(log_.c_str());
    }

    bool Ready() const { return !Events("started").empty(); }
    uint16_t Port() const { return port_; }
    std::vector<QJsonObject> Events(const QString& name) const
    {
        std::vector<QJsonObject> events;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
            if (object.value("event").toString() == name)
                events.push_back(object);
        }
        return events;
    }

private:
    uint16_t port_;
    std::string log_;
    pid_t pid_ = -1;
};

constexpr uint16_t kSequence = 4000;
const Ipv4Address kLoopback{127, 0, 0, 1};

Datagram Query(uint16_t command)
{
    MessageBuffer buffer{};
    const FrameResult framed = FrameRequest(buffer, command, 0, kSequence);
    return Datagram(buffer.begin(), buffer.begin() + framed.datagramSize);
}

Datagram SetRequestFor(const CameraRecord& camera, uint16_t command, const std::string& newName)
{
    DeviceInfo info = camera.info;
    info.Set(DeviceInfo::cameraName, newName);
    MessageBuffer buffer{};
    WriteSetBody(buffer, info, camera.identity.Get(CameraIdentity::macAddress));
    const FrameResult framed = FrameRequest(buffer, command, info.Get(DeviceInfo::deviceType), kSequence + 1);
    return Datagram(buffer.begin(), buffer.begin() + framed.datagramSize);
}

// Runs a search of all three queries against the simulator and stores what is accepted.
void Search(LoopbackSocket& pc, const LoopbackCamsim& sim, FoundCameraList& found)
{
    for (uint16_t command : {CMD_QUERY, CMD_QUERY_ENC, CMD_QUERY_FULL})
        pc.Send(Query(command), sim.Port());
    for (const Datagram& d : pc.Collect()) {
        const SearchReply reply = DecodeSearchReply(d, kSequence, kLoopback);
        if (reply.status == ReplyStatus::Accepted)
            found.StoreReply(reply.header, reply.info);
    }
}
} // namespace

TEST(CamsimLoopback, CamerasAreFoundInTheVariantsTheyAnswer)
{
    struct Case
    {
        const char* variants;
        uint16_t lastAnswered;
    };
    for (const Case c :
         {Case{"plain", CMD_QUERY}, Case{"enc", CMD_QUERY_ENC}, Case{"plain,enc,full", CMD_QUERY_FULL}}) {
        SCOPED_TRACE(c.variants);
        LoopbackCamsim sim({"--count", "3", "--type", "18", "--variants", c.variants, "--name", "Yard",
                            "--login", "op", "--password", "pw", "--firmware", "0x0305"});
        ASSERT_TRUE(sim.Ready());
        LoopbackSocket pc;
        FoundCameraList found;
        Search(pc, sim, found);
        ASSERT_EQ(found.GetCount(), 3u);
        const CameraRecord* second = found.Records().GetAt(1);
        EXPECT_EQ(second->identity.Get(CameraIdentity::macAddress), (MacAddress{0x02, 0xCA, 0, 0, 0, 2}));
        EXPECT_EQ(second->info.Get(DeviceInfo::cameraName), "Yard 2");
        EXPECT_EQ(second->info.Get(DeviceInfo::firmwareVersion), 0x0305);
        EXPECT_EQ(second->identity.Get(CameraIdentity::loginName), "op");
        EXPECT_EQ(second->identity.Get(CameraIdentity::loginPassword), "pw");
        EXPECT_EQ(second->AnsweredCommand(), c.lastAnswered);
        EXPECT_EQ(sim.Events("received").size(), 3u);
    }
}

TEST(CamsimLoopback, SetRequestsAreAppliedRefusedOrIgnoredAsConfigured)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> args;
        uint16_t command;
        bool otherMac;
        std::vector<SaveReplyStatus> perAttempt; // replies to two attempts in a row
        size_t applied;
    };
    using S = SaveReplyStatus;
    const Case cases[] = {
        {"full", {}, CMD_SET_FULL, false, {S::Saved, S::Saved}, 2},
        {"enciphered compact", {"--variants", "enc"}, CMD_SET_ENC, false, {S::Saved, S::Saved}, 2},
        {"plain compact", {"--variants", "plain"}, CMD_SET, false, {S::Saved, S::Saved}, 2},
        {"refusing", {"--status", "5"}, CMD_SET_FULL, false, {S::Rejected, S::Rejected}, 0},
        {"drops the first", {"--drop-first", "1"}, CMD_SET_FULL, false, {S::NothingReceived, S::Saved}, 1},
        {"silent", {"--silent"}, CMD_SET_FULL, false, {S::NothingReceived, S::NothingReceived}, 0},
        {"another camera's MAC", {}, CMD_SET_FULL, true, {S::NothingReceived, S::NothingReceived}, 0},
        {"late", {"--delay-ms", "100"}, CMD_SET_FULL, false, {S::Saved, S::Saved}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackCamsim sim(c.args);
        ASSERT_TRUE(sim.Ready());
        LoopbackSocket pc;
        // The simulator's first camera as a search would have recorded it.
        DeviceInfo info;
        info.Set(DeviceInfo::deviceType, 17);
        info.Set(DeviceInfo::macAddress,
                 MacAddress{0x02, 0xCA, 0, 0, 0, c.otherMac ? uint8_t{9} : uint8_t{1}});
        CameraRecord camera;
        camera.FillFromReply(MessageHeader{CMD_QUERY_FULL, 0, kSequence, 0}, info);

        const Datagram request = SetRequestFor(camera, c.command, "Renamed");
        for (const S expected : c.perAttempt) {
            pc.Send(request, sim.Port());
            const auto replies = pc.Collect();
            const S got = replies.empty() ? S::NothingReceived
                                          : CheckSaveReply(replies.front(), c.command, kSequence + 1);
            EXPECT_EQ(got, expected);
        }
        const auto applied = sim.Events("applied");
        ASSERT_EQ(applied.size(), c.applied);
        if (!applied.empty()) {
            EXPECT_EQ(applied.front().value("settings").toObject().value("cameraName").toString(), "Renamed");
        }
        // The log carries each datagram as it arrived.
        const auto received = sim.Events("received");
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(QByteArray::fromHex(received.back().value("hex").toString().toLatin1()),
                  QByteArray(reinterpret_cast<const char*>(request.data()),
                             static_cast<qsizetype>(request.size())));
    }
}

TEST(CamsimLoopback, AppliedSettingsShowInLaterRepliesAndDuplicatesComeTwice)
{
    LoopbackCamsim sim({"--duplicate", "--name", "Caf\xC3\xA9"});
    ASSERT_TRUE(sim.Ready());
    LoopbackSocket pc;
    FoundCameraList found;
    Search(pc, sim, found);
    ASSERT_EQ(found.GetCount(), 1u);
    EXPECT_EQ(found.Records().GetHead()->info.Get(DeviceInfo::cameraName),
              "Caf\xE9"); // Windows-1252 on the wire
    pc.Send(SetRequestFor(*found.Records().GetHead(), CMD_SET_FULL, "Gate"), sim.Port());
    EXPECT_EQ(pc.Collect().size(), 2u);

    found.RemoveAll();
    Search(pc, sim, found);
    ASSERT_EQ(found.GetCount(), 1u);
    EXPECT_EQ(found.Records().GetHead()->info.Get(DeviceInfo::cameraName), "Gate");
}
