// The ways a password or passphrase reaches camtivo-cli without being on its command line. The
// login password is checked against the camera's record, so "saved" against "wrong login"
// proves it arrived; a passphrase is proved by what the simulator applied.
#include "net_test_support.h"

#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace nettest;

namespace {

constexpr char kPassword[] = "Tr0ub4dr";
constexpr char kMac[] = "02:ca:00:00:00:01";

class CliSecrets : public NetTest
{
protected:
    std::vector<std::string> Save(const std::vector<std::string>& options) const
    {
        std::vector<std::string> args{CliPath(), "save", "--seconds", "1", "--mac", kMac, "--login", "admin"};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }

    // Runs with `input` on standard input through a pipe and `variables` (NAME=value) set.
    RunResult Piped(const std::vector<std::string>& args, const std::string& input,
                    const std::vector<std::string>& variables)
    {
        std::vector<std::string> argv{"env", "SECRET_INPUT=" + input};
        argv.insert(argv.end(), variables.begin(), variables.end());
        argv.insert(argv.end(), {"sh", "-c", "printf %s \"$SECRET_INPUT\" | exec \"$@\"", "sh"});
        argv.insert(argv.end(), args.begin(), args.end());
        return pair.RunInPc(argv, std::chrono::seconds(20));
    }

    // Runs on a new pseudo-terminal and types `input` once a prompt ending in ": " appeared;
    // `out` is everything the terminal showed.
    RunResult OnTerminal(std::vector<std::string> args, const std::string& input,
                         const std::vector<std::string>& variables)
    {
        args.insert(args.begin(), {"ip", "netns", "exec", pair.Pc(), "env"});
        args.insert(args.begin() + 5, variables.begin(), variables.end());
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
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        bool typed = false;
        while (pid > 0 && std::chrono::steady_clock::now() < deadline) {
            pollfd ready{terminal, POLLIN, 0};
            char bytes[256];
            if (::poll(&ready, 1, 100) <= 0)
                continue;
            const ssize_t n = ::read(terminal, bytes, sizeof bytes);
            if (n <= 0)
                break; // the program has closed the terminal
            result.out.append(bytes, static_cast<size_t>(n));
            if (!typed && result.out.ends_with(": "))
                typed = ::write(terminal, input.data(), input.size()) > 0;
        }
        int status = -1;
        while (pid > 0 && ::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline)
                ::kill(pid, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        result.status = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ::close(terminal);
        return result;
    }

    std::string SecretFile(const std::string& name, const std::string& text, mode_t mode)
    {
        const std::string path = pair.ScratchFile(name);
        std::ofstream(path, std::ios::binary) << text;
        ::chmod(path.c_str(), mode);
        return path;
    }
};

} // namespace

TEST_F(CliSecrets, EveryWayInReachesTheCamera)
{
    const std::string shared =
        SecretFile("shared", "\xEF\xBB\xBF" + std::string(kPassword) + "\r\nnext\n", 0644);
    const std::string own = SecretFile("own", std::string(kPassword) + "\n", 0600);
    const std::string variable = "CAMTIVO_PASSWORD=" + std::string(kPassword);
    struct Case
    {
        const char* what;
        std::vector<std::string> options;
        std::string input; // piped, or typed at the prompt on a terminal
        std::vector<std::string> variables;
        bool terminal;
        int status;
        const char* shown;
        bool warned;
        const char* field = nullptr; // the passphrase the camera applied, and its value
        const char* passphrase = nullptr;
    };
    const Case cases[] = {
        {"option", {"--password", kPassword}, "", {}, false, 0, "saved", false},
        {"option, wrong",
         {"--password", "Tr0ub4dx"},
         "",
         {},
         false,
         1,
         "wrong login name or password",
         false},
        {"- with a pipe", {"--password", "-"}, std::string(kPassword) + "\r\n", {}, false, 0, "saved", false},
        {"file others may read", {"--password-file", shared}, "", {}, false, 0, "saved", true},
        {"variable", {}, "", {variable}, false, 0, "saved", false},
        {"prompt", {}, std::string(kPassword) + "\n", {}, true, 0, "Password for 02:ca:00:00:00:01: ", false},
        {"WPA passphrase with a pipe",
         {"--password-file", own, "--security", "wpa", "--wpa-passphrase", "-"},
         "correct horse\n",
         {},
         false,
         0,
         "saved",
         false,
         "WpaPassphrase",
         "correct horse"},
        {"WEP passphrase at the prompt",
         {"--security", "wep128"},
         "secret\n",
         {variable},
         true,
         0,
         "WEP passphrase for 02:ca:00:00:00:01: ",
         false,
         "WepPassphrase",
         "secret"},
        {"two options on standard input",
         {"--password", "-", "--security", "wpa", "--wpa-passphrase", "-"},
         "a\nb\n",
         {},
         false,
         2,
         "--password - and --wpa-passphrase - both read standard input",
         false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto camsim = StartCamsim({"--password", kPassword}, "camsim" + std::to_string(n++));
        const RunResult run = c.terminal ? OnTerminal(Save(c.options), c.input, c.variables)
                                         : Piped(Save(c.options), c.input, c.variables);
        const std::string shown = run.out + run.err;
        EXPECT_EQ(run.status, c.status) << shown;
        EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
        EXPECT_EQ(shown.find("other users of this computer can read") != std::string::npos, c.warned)
            << shown;
        EXPECT_EQ(shown.find(kPassword), std::string::npos) << "echoed: " << shown;
        const auto applied = camsim->Events("applied");
        ASSERT_EQ(applied.size(), c.status == 0 ? 1u : 0u);
        if (c.field) {
            EXPECT_EQ(applied[0].value("settings").toObject().value(c.field).toString(), c.passphrase);
        }
    }
}

TEST_F(CliSecrets, NoOutputOfAFailingSaveHoldsTheSecrets)
{
    const std::string password = "Wr0ngPw9";
    const std::string passphrase = "battery staple horse";
    const std::vector<std::vector<std::string>> cases = {
        {"--password", password, "--json", "--security", "wpa", "--wpa-passphrase", passphrase},
        {"--password", password, "--security", "wep64", "--wep-passphrase",
         passphrase + std::string(50, 'x')},
        {"--password", password, "--security", "wpa", "--wpa-passphrase", passphrase + std::string(50, 'x')},
    };
    auto camsim = StartCamsim({});
    for (const auto& options : cases) {
        const RunResult run = pair.RunInPc(Save(options), std::chrono::seconds(20));
        const std::string shown = run.out + run.err;
        EXPECT_NE(run.status, 0) << shown;
        EXPECT_EQ(shown.find(password), std::string::npos) << shown;
        EXPECT_EQ(shown.find(passphrase), std::string::npos) << shown;
    }
}
