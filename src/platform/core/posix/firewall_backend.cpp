// Off Windows there is no firewall to talk to: opening the profile fails.
#include "platform/core/firewall.h"

namespace {

class NoFirewallBackend : public FirewallBackend
{
public:
    std::unique_ptr<FirewallProfile> OpenCurrentProfile(FW_ERROR_CODE& code) override
    {
        code = FW_ERR_CREATE_MANAGER;
        return nullptr;
    }
};

} // namespace

std::unique_ptr<FirewallBackend> MakeSystemFirewallBackend()
{
    return std::make_unique<NoFirewallBackend>();
}
