#pragma once
// An in-memory firewall for tests: a profile with its switches and list of authorised
// applications, a log of the calls that change it, and failures injected per operation.
#include "platform/core/firewall.h"

#include <map>
#include <string>
#include <vector>

struct FakeFirewallState
{
    struct Entry
    {
        std::u16string name;
        bool enabled = true;
    };

    bool enabled = true;
    bool exceptionsNotAllowed = false;
    std::map<std::u16string, Entry> apps;
    FW_ERROR_CODE openFailure = FW_OK;
    std::map<std::string, FW_ERROR_CODE> failures; // by operation name
    std::vector<std::string> log;                  // "open", "add", "remove", "set-blocked=1", ...
    int profilesAlive = 0;

    FW_ERROR_CODE Fail(const std::string& op) const
    {
        auto it = failures.find(op);
        return it == failures.end() ? FW_OK : it->second;
    }
};

class FakeFirewallProfile : public FirewallProfile
{
public:
    explicit FakeFirewallProfile(FakeFirewallState& s) : s_(s) { ++s_.profilesAlive; }
    ~FakeFirewallProfile() override { --s_.profilesAlive; }

    FW_ERROR_CODE IsEnabled(bool& enabled) override
    {
        enabled = s_.enabled;
        return s_.Fail("enabled");
    }
    FW_ERROR_CODE ExceptionsNotAllowed(bool& notAllowed) override
    {
        notAllowed = s_.exceptionsNotAllowed;
        return s_.Fail("exceptions");
    }
    FW_ERROR_CODE SetExceptionsNotAllowed(bool notAllowed) override
    {
        if (auto code = s_.Fail("set-exceptions"))
            return code;
        s_.log.push_back(notAllowed ? "set-blocked=1" : "set-blocked=0");
        s_.exceptionsNotAllowed = notAllowed;
        return FW_OK;
    }
    FW_ERROR_CODE FindApp(const std::u16string& path, bool& listed, bool& enabled) override
    {
        if (auto code = s_.Fail("find"))
            return code;
        auto it = s_.apps.find(path);
        listed = it != s_.apps.end();
        enabled = listed && it->second.enabled;
        return FW_OK;
    }
    FW_ERROR_CODE AddApp(const std::u16string& path, const std::u16string& name) override
    {
        if (auto code = s_.Fail("add"))
            return code;
        s_.log.push_back("add");
        s_.apps[path] = {name, true};
        return FW_OK;
    }
    FW_ERROR_CODE RemoveApp(const std::u16string& path) override
    {
        if (auto code = s_.Fail("remove"))
            return code;
        s_.log.push_back("remove");
        s_.apps.erase(path);
        return FW_OK;
    }

private:
    FakeFirewallState& s_;
};

class FakeFirewallBackend : public FirewallBackend
{
public:
    explicit FakeFirewallBackend(FakeFirewallState& s) : s_(s) {}
    std::unique_ptr<FirewallProfile> OpenCurrentProfile(FW_ERROR_CODE& code) override
    {
        s_.log.push_back("open");
        code = s_.openFailure;
        if (code != FW_OK)
            return nullptr;
        return std::make_unique<FakeFirewallProfile>(s_);
    }

private:
    FakeFirewallState& s_;
};
