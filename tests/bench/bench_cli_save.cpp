// camtivo-cli save end to end at time scale 1 (--seconds 20): one camera, and a hundred from a
// batch file with and without the verifying search, each run inside a PC namespace of its own
// against camtivo-camsim in a camera namespace. Needs root (it creates the namespaces).
#include "../net/netns_fixture.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using nettest::NetnsPair;

const std::string kTools = CAMTIVO_BUILD_DIR "/tools/";

bool LogHas(const std::string& path, const std::string& text)
{
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str().find(text) != std::string::npos;
}

// Starts `count` simulated cameras and waits until they listen.
bool StartCameras(NetnsPair& pair, int count)
{
    const std::string log = pair.ScratchFile("camsim.jsonl");
    pair.StartInCamera(
        {kTools + "camtivo-camsim", "--count", std::to_string(count), "--lifetime", "600", "--log", log},
        "camsim");
    for (int i = 0; i < 500 && !LogHas(log, "\"started\""); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return LogHas(log, "\"started\"");
}

std::string WriteBatchFile(NetnsPair& pair, int count)
{
    const std::string path = pair.ScratchFile("cameras.csv");
    std::ofstream out(path);
    out << "mac,login,password,name,dhcp,ip,mask,gateway\n";
    for (int n = 1; n <= count; ++n) {
        char mac[18];
        std::snprintf(mac, sizeof mac, "02:ca:00:00:%02x:%02x", n >> 8, n & 0xFF);
        out << mac << ",admin,admin,Cam-" << n << ",off,10.77.0." << (100 + n)
            << ",255.255.255.0,10.77.0.1\n";
    }
    return path;
}

void RunCli(benchmark::State& state, NetnsPair& pair, std::vector<std::string> args)
{
    args.insert(args.begin(), kTools + "camtivo-cli");
    for (auto _ : state) {
        const nettest::RunResult run = pair.RunInPc(args, std::chrono::seconds(120));
        if (run.status != 0) {
            state.SkipWithError(("camtivo-cli failed: " + run.err).c_str());
            return;
        }
    }
}

void BM_SaveOneCamera(benchmark::State& state)
{
    NetnsPair pair;
    if (!pair.Ok() || !StartCameras(pair, 1)) {
        state.SkipWithError("no namespace or simulator");
        return;
    }
    RunCli(
        state, pair,
        {"save", "--mac", "02:ca:00:00:00:01", "--login", "admin", "--password", "admin", "--name", "Bench"});
}

// Argument: 1 with the verifying search.
void BM_SaveHundredFromFile(benchmark::State& state)
{
    NetnsPair pair;
    if (!pair.Ok() || !StartCameras(pair, 100)) {
        state.SkipWithError("no namespace or simulator");
        return;
    }
    std::vector<std::string> args{"save", "--batch", WriteBatchFile(pair, 100)};
    if (state.range(0) != 0)
        args.push_back("--verify");
    RunCli(state, pair, args);
}

} // namespace

BENCHMARK(BM_SaveOneCamera)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SaveHundredFromFile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
