#include "app/core/startup_firewall.h"

void StartupFirewall::Register(const std::optional<OsVersion>& version, const std::u16string& programPath)
{
    programPath_ = programPath;
    if (!version || !(IsOsSp2Level(*version) || IsOsSp1Level(*version)))
        return;
    firewall_.FirewallOpen();
    bool on = false;
    if (firewall_.FirewallIsOn(on) == FW_OK && on) {
        bool blocked = false;
        firewall_.FirewallExceptionsBlocked(blocked);
        exceptionsWereBlocked_ = blocked;
        if (exceptionsWereBlocked_)
            firewall_.FirewallSetExceptionsBlocked(false);
        firewallTouched_ = true;
        firewall_.FirewallAddApp(programPath_); // a no-op when an enabled entry exists already
    }
    firewall_.FirewallRelease();
}

void StartupFirewall::Unregister()
{
    if (!firewallTouched_)
        return;
    firewall_.FirewallOpen();
    // Removes the program's entry whenever it is enabled, also one listed before start-up:
    // the program leaves the firewall without an exception for itself.
    firewall_.FirewallRemoveApp(programPath_);
    if (exceptionsWereBlocked_)
        firewall_.FirewallSetExceptionsBlocked(true);
    firewall_.FirewallRelease();
}
