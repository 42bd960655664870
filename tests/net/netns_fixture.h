#pragma once
// Two network namespaces, a PC and a camera, joined by a veth pair, created for one test and
// always removed again (with every process started in them). The PC side can be entered by the
// calling thread, so the test's own Qt code opens its sockets there; nothing a test sends ever
// leaves these namespaces. Addresses: PC 10.77.0.1/24, camera 10.77.0.2/24. A test may add
// namespaces and links of its own (a second camera link, a router); they go with the pair.
#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace nettest {

inline constexpr char kPcAddress[] = "10.77.0.1";
inline constexpr char kCameraAddress[] = "10.77.0.2";

struct RunResult
{
    int status = -1; // exit status, or -1 when killed or not started
    std::string out;
    std::string err;
};

// A namespace joined to another by a link of its own, and the names of the link's two ends;
// every name is empty when it could not be made.
struct LinkedNamespace
{
    std::string ns;
    std::string nearEnd; // in the namespace it was joined to
    std::string farEnd;  // in `ns`
};

class NetnsPair
{
public:
    NetnsPair();
    ~NetnsPair();
    NetnsPair(const NetnsPair&) = delete;
    NetnsPair& operator=(const NetnsPair&) = delete;

    // False (with the reason in Error()) when the namespaces could not be set up.
    bool Ok() const { return ok_; }
    const std::string& Error() const { return error_; }
    const std::string& Pc() const { return pc_; }
    const std::string& Camera() const { return camera_; }
    // The PC's and the camera's ends of the link between them.
    const std::string& PcLink() const { return vethPc_; }
    const std::string& CameraLink() const { return vethCamera_; }
    // Another namespace, with loopback up; its name, or "" when it could not be made.
    std::string AddNamespace(const std::string& role);
    // Joins two namespaces with a veth pair, gives each end its address (CIDR) and brings both
    // up. Returns the name of the first namespace's end, or "" on failure.
    std::string Connect(const std::string& a, const std::string& addressA, const std::string& b,
                        const std::string& addressB);
    // Another namespace (`role`) joined to `near` by a new link, each end with its address (CIDR).
    LinkedNamespace AddLinkedNamespace(const std::string& role, const std::string& near,
                                       const std::string& nearAddress, const std::string& farAddress);
    // Puts more addresses (CIDR) on an end in a namespace; true when all went on.
    static bool AddAddresses(const std::string& ns, const std::string& end,
                             const std::vector<std::string>& cidrs);
    // A file in this test's scratch directory.
    std::string ScratchFile(const std::string& name) const;

    // Starts a program inside the camera namespace; it is killed when the pair goes.
    pid_t StartInCamera(const std::vector<std::string>& argv, const std::string& logName);
    // The same inside any of this test's namespaces.
    pid_t StartIn(const std::string& ns, const std::vector<std::string>& argv, const std::string& logName);
    // Waits for a program started with StartInCamera to end; its exit status or -1.
    int WaitFor(pid_t pid, std::chrono::milliseconds limit);
    // Runs a program inside the PC namespace to its end (killed after `limit`).
    RunResult RunInPc(const std::vector<std::string>& argv, std::chrono::milliseconds limit);
    // Runs a shell command line in the machine's namespace; true when it exits 0.
    static bool Shell(const std::string& command);

private:
    bool Setup();
    pid_t Spawn(const std::vector<std::string>& argv, const std::string& out, const std::string& err);

    bool ok_ = false;
    std::string error_;
    std::string pc_;
    std::string camera_;
    std::string vethPc_;
    std::string vethCamera_;
    std::string scratch_;
    std::string shortId_;
    std::vector<std::string> added_;
    int links_ = 0;
    std::vector<pid_t> children_;
};

// While alive, the calling thread is inside the PC namespace: sockets it opens and adapters it
// lists are the PC's. Entered() must be checked before anything is sent.
class PcNamespaceScope
{
public:
    explicit PcNamespaceScope(const NetnsPair& pair);
    ~PcNamespaceScope();
    PcNamespaceScope(const PcNamespaceScope&) = delete;
    PcNamespaceScope& operator=(const PcNamespaceScope&) = delete;
    bool Entered() const { return entered_; }

private:
    int home_ = -1;
    bool entered_ = false;
};

// A block of camera addresses behind a router: the camera namespace forwards 10.20.0.0/16 from
// the PC to a "block" namespace that holds every address of it as its own (a local route), so a
// simulator there answers at any of them and no broadcast of the PC reaches it. With
// `silentHalf`, 10.20.128.0/17 goes instead to a namespace where nothing listens, which answers
// with ICMP errors. Returns the block's namespace, or "" when it could not be built.
std::string BuildBlockLab(NetnsPair& pair, bool silentHalf);

} // namespace nettest
