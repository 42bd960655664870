#include "app/camtivo_app.h"

#include "app/camtivo_dlg.h"

#include <QCoreApplication>

namespace {
const QString kAppName = QStringLiteral("Camtivo");
} // namespace

CCamtivoApp::CCamtivoApp(QStringList arguments)
    : arguments_(std::move(arguments)), firewall_(std::make_unique<CStartupFirewall>())
{
}

CCamtivoApp::CCamtivoApp(QStringList arguments, FirewallBackend& firewall, std::optional<OsVersion> version)
    : arguments_(std::move(arguments)), firewall_(std::make_unique<CStartupFirewall>(firewall)),
      version_(std::move(version)), useSystemVersion_(false)
{
}

int CCamtivoApp::Run()
{
    InitInstance();
    return ExitInstance();
}

bool CCamtivoApp::InitInstance()
{
    moduleFileName_ = QCoreApplication::applicationFilePath();
    const std::u16string path = moduleFileName_.toStdU16String();
    if (useSystemVersion_)
        firewall_->Register(path);
    else
        firewall_->Register(version_, path);
    // The per-user settings are named after the program; nothing is ever stored there.
    QCoreApplication::setOrganizationName(kAppName);
    QCoreApplication::setApplicationName(kAppName);
    {
        CCamtivoDlg frame(arguments_.join(QLatin1Char(' ')));
        frame.DoModal();
    }
    return false;
}

int CCamtivoApp::ExitInstance()
{
    firewall_->Unregister();
    return 0;
}
