// camtivo-cli search of a routed block at the default rate, in namespaces of its own (see
// BuildBlockLab): a /22 with twenty cameras and a /16 with a thousand scattered through it.
// Counts the cameras found and the command's peak memory. Needs root.
#include "../net/netns_fixture.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <thread>

namespace {

using nettest::NetnsPair;

const std::string kTools = CAMTIVO_BUILD_DIR "/tools/";

nettest::RunResult Cli(NetnsPair& pair, std::vector<std::string> args)
{
    args.insert(args.begin(), kTools + "camtivo-cli");
    return pair.RunInPc(args, std::chrono::seconds(180));
}

// Arguments: the block's prefix length, the cameras in it, the address step between them.
void BM_SweepBlock(benchmark::State& state)
{
    NetnsPair pair;
    const std::string block = pair.Ok() ? nettest::BuildBlockLab(pair, false) : std::string();
    if (!block.empty())
        pair.StartIn(block,
                     {kTools + "camtivo-camsim", "--own-address", "--ip", "10.20.0.1", "--count",
                      std::to_string(state.range(1)), "--ip-step", std::to_string(state.range(2)),
                      "--lifetime", "900"},
                     "camsim");
    bool ready = false;
    for (int i = 0; i < 50 && !block.empty() && !ready; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ready = Cli(pair, {"search", "--seconds", "1", "--to", "10.20.0.1"}).out.find("02:ca") !=
                std::string::npos;
    }
    if (!ready) {
        state.SkipWithError("no namespace or simulator");
        return;
    }
    nettest::RunResult run;
    for (auto _ : state)
        run = Cli(pair, {"search", "--csv", "--to", "10.20.0.0/" + std::to_string(state.range(0))});
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage); // the largest child: the command
    state.counters["cameras"] = static_cast<double>(std::count(run.out.begin(), run.out.end(), '\n') - 1);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["status"] = run.status;
}

} // namespace

BENCHMARK(BM_SweepBlock)
    ->Args({22, 20, 51})
    ->Args({16, 1000, 65})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
