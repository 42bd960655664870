#include "app/camtivo_app.h"

#include "app/camtivo_dlg.h"
#include "app/paint_snapshot.h"

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
        std::optional<CPaintSnapshot> snapshot;
        if (!snapshotPath_.isEmpty())
            snapshot.emplace(frame, snapshotPath_);
        frame.DoModal();
        snapshotFailed_ = snapshot && !snapshot->Saved();
    }
    return false;
}

int CCamtivoApp::ExitInstance()
{
    firewall_->Unregister();
    return snapshotFailed_ ? 1 : 0;
}
