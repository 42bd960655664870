#include "netns_fixture.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace nettest {

namespace {

std::atomic<int> counter{0};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ino_t NamespaceInode(const char* path)
{
    struct stat st
    {
    };
    return ::stat(path, &st) == 0 ? st.st_ino : 0;
}

// Namespaces left behind by an earlier run that was killed: their owner pid is gone.
void RemoveStaleNamespaces()
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/var/run/netns", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("cmvt", 0) != 0)
            continue;
        const pid_t owner = static_cast<pid_t>(std::atol(name.c_str() + 4));
        if (owner > 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
            NetnsPair::Shell("ip netns delete " + name + " 2>/dev/null");
    }
}

} // namespace

bool NetnsPair::Shell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

NetnsPair::NetnsPair()
{
    RemoveStaleNamespaces();
    const int n = counter++;
    const std::string id = std::to_string(::getpid()) + "x" + std::to_string(n);
    pc_ = "cmvt" + id + "pc";
    camera_ = "cmvt" + id + "cam";
    // Interface names are at most 15 characters.
    shortId_ = std::to_string(::getpid() % 100000) + "x" + std::to_string(n % 100);
    vethPc_ = "cvp" + shortId_;
    vethCamera_ = "cvc" + shortId_;
    scratch_ = (std::filesystem::temp_directory_path() / ("camtivo-net-" + id)).string();
    std::filesystem::create_directories(scratch_);
    ok_ = Setup();
}

bool NetnsPair::Setup()
{
    const std::vector<std::string> steps = {
        "ip netns add " + pc_,
        "ip netns add " + camera_,
        "ip link add " + vethPc_ + " netns " + pc_ + " type veth peer name " + vethCamera_ + " netns " +
            camera_,
        "ip -n " + pc_ + " link set lo up",
        "ip -n " + camera_ + " link set lo up",
        "ip -n " + pc_ + " addr add " + kPcAddress + "/24 dev " + vethPc_,
        "ip -n " + camera_ + " addr add " + kCameraAddress + "/24 dev " + vethCamera_,
        "ip -n " + pc_ + " link set " + vethPc_ + " up",
        "ip -n " + camera_ + " link set " + vethCamera_ + " up",
        "ip -n " + pc_ + " route add 255.255.255.255/32 dev " + vethPc_,
        "ip -n " + camera_ + " route add 255.255.255.255/32 dev " + vethCamera_,
    };
    for (const auto& step : steps) {
        if (!Shell(step + " >/dev/null 2>&1")) {
            error_ = "failed: " + step;
            return false;
        }
    }
    return true;
}

NetnsPair::~NetnsPair()
{
    for (const pid_t pid : children_) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    // Deleting a namespace removes its end of the veth pair, and with it the other end.
    for (const auto& ns : added_)
        Shell("ip netns delete " + ns + " >/dev/null 2>&1");
    Shell("ip netns delete " + pc_ + " >/dev/null 2>&1");
    Shell("ip netns delete " + camera_ + " >/dev/null 2>&1");
    std::error_code ec;
    if (std::getenv("CAMTIVO_KEEP_NET_LOGS") == nullptr)
        std::filesystem::remove_all(scratch_, ec);
}

std::string NetnsPair::AddNamespace(const std::string& role)
{
    const std::string name = pc_.substr(0, pc_.size() - 2) + role;
    if (!Shell("ip netns add " + name + " >/dev/null 2>&1"))
        return {};
    added_.push_back(name);
    if (!Shell("ip -n " + name + " link set lo up"))
        return {};
    return name;
}

std::string NetnsPair::Connect(const std::string& a, const std::string& addressA, const std::string& b,
                               const std::string& addressB)
{
    const std::string link = std::to_string(++links_);
    const std::string endA = "cva" + shortId_ + "l" + link;
    const std::string endB = "cvb" + shortId_ + "l" + link;
    const std::vector<std::string> steps = {
        "ip link add " + endA + " netns " + a + " type veth peer name " + endB + " netns " + b,
        "ip -n " + a + " addr add " + addressA + " dev " + endA,
        "ip -n " + b + " addr add " + addressB + " dev " + endB,
        "ip -n " + a + " link set " + endA + " up",
        "ip -n " + b + " link set " + endB + " up",
    };
    for (const auto& step : steps) {
        if (!Shell(step + " >/dev/null 2>&1"))
            return {};
    }
    return endA;
}

