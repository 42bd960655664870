// camtivo-camsim: simulated cameras answering the discovery and save protocol on UDP.
#include "camtivo_version.h"
#include "platform/net/program_arguments.h"
#include "platform/net/utf8_file.h"
#include "sim_cameras.h"
#include "sim_options.h"
#include "udp_loop.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const SimOptionsResult parsed = ParseSimOptions(ProgramArguments(argc, argv));
    if (parsed.status == SimOptionsResult::Status::Help) {
        std::fputs(SimHelpText(), stdout);
        return 0;
    }
    if (parsed.status == SimOptionsResult::Status::Version) {
        std::printf("camtivo-camsim %s\n", kCamtivoVersion);
        return 0;
    }
    if (parsed.status == SimOptionsResult::Status::Error) {
        std::fprintf(stderr, "camtivo-camsim: %s (see --help)\n", parsed.error.c_str());
        return 2;
    }
    const SimOptions& options = parsed.options;
    std::FILE* log = nullptr;
    if (!options.logPath.empty()) {
        log = OpenForWriting(options.logPath);
        if (!log) {
            std::fprintf(stderr, "camtivo-camsim: cannot write %s\n", options.logPath.c_str());
            return 2;
        }
    }
    SimulatedCameras cameras(options);
    const int code = RunUdpLoop(options, cameras, log);
    if (log)
        std::fclose(log);
    return code;
}
