// A routed site swept by address ranges: a block of addresses behind a router where simulated
// cameras sit scattered, and a half of it where nothing listens and ICMP errors come back.
#include "net_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cstdio>

using namespace nettest;

namespace {

constexpr auto kCliLimit = std::chrono::seconds(60);

class RoutedBlock : public NetTest
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        block = BuildBlockLab(pair, true);
        ASSERT_FALSE(block.empty());
    }

    RunResult Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), CliPath());
        return pair.RunInPc(args, kCliLimit);
    }

    // Queries that arrived at any address but the given ones.
    static size_t QueriesElsewhere(const Camsim& camsim, const std::vector<QString>& except)
    {
        size_t queries = 0;
        for (const QJsonObject& event : camsim.Events("received"))
            queries += std::count(except.begin(), except.end(), event.value("to").toString()) == 0 ? 1 : 0;
        return queries;
    }

    std::string block;
};

} // namespace

// Cameras at both edges of a /22 are found (the third lies past it), one is saved to a new
// fixed address and found there; the range is swept once, by the first search only.
TEST_F(RoutedBlock, BlockEdgesFoundAndOneSavedAndVerifiedAtItsNewAddress)
{
    auto camsim = StartCamsim({"--own-address", "--ip", "10.20.0.1", "--count", "3", "--ip-step", "1021",
                               "--mask", "255.255.252.0", "--gateway", "10.20.0.1", "--lifetime", "60"},
                              "block", block);
    const RunResult search = Cli({"search", "--json", "--to", "10.20.0.0/22"});
    ASSERT_EQ(search.status, 0) << search.err;
    const QJsonArray cameras = QJsonDocument::fromJson(QByteArray::fromStdString(search.out)).array();
    ASSERT_EQ(cameras.size(), 2) << search.out;
    const size_t sweptOnce = QueriesElsewhere(*camsim, {"10.20.0.1", "10.20.3.254"});
    EXPECT_EQ(sweptOnce, 1020u * 3);

    const RunResult save = Cli({"save", "--mac", "02:ca:00:00:00:02", "--login", "admin", "--password",
                                "admin", "--ip", "10.20.2.77", "--to", "10.20.0.0/22", "--verify", "--json"});
    ASSERT_EQ(save.status, 0) << save.err << save.out;
    const QJsonObject result = QJsonDocument::fromJson(QByteArray::fromStdString(save.out)).object();
    EXPECT_EQ(result.value("result").toString(), "saved");
    EXPECT_EQ(result.value("verify").toString(), "answered");
    EXPECT_EQ(result.value("address").toString(), "10.20.2.77");
    // The save's search swept the block once more; its verification asked only the camera's
    // old and new addresses.
    const size_t afterSave = QueriesElsewhere(*camsim, {"10.20.0.1", "10.20.3.254", "10.20.2.77"});
    EXPECT_EQ(afterSave, 2 * (sweptOnce - 3));
}

// A dash range running into the silent half meets ICMP errors there and goes on; its row of
// --diagnose counts every query, and the addresses the errors were about.
TEST_F(RoutedBlock, DashRangeSweptThroughIcmpErrors)
{
    auto camsim = StartCamsim({"--own-address", "--ip", "10.20.127.250"}, "block", block);
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = Cli({"search", "--diagnose", "--json", "--to", "10.20.127.240-10.20.128.15"});
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(all.value("cameras").toArray().size(), 1) << run.out;
    const QJsonArray ranges = all.value("ranges").toArray();
    ASSERT_EQ(ranges.size(), 1) << run.out;
    const QJsonObject row = ranges[0].toObject();
    EXPECT_EQ(row.value("queriesSent").toInt() + row.value("sendErrors").toInt(), 32 * 3);
    EXPECT_EQ(row.value("answers").toInt(), 3);
    EXPECT_EQ(row.value("camerasFound").toInt(), 1);
    // The silent half's hosts said they run no camera, as often as their rate limit let them.
    EXPECT_GT(row.value("hostNoCamera").toInt(), 0) << run.out;
    EXPECT_LE(row.value("hostNoCamera").toInt(), 16);
    EXPECT_EQ(row.value("noSuchHost").toInt(), 0);
    // The sweep plus the quiet spell, not the 20-second search.
    EXPECT_LT(seconds, 10.0);
}

// The camera side never sees more than --rate queries in any one second, and the sweep keeps
// close to that pace.
TEST_F(RoutedBlock, SweepKeepsToItsRate)
{
    auto camsim = StartCamsim({"--own-address", "--ip", "10.20.0.1"}, "block", block);
    constexpr int kRate = 600;
    const RunResult run = Cli({"search", "--to", "10.20.0.0/23", "--rate", std::to_string(kRate)});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<int64_t> ms;
    for (const QJsonObject& event : camsim->Events("received"))
        ms.push_back(event.value("ms").toInteger());
    ASSERT_EQ(ms.size(), 510u * 3);
    size_t busiest = 0;
    for (size_t i = 0; i < ms.size(); ++i) {
        const auto end = std::lower_bound(ms.begin() + static_cast<ptrdiff_t>(i), ms.end(), ms[i] + 1000);
        busiest = std::max(busiest, static_cast<size_t>(end - ms.begin()) - i);
    }
    // The simulator stamps a datagram when it reads it, and on a loaded machine it may wake tens
    // of milliseconds late and stamp a bunch together: 10% for that (the pacer's own limit is
    // checked exactly by its unit test; an unpaced sweep would send the block in a blink).
    EXPECT_LE(busiest, static_cast<size_t>(kRate + kRate / 10));
    const double achieved =
        static_cast<double>(ms.size()) * 1000.0 / static_cast<double>(ms.back() - ms.front());
    EXPECT_GT(achieved, kRate * 0.9);
    std::printf("sweep at --rate %d: %.0f datagrams a second achieved, at most %zu in one second\n", kRate,
                achieved, busiest);
}
