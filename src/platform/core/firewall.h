#pragma once
// Wrapper of the host firewall's current profile: put the program on the list of authorised
// applications, allow exceptions, and undo both. Every operation returns an FW_ERROR_CODE and
// leaves the wrapper open or closed as it was, except FirewallOpen and FirewallRelease.
//
// The wrapper keeps the state rules and argument checks; the firewall itself is reached
// through a backend (the Windows firewall objects on Windows, none elsewhere, a fake in tests).
#include <memory>
#include <string>

enum FW_ERROR_CODE : int
{
    FW_OK = 0,
    FW_ERR_WRONG_STATE = 1,
    FW_ERR_CREATE_MANAGER = 2,
    FW_ERR_LOCAL_POLICY = 3,
    FW_ERR_CURRENT_PROFILE = 4,
    FW_ERR_READ_ENABLED = 5,
    FW_ERR_NO_PATH = 7,
    FW_ERR_APP_COLLECTION = 8,
    FW_ERR_READ_APP_ENABLED = 9,
    FW_ERR_CREATE_APP = 10,
    FW_ERR_ALLOC_STRING = 11,
    FW_ERR_SET_APP_PATH = 12,
    FW_ERR_SET_APP_NAME = 13,
    FW_ERR_ADD_APP = 14,
    FW_ERR_REMOVE_APP = 15,
    FW_ERR_EXCEPTIONS_SETTING = 22,
};

// The name under which the program is listed.
inline constexpr char16_t kFirewallEntryName[] = u"Camtivo";

// One opened firewall profile. Operations report the codes named beside them.
class FirewallProfile
{
public:
    virtual ~FirewallProfile() = default;
    virtual FW_ERROR_CODE IsEnabled(bool& enabled) = 0;                 // 5
    virtual FW_ERROR_CODE ExceptionsNotAllowed(bool& notAllowed) = 0;   // 22
    virtual FW_ERROR_CODE SetExceptionsNotAllowed(bool notAllowed) = 0; // 22
    // `listed` clear when no entry exists for the path; `enabled` then clear too.
    virtual FW_ERROR_CODE FindApp(const std::u16string& path, bool& listed, bool& enabled) = 0; // 8, 11, 9
    virtual FW_ERROR_CODE AddApp(const std::u16string& path, const std::u16string& name) = 0;   // 8, 10-14
    virtual FW_ERROR_CODE RemoveApp(const std::u16string& path) = 0;                            // 8, 11, 15
};

class FirewallBackend
{
public:
    virtual ~FirewallBackend() = default;
    // The current profile, or null with the code 2, 3 or 4 in `code`.
    virtual std::unique_ptr<FirewallProfile> OpenCurrentProfile(FW_ERROR_CODE& code) = 0;
};

// The backend of the running system. Off Windows there is no firewall to talk to: opening
// fails with FW_ERR_CREATE_MANAGER.
std::unique_ptr<FirewallBackend> MakeSystemFirewallBackend();

class FirewallSettings
{
public:
    explicit FirewallSettings(FirewallBackend& backend) : backend_(backend) {}

    FW_ERROR_CODE FirewallOpen();
    FW_ERROR_CODE FirewallIsOn(bool& on);
    FW_ERROR_CODE FirewallExceptionsBlocked(bool& blocked);
    FW_ERROR_CODE FirewallSetExceptionsBlocked(bool blocked);
    FW_ERROR_CODE FirewallAppIsEnabled(const std::u16string& path, bool& enabled);
    // Lists the program under kFirewallEntryName unless an enabled entry for the path exists.
    FW_ERROR_CODE FirewallAddApp(const std::u16string& path);
    // Removes the path's entry when it is enabled.
    FW_ERROR_CODE FirewallRemoveApp(const std::u16string& path);
    void FirewallRelease();

    bool IsOpen() const { return profile_ != nullptr; }

private:
    FirewallBackend& backend_;
    std::unique_ptr<FirewallProfile> profile_;
};
