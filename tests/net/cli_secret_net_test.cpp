// The ways a password or passphrase reaches camtivo-cli without being on its command line, and
// that none is ever shown. The login password is checked against the camera's record, so
// "saved" against "wrong login" proves it arrived; a passphrase is proved by what the simulator
// applied.
#include "net_test_support.h"

#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <sys/wait.h>

using namespace nettest;
using namespace std::chrono_literals;

namespace {

constexpr char kWarning[] = "other users of this computer can read";
constexpr char kMac[] = "02:ca:00:00:00:01";

class CliSecrets : public NetTest
{
protected:
    // camtivo-cli save in the PC namespace; `options` may begin with NAME=value variables.
    std::vector<std::string> Save(std::vector<std::string> args,
                                  const std::vector<std::string>& options) const
    {
        const auto flags = std::find_if(options.begin(), options.end(), [](auto& o) { return o[0] == '-'; });
        args.insert(args.end(), options.begin(), flags);
        args.insert(args.end(), {CliPath(), "save", "--seconds", "1", "--mac", kMac, "--login", "admin"});
        args.insert(args.end(), flags, options.end());
        return args;
    }

    // Runs on a new pseudo-terminal, `input` typed once a prompt has appeared; `out` is
    // everything the terminal showed.
    RunResult OnTerminal(const std::vector<std::string>& options, const std::string& input)
    {
        std::vector<std::string> args = Save({"ip", "netns", "exec", pair.Pc(), "env"}, options);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int terminal = -1;
        const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        RunResult result;
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        pollfd ready{terminal, POLLIN, 0};
        char bytes[256];
        for (ssize_t n = 0; pid > 0 && n >= 0 && std::chrono::steady_clock::now() < deadline;) {
            n = ::poll(&ready, 1, 100) > 0 ? ::read(terminal, bytes, sizeof bytes) : 0; // -1: closed
            result.out.append(bytes, static_cast<size_t>(std::max<ssize_t>(n, 0)));
            if (n > 0 && result.out.ends_with(": ") && ::write(terminal, input.data(), input.size()) < 0)
                break;
        }
        ::kill(pid, SIGKILL); // when it hangs; an ended program keeps its exit status
        int status = -1;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        ::close(terminal);
        return result;
    }
};

} // namespace

TEST_F(CliSecrets, EveryWayInReachesTheCameraAndNoneIsShown)
{
    const std::string pw = "Tr0ub4dr";
    const std::string file = pair.ScratchFile("pw");
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF" + pw + "\r\nnext\n";
    std::filesystem::permissions(file, std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    const std::string variable = "CAMTIVO_PASSWORD=" + pw;
    const std::string tooLong = "--wpa-passphrase=" + pw + std::string(60, 'x');
    struct Case
    {
        std::vector<std::string> options;
        std::string input; // piped, or typed at the prompt on a terminal
        bool terminal;
        int status;
        std::string shown;
        const char* field = ""; // a passphrase the camera applied, and its value
        std::string value = {};
    };
    const Case cases[] = {
        {{"--password", pw + "x", "--json"}, "", false, 2, "wrong login name or password"},
        {{"--password", "-"}, pw + "\r\n", false, 0, "saved"},
        {{"--password-file", file}, "", false, 0, kWarning},
        {{variable}, "", false, 0, "saved"},
        {{}, pw + "\n", true, 0, "Password for 02:ca:00:00:00:01: "},
        {{"--password", "-"}, pw + "\n", true, 0, "Password for"},
        {{variable, "--security=wpa", "--wpa-passphrase=-"}, pw, false, 0, "saved", "WpaPassphrase", pw},
        {{variable, "--security=wep64"}, "secret\n", true, 0, "WEP passphrase", "WepPassphrase", "secret"},
        {{"--password", "-", "--wep-passphrase=-"}, "a\nb\n", false, 2, "--wep-passphrase - both read"},
        {{"--password=x", "--security=wpa", tooLong}, "", false, 2, "--wpa-passphrase: a WPA"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        auto camsim = StartCamsim({"--password", pw}, "camsim" + std::to_string(n++));
        const std::vector<std::string> piped{
            "env", "INPUT=" + c.input, "sh", "-c", "printf %s \"$INPUT\" | exec \"$@\"", "sh", "env"};
        const RunResult run =
            c.terminal ? OnTerminal(c.options, c.input) : pair.RunInPc(Save(piped, c.options), 20s);
        const std::string shown = run.out + run.err;
        EXPECT_EQ(run.status, c.status) << shown;
        EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
        EXPECT_EQ(shown.find(kWarning) != std::string::npos, c.shown == kWarning) << shown;
        EXPECT_EQ(shown.find(pw), std::string::npos) << shown;
        const auto applied = camsim->Events("applied");
        ASSERT_EQ(applied.size(), c.status == 0 ? 1u : 0u);
        if (*c.field) {
            EXPECT_EQ(applied[0].value("settings").toObject().value(c.field).toString().toStdString(),
                      c.value);
        }
    }
}
