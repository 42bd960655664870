// The firewall backend on Windows: the Windows firewall's COM objects.
#include "platform/core/firewall.h"

#include <netfw.h>
#include <oleauto.h>
#include <utility>
#include <windows.h>

namespace {

// Releases an interface reference on every path out of an operation.
template <class T> class ComRef
{
public:
    ComRef() = default;
    explicit ComRef(T* p) : p_(p) {}
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

// COM on the calling thread for as long as it is held. Start-up reaches the firewall before any
// window exists, and a platform that never initialises COM (offscreen) would otherwise leave every
// call failing. A thread already in another apartment keeps it, and is not uninitialised here.
class ComApartment
{
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (joined_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

// An automation string; an empty text counts as a failed allocation.
class Bstr
{
public:
    explicit Bstr(const std::u16string& text)
        : s_(text.empty() ? nullptr
                          : SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                              static_cast<UINT>(text.size())))
    {
    }
    ~Bstr() { SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return s_; }

private:
    BSTR s_;
};

class ComProfile : public FirewallProfile
{
public:
    ComProfile(std::unique_ptr<ComApartment> apartment, INetFwProfile* profile)
        : apartment_(std::move(apartment)), profile_(profile)
    {
    }

    FW_ERROR_CODE IsEnabled(bool& enabled) override
    {
        VARIANT_BOOL value = VARIANT_FALSE;
        if (FAILED(profile_->get_FirewallEnabled(&value)))
            return FW_ERR_READ_ENABLED;
        enabled = value != VARIANT_FALSE;
        return FW_OK;
    }
    FW_ERROR_CODE ExceptionsNotAllowed(bool& notAllowed) override
    {
        VARIANT_BOOL value = VARIANT_FALSE;
        if (FAILED(profile_->get_ExceptionsNotAllowed(&value)))
            return FW_ERR_EXCEPTIONS_SETTING;
        notAllowed = value == VARIANT_TRUE;
        return FW_OK;
    }
    FW_ERROR_CODE SetExceptionsNotAllowed(bool notAllowed) override
    {
        if (FAILED(profile_->put_ExceptionsNotAllowed(notAllowed ? VARIANT_TRUE : VARIANT_FALSE)))
            return FW_ERR_EXCEPTIONS_SETTING;
        return FW_OK;
    }
    FW_ERROR_CODE FindApp(const std::u16string& path, bool& listed, bool& enabled) override
    {
        return WithApps(path, [&](INetFwAuthorizedApplications& apps, BSTR image) {
            ComRef<INetFwAuthorizedApplication> app;
            listed = SUCCEEDED(apps.Item(image, app.Out())) && app.Get();
            if (!listed)
                return FW_OK;
            VARIANT_BOOL value = VARIANT_FALSE;
            if (FAILED(app->get_Enabled(&value)))
                return FW_ERR_READ_APP_ENABLED;
            enabled = value == VARIANT_TRUE;
            return FW_OK;
        });
    }
    FW_ERROR_CODE AddApp(const std::u16string& path, const std::u16string& name) override
    {
        ComRef<INetFwAuthorizedApplications> apps;
        if (FAILED(profile_->get_AuthorizedApplications(apps.Out())))
            return FW_ERR_APP_COLLECTION;
        ComRef<INetFwAuthorizedApplication> app;
        if (FAILED(CoCreateInstance(__uuidof(NetFwAuthorizedApplication), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(INetFwAuthorizedApplication),
                                    reinterpret_cast<void**>(app.Out()))))
            return FW_ERR_CREATE_APP;
        Bstr image(path);
        if (!image.Get())
            return FW_ERR_ALLOC_STRING;
        if (FAILED(app->put_ProcessImageFileName(image.Get())))
            return FW_ERR_SET_APP_PATH;
        Bstr title(name);
        if (!title.Get())
            return FW_ERR_ALLOC_STRING;
        if (FAILED(app->put_Name(title.Get())))
            return FW_ERR_SET_APP_NAME;
        if (FAILED(apps->Add(app.Get())))
            return FW_ERR_ADD_APP;
        return FW_OK;
    }
    FW_ERROR_CODE RemoveApp(const std::u16string& path) override
    {
        return WithApps(path, [](INetFwAuthorizedApplications& apps, BSTR image) {
            return FAILED(apps.Remove(image)) ? FW_ERR_REMOVE_APP : FW_OK;
        });
    }

private:
    // Runs `use` on the profile's list of authorised programs with the program's path as an
    // automation string, once both are at hand.
    template <class Use> FW_ERROR_CODE WithApps(const std::u16string& path, Use use)
    {
        ComRef<INetFwAuthorizedApplications> apps;
        if (FAILED(profile_->get_AuthorizedApplications(apps.Out())))
            return FW_ERR_APP_COLLECTION;
        Bstr image(path);
        if (!image.Get())
            return FW_ERR_ALLOC_STRING;
        return use(*apps.Get(), image.Get());
    }

    // Declared first: the profile is released before COM is left.
    std::unique_ptr<ComApartment> apartment_;
    ComRef<INetFwProfile> profile_;
};

class ComBackend : public FirewallBackend
{
public:
    std::unique_ptr<FirewallProfile> OpenCurrentProfile(FW_ERROR_CODE& code) override
    {
        auto apartment = std::make_unique<ComApartment>();
        ComRef<INetFwMgr> manager;
        if (FAILED(CoCreateInstance(__uuidof(NetFwMgr), nullptr, CLSCTX_INPROC_SERVER, __uuidof(INetFwMgr),
                                    reinterpret_cast<void**>(manager.Out())))) {
            code = FW_ERR_CREATE_MANAGER;
            return nullptr;
        }
        ComRef<INetFwPolicy> policy;
        if (FAILED(manager->get_LocalPolicy(policy.Out()))) {
            code = FW_ERR_LOCAL_POLICY;
            return nullptr;
        }
        INetFwProfile* profile = nullptr;
        if (FAILED(policy->get_CurrentProfile(&profile)) || !profile) {
            code = FW_ERR_CURRENT_PROFILE;
            return nullptr;
        }
        code = FW_OK;
        return std::make_unique<ComProfile>(std::move(apartment), profile);
    }
};

} // namespace

std::unique_ptr<FirewallBackend> MakeSystemFirewallBackend()
{
    return std::make_unique<ComBackend>();
}
