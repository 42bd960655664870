#include "net_test_support.h"

#include "device/core/message_framing.h"
#include "platform/core/time_scale.h"

#include <QJsonDocument>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace nettest {

namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

Camsim::Camsim(NetnsPair& pair, std::vector<std::string> args, const std::string& name, const std::string& ns)
    : pair_(pair), log_(pair.ScratchFile(name + ".jsonl"))
{
    args.insert(args.end(), {"--log", log_, "--lifetime", "120"});
    pid_ = pair_.StartIn(ns.empty() ? pair_.Camera() : ns, args, name);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!ready_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ready_ = !Events("started").empty();
    }
}

Camsim::~Camsim()
{
    if (pid_ > 0) {
        ::kill(-pid_, SIGTERM);
        pair_.WaitFor(pid_, std::chrono::seconds(2));
    }
}

std::vector<QJsonObject> Camsim::Events(const QString& event) const
{
    std::vector<QJsonObject> events;
    for (const std::string& line : ReadLines(log_)) {
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        if (object.value("event").toString() == event)
            events.push_back(object);
    }
    return events;
}

int FaultyEndpointTable::Transmit(UdpSocket& socket, std::span<const uint8_t> bytes,
                                  const Ipv4Address& target, uint16_t port, uint32_t interfaceIndex,
                                  int& error)
{
    if (const int code = fault ? fault() : 0; code != 0) {
        error = code;
        return -1;
    }
    return EndpointTable::Transmit(socket, bytes, target, port, interfaceIndex, error);
}

Engine::Engine() : action(table), runner(action)
{
    runner.onEnd = [this](const ActionOutcome& outcome) { ends.push_back(outcome.end); };
}

void NetTest::SetUp()
{
    boxes = std::make_unique<MessageBoxAnswer>();
    if (::geteuid() != 0)
        GTEST_SKIP() << "network tests need root to create namespaces";
    ASSERT_TRUE(pair.Ok()) << pair.Error();
}

void NetTest::TearDown()
{
    for (const auto& box : boxes->shown)
        ADD_FAILURE() << "unexpected message box: " << box.text.toStdString();
    boxes.reset();
    TimeScale::SetFactor(1.0);
}

std::string NetTest::CamsimPath() const
{
    return std::string(CAMTIVO_TOOLS_DIR) + "/camtivo-camsim";
}

std::string NetTest::CliPath() const
{
    return std::string(CAMTIVO_TOOLS_DIR) + "/camtivo-cli";
}

bool NetTest::LoseSetAnswers() const
{
    // The command word leads the datagram, little-endian: CMD_SET reads 0x0100 at its start.
    return NetnsPair::Shell(
        "ip netns exec " + pair.Pc() +
        " nft 'add table netdev lossy; add chain netdev lossy in { type filter hook ingress"
        " device \"" +
        pair.PcLink() + "\" priority 0; }; add rule netdev lossy in udp sport 916 @th,64,16 0x0100 drop'");
}

std::unique_ptr<Camsim> NetTest::StartCamsim(std::vector<std::string> args, const std::string& name,
                                             const std::string& ns)
{
    args.insert(args.begin(), CamsimPath());
    auto camsim = std::make_unique<Camsim>(pair, std::move(args), name, ns);
    EXPECT_TRUE(camsim->Ready()) << "the simulator did not start";
    return camsim;
}

RouterLab BuildRouterLab(NetnsPair& pair)
{
    const std::string router = pair.Camera();
    const LinkedNamespace far = pair.AddLinkedNamespace("far", router, "10.88.0.1/24", "10.88.0.2/24");
    if (far.ns.empty() ||
        !NetnsPair::Shell("ip netns exec " + router + " sysctl -qw net.ipv4.ip_forward=1") ||
        !NetnsPair::Shell("ip -n " + pair.Pc() + " route add 10.88.0.0/24 via " + kCameraAddress) ||
        !NetnsPair::Shell("ip -n " + far.ns + " route add default via 10.88.0.1"))
        return {};
    return {far.ns, far.farEnd};
}

bool RouterLab::AddAddresses(const std::vector<std::string>& addresses) const
{
    std::vector<std::string> cidrs;
    for (const std::string& address : addresses)
        cidrs.push_back(address + "/24");
    return NetnsPair::AddAddresses(far, farLink, cidrs);
}

size_t SetRequestsReceived(const Camsim& camsim)
{
    size_t requests = 0;
    for (const QJsonObject& event : camsim.Events("received"))
        requests += event.value("size").toInt() > static_cast<int>(kRequestOverhead) ? 1 : 0;
    return requests;
}

} // namespace nettest
