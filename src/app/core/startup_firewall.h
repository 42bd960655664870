#pragma once
// What start-up and exit do with the host firewall: at start-up, where the system version
// allows it and the firewall is on, allow exceptions if the profile forbids them and list the
// program; at exit, take the program's entry away and block exceptions again if start-up
// allowed them. Results of the firewall operations are
// not checked beyond that: a failure leaves the later steps to fail in turn, and the program
// starts regardless.
#include "platform/core/firewall.h"
#include "platform/core/version_check.h"

#include <memory>
#include <optional>
#include <string>

class StartupFirewall
{
public:
    explicit StartupFirewall(FirewallBackend& backend) : firewall_(backend) {}
    // The running system's firewall, as the application object uses it.
    StartupFirewall() : owned_(MakeSystemFirewallBackend()), firewall_(*owned_) {}

    // Start-up step; skipped unless IsOsSp2Level or IsOsSp1Level holds for `version`
    // (no version: not Windows, skipped).
    void Register(const std::optional<OsVersion>& version, const std::u16string& programPath);
    // The same with the version of the running system.
    void Register(const std::u16string& programPath) { Register(CurrentWindowsVersion(), programPath); }
    // Exit step; touches the firewall only when start-up found it on.
    void Unregister();

    bool FirewallTouched() const { return firewallTouched_; }
    bool ExceptionsWereBlocked() const { return exceptionsWereBlocked_; }

private:
    std::unique_ptr<FirewallBackend> owned_;
    FirewallSettings firewall_;
    std::u16string programPath_;
    bool firewallTouched_ = false;
    bool exceptionsWereBlocked_ = false;
};
