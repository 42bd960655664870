// Start-up side by side: the wizard in test mode from process start to its main page painted
// and saved (--snapshot), against the bare Qt Widgets program that shows one window of the same
// size with a picture and two buttons and saves it the same way. Both save a BMP, which is a copy
// of the pixels, so that neither side's time goes to compressing its picture. Each runs as a
// process of its own; the counters are the median time from start to exit (the first paint
// saved), CPU time (user + system) and peak resident memory of each, and their ratios. A
// second benchmark gives the peak memory of a whole test-mode walk (the wizard walk test, in a
// process of its own). CAMTIVO_STARTUP_PROGRAM names another camtivo to measure instead of
// this build's (an older build, to compare).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct ChildUsage
{
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    double peakMb = 0;
};

double Ms(const timeval& t)
{
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
}

// Runs `argv` in `dir` on the offscreen platform and returns what it used.
ChildUsage RunChild(const std::vector<std::string>& argv, const std::filesystem::path& dir)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return {};
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, wall.count(),
            Ms(usage.ru_utime) + Ms(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

std::string WizardProgram()
{
    const char* other = std::getenv("CAMTIVO_STARTUP_PROGRAM");
    return other != nullptr && *other != '\0' ? other : CAMTIVO_PROGRAM;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// A scratch folder holding the demo camera file, removed afterwards.
class ScratchDir
{
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "camtivo-startup-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        path_ = pattern;
        std::filesystem::copy_file(CAMTIVO_SOURCE_DIR "/demo/Camtivo.tst", path_ / "Camtivo.tst");
    }
    ~ScratchDir()
    {
        if (!path_.empty())
            std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

void BM_StartupSideBySide(benchmark::State& state)
{
    ScratchDir dir;
    if (dir.Path().empty()) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string wizardShot = "--snapshot=" + (dir.Path() / "wizard.bmp").string();
    const std::string bareShot = "--snapshot=" + (dir.Path() / "bare.bmp").string();
    std::vector<double> wizardWall, bareWall, wizardCpu, bareCpu, wizardPeak, barePeak;
    for (auto _ : state) {
        const ChildUsage wizard = RunChild({WizardProgram(), "/testmode", wizardShot}, dir.Path());
        const ChildUsage bare = RunChild({CAMTIVO_BARE_PROGRAM, bareShot}, dir.Path());
        if (!wizard.ok || !bare.ok) {
            state.SkipWithError("a program failed");
            return;
        }
        wizardWall.push_back(wizard.wallMs);
        bareWall.push_back(bare.wallMs);
        wizardCpu.push_back(wizard.cpuMs);
        bareCpu.push_back(bare.cpuMs);
        wizardPeak.push_back(wizard.peakMb);
        barePeak.push_back(bare.peakMb);
    }
    state.counters["wizard_paint_ms"] = Median(wizardWall);
    state.counters["bare_paint_ms"] = Median(bareWall);
    state.counters["paint_ratio"] = Median(wizardWall) / Median(bareWall);
    state.counters["wizard_cpu_ms"] = Median(wizardCpu);
    state.counters["bare_cpu_ms"] = Median(bareCpu);
    state.counters["cpu_ratio"] = Median(wizardCpu) / Median(bareCpu);
    state.counters["wizard_peak_MB"] = Median(wizardPeak);
    state.counters["bare_peak_MB"] = Median(barePeak);
    state.counters["peak_ratio"] = Median(wizardPeak) / Median(barePeak);
}
BENCHMARK(BM_StartupSideBySide)->Unit(benchmark::kMillisecond)->Iterations(15);

void BM_TestModeWalkPeak(benchmark::State& state)
{
    ScratchDir dir;
    ChildUsage walk;
    for (auto _ : state)
        walk = RunChild({CAMTIVO_QT_TESTS, "--gtest_filter=WizardWalk.*"}, dir.Path());
    if (!walk.ok) {
        state.SkipWithError("the walk failed");
        return;
    }
    state.counters["walk_cpu_ms"] = walk.cpuMs;
    state.counters["walk_peak_MB"] = walk.peakMb;
}
BENCHMARK(BM_TestModeWalkPeak)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