LinkedNamespace NetnsPair::AddLinkedNamespace(const std::string& role, const std::string& near,
                                              const std::string& nearAddress, const std::string& farAddress)
{
    const std::string ns = AddNamespace(role);
    const std::string nearEnd = ns.empty() ? "" : Connect(near, nearAddress, ns, farAddress);
    if (nearEnd.empty())
        return {};
    return {ns, nearEnd, "cvb" + nearEnd.substr(3)}; // Connect names the ends cva<id> and cvb<id>
}

bool NetnsPair::AddAddresses(const std::string& ns, const std::string& end,
                             const std::vector<std::string>& cidrs)
{
    for (const std::string& cidr : cidrs) {
        if (!Shell("ip -n " + ns + " addr add " + cidr + " dev " + end))
            return false;
    }
    return true;
}

std::string NetnsPair::ScratchFile(const std::string& name) const
{
    return scratch_ + "/" + name;
}

pid_t NetnsPair::Spawn(const std::vector<std::string>& argv, const std::string& out, const std::string& err)
{
    // Everything the child needs is prepared before fork: it may only make plain system calls.
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);                    // its own group, so a kill reaches everything it started
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // and it dies with the test, even a killed one
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(outFd);
    ::close(errFd);
    return pid;
}

pid_t NetnsPair::StartInCamera(const std::vector<std::string>& argv, const std::string& logName)
{
    return StartIn(camera_, argv, logName);
}

pid_t NetnsPair::StartIn(const std::string& ns, const std::vector<std::string>& argv,
                         const std::string& logName)
{
    std::vector<std::string> full = {"ip", "netns", "exec", ns};
    full.insert(full.end(), argv.begin(), argv.end());
    const pid_t pid = Spawn(full, ScratchFile(logName + ".out"), ScratchFile(logName + ".err"));
    if (pid > 0)
        children_.push_back(pid);
    return pid;
}

int NetnsPair::WaitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            std::erase(children_, pid);
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    std::erase(children_, pid);
    return -1;
}

RunResult NetnsPair::RunInPc(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    static std::atomic<int> runs{0};
    const std::string base = ScratchFile("run" + std::to_string(runs++));
    std::vector<std::string> full = {"ip", "netns", "exec", pc_};
    full.insert(full.end(), argv.begin(), argv.end());
    const pid_t pid = Spawn(full, base + ".out", base + ".err");
    if (pid < 0)
        return {};
    children_.push_back(pid);
    RunResult result;
    result.status = WaitFor(pid, limit);
    result.out = ReadAll(base + ".out");
    result.err = ReadAll(base + ".err");
    return result;
}

PcNamespaceScope::PcNamespaceScope(const NetnsPair& pair)
{
    if (!pair.Ok())
        return;
    home_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const std::string path = "/var/run/netns/" + pair.Pc();
    const int target = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ino_t before = NamespaceInode("/proc/thread-self/ns/net");
    if (home_ >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0)
        entered_ = NamespaceInode("/proc/thread-self/ns/net") != before && before != 0;
    if (target >= 0)
        ::close(target);
}

PcNamespaceScope::~PcNamespaceScope()
{
    if (home_ < 0)
        return;
    if (::setns(home_, CLONE_NEWNET) != 0)
        std::abort(); // never carry on in the test namespace's place
    ::close(home_);
}

std::string BuildBlockLab(NetnsPair& pair, bool silentHalf)
{
    const std::string router = pair.Camera();
    const std::string block = pair.AddNamespace("block");
    if (block.empty() || pair.Connect(router, "10.89.0.1/30", block, "10.89.0.2/30").empty())
        return {};
    std::vector<std::string> steps = {
        "ip netns exec " + router + " sysctl -qw net.ipv4.ip_forward=1",
        "ip -n " + pair.Pc() + " route add 10.20.0.0/16 via " + kCameraAddress,
        "ip -n " + router + " route add 10.20.0.0/16 via 10.89.0.2",
        "ip -n " + block + " route add local 10.20.0.0/16 dev lo",
        "ip -n " + block + " route add default via 10.89.0.1",
    };
    if (silentHalf) {
        const std::string silent = pair.AddNamespace("silent");
        if (silent.empty() || pair.Connect(router, "10.90.0.1/30", silent, "10.90.0.2/30").empty())
            return {};
        steps.push_back("ip -n " + router + " route add 10.20.128.0/17 via 10.90.0.2");
        steps.push_back("ip -n " + silent + " route add local 10.20.128.0/17 dev lo");
        steps.push_back("ip -n " + silent + " route add default via 10.90.0.1");
    }
    for (const std::string& step : steps) {
        if (!NetnsPair::Shell(step))
            return {};
    }
    return block;
}

} // namespace nettest
