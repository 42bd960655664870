#include "app/core/startup_firewall.h"

void CStartupFirewall::Register(const std::optional<OsVersion>& version, const std::u16string& programPath)
{
    programPath_ = programPath;
    if (!version || !(IsOsSp2Level(*version) || IsOsSp1Level(*version)))
        return;
    firewall_.FirewallOpen();
    bool on = false;
    if (firewall_.FirewallIsOn(on) == FW_OK && on) {
        bool blocked = false;
        if (firewall_.FirewallExceptionsBlocked(blocked) == FW_OK && blocked)
            exceptionsWereBlocked_ = firewall_.FirewallSetExceptionsBlocked(false) == FW_OK;
        firewallTouched_ = true;
        // An entry the user had before start-up is theirs: exit removes only one added here.
        bool alreadyEnabled = false;
        if (firewall_.FirewallAppIsEnabled(programPath_, alreadyEnabled) == FW_OK && !alreadyEnabled)
            entryAdded_ = firewall_.FirewallAddApp(programPath_) == FW_OK;
    }
    firewall_.FirewallRelease();
}

void CStartupFirewall::Unregister()
{
    if (!firewallTouched_)
        return;
    firewall_.FirewallOpen();
    if (entryAdded_)
        firewall_.FirewallRemoveApp(programPath_);
    if (exceptionsWereBlocked_)
        firewall_.FirewallSetExceptionsBlocked(true);
    firewall_.FirewallRelease();
}
