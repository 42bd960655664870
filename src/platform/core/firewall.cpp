#include "platform/core/firewall.h"

FW_ERROR_CODE FirewallSettings::FirewallOpen()
{
    if (profile_)
        return FW_ERR_WRONG_STATE;
    FW_ERROR_CODE code = FW_OK;
    auto profile = backend_.OpenCurrentProfile(code);
    if (!profile)
        return code == FW_OK ? FW_ERR_CREATE_MANAGER : code;
    profile_ = std::move(profile);
    return FW_OK;
}

FW_ERROR_CODE FirewallSettings::FirewallIsOn(bool& on)
{
    on = false;
    if (!profile_)
        return FW_ERR_WRONG_STATE;
    return profile_->IsEnabled(on);
}

FW_ERROR_CODE FirewallSettings::FirewallExceptionsBlocked(bool& blocked)
{
    blocked = false;
    if (!profile_)
        return FW_ERR_WRONG_STATE;
    return profile_->ExceptionsNotAllowed(blocked);
}

FW_ERROR_CODE FirewallSettings::FirewallSetExceptionsBlocked(bool blocked)
{
    if (!profile_)
        return FW_ERR_WRONG_STATE;
    return profile_->SetExceptionsNotAllowed(blocked);
}

FW_ERROR_CODE FirewallSettings::FirewallAppIsEnabled(const std::u16string& path, bool& enabled)
{
    enabled = false;
    if (!profile_)
        return FW_ERR_WRONG_STATE;
    if (path.empty())
        return FW_ERR_NO_PATH;
    bool listed = false;
    bool entryEnabled = false;
    FW_ERROR_CODE code = profile_->FindApp(path, listed, entryEnabled);
    if (code == FW_OK)
        enabled = listed && entryEnabled;
    return code;
}

FW_ERROR_CODE FirewallSettings::FirewallAddApp(const std::u16string& path)
{
    // The lookup refuses a missing profile or an empty path with the same codes.
    bool enabled = false;
    if (FW_ERROR_CODE code = FirewallAppIsEnabled(path, enabled); code != FW_OK)
        return code;
    if (enabled)
        return FW_OK;
    return profile_->AddApp(path, kFirewallEntryName);
}

FW_ERROR_CODE FirewallSettings::FirewallRemoveApp(const std::u16string& path)
{
    // The lookup refuses a missing profile or an empty path with the same codes.
    bool enabled = false;
    if (FW_ERROR_CODE code = FirewallAppIsEnabled(path, enabled); code != FW_OK)
        return code;
    if (!enabled)
        return FW_OK;
    return profile_->RemoveApp(path);
}

void FirewallSettings::FirewallRelease()
{
    profile_.reset();
}
