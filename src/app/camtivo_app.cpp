#include "app/camtivo_app.h"

#include "app/paint_snapshot.h"
#include "app/wizard_frame.h"

#include <QCoreApplication>

namespace {
const QString kAppName = QStringLiteral("Camtivo");
} // namespace

CamtivoApp::CamtivoApp(QStringList arguments)
    : arguments_(std::move(arguments)), firewall_(std::make_unique<StartupFirewall>())
{
}

CamtivoApp::CamtivoApp(QStringList arguments, FirewallBackend& firewall, std::optional<OsVersion> version)
    : arguments_(std::move(arguments)), firewall_(std::make_unique<StartupFirewall>(firewall)),
      version_(std::move(version)), useSystemVersion_(false)
{
}

int CamtivoApp::Run()
{
    InitInstance();
    return ExitInstance();
}

bool CamtivoApp::InitInstance()
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
        WizardFrame frame(arguments_.join(QLatin1Char(' ')));
        std::optional<PaintSnapshot> snapshot;
        if (!snapshotPath_.isEmpty())
            snapshot.emplace(frame, snapshotPath_);
        frame.RunModal();
        snapshotFailed_ = snapshot && !snapshot->Saved();
    }
    return false;
}

int CamtivoApp::ExitInstance()
{
    firewall_->Unregister();
    return snapshotFailed_ ? 1 : 0;
}
