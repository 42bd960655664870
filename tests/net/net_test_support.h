#pragma once
// Shared pieces of the network tests: a fixture that owns a PC/camera namespace pair, the
// camera simulator running in the camera namespace, and searches and saves run by the
// program's own action dialog from inside the PC namespace.
#include "device/action_runner.h"
#include "device/camera_actions.h"
#include "device/endpoint_table.h"
#include "netns_fixture.h"
#include "platform/message_box.h"

#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace nettest {

// camtivo-camsim in the camera namespace, logging JSON lines to a scratch file.
class Camsim
{
public:
    // Runs in the camera namespace, or in `ns` when one is named.
    Camsim(NetnsPair& pair, std::vector<std::string> args, const std::string& name = "camsim",
           const std::string& ns = {});
    ~Camsim();
    bool Ready() const { return ready_; }
    // Logged events of one kind ("received", "applied", "sent", ...), in order.
    std::vector<QJsonObject> Events(const QString& event) const;

private:
    NetnsPair& pair_;
    std::string log_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

// An endpoint table whose sends can be made to fail: `fault`, when set, is called before every
// send and returns a Windows Sockets code to fail that send with (nothing is sent), or 0.
class FaultyEndpointTable : public EndpointTable
{
public:
    std::function<int()> fault;

protected:
    int Transmit(UdpSocket& socket, std::span<const uint8_t> bytes, const Ipv4Address& target, uint16_t port,
                 uint32_t interfaceIndex, int& error) override;
};

// The action dialog with its own endpoint table and a runner standing in for the frame.
struct Engine
{
    Engine();
    FaultyEndpointTable table;
    CameraActions action;
    ActionRunner runner;
    std::vector<ActionEnd> ends; // every end the engine reported, in order
};

class NetTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator and waits until it listens.
    std::unique_ptr<Camsim> StartCamsim(std::vector<std::string> args, const std::string& name = "camsim",
                                        const std::string& ns = {});
    std::string CamsimPath() const;
    std::string CliPath() const;
    // Drops every answer to a plain set request on its way into the PC namespace (a netdev
    // rule on the PC's link); queries and their answers still pass.
    bool LoseSetAnswers() const;

    NetnsPair pair;
    // Every plain message box is answered at once (a real one would wait for a click forever);
    // tests that expect boxes install their own answer on top.
    std::unique_ptr<MessageBoxAnswer> boxes;
};

// A camera subnet behind a router: the camera namespace forwards between the PC's link and a
// new namespace on 10.88.0.0/24 (router 10.88.0.1, camera 10.88.0.2), which no broadcast of the
// PC reaches; the PC routes 10.88.0.0/24 through 10.77.0.2.
struct RouterLab
{
    std::string far;     // the camera subnet's namespace; "" when the lab could not be built
    std::string farLink; // its end of the link to the router

    // Puts more addresses (dotted, /24) on the camera subnet's link; true when all went on.
    bool AddAddresses(const std::vector<std::string>& addresses) const;
};
RouterLab BuildRouterLab(NetnsPair& pair);

// How many set requests a simulator received (a query has no body).
size_t SetRequestsReceived(const Camsim& camsim);

// Bound on any one wait in these tests (real time).
inline constexpr int64_t kWaitLimitMs = 20000;

} // namespace nettest
