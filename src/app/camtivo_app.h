#pragma once
// CamtivoApp: the application object. It prepares the process, lists the program with the
// host firewall where the system allows it, runs the wizard frame modally (the frame's run is
// the whole life of the program) and undoes its firewall changes when the frame has closed.
#include "app/core/startup_firewall.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CamtivoApp
{
public:
    // The running system's firewall and version.
    explicit CamtivoApp(QStringList arguments);
    // A given firewall and system version, for tests.
    CamtivoApp(QStringList arguments, FirewallBackend& firewall, std::optional<OsVersion> version);

    // Start-up, the frame's modal run, exit; returns the process's exit code.
    int Run();

    // Saves the wizard window to `path` (PNG) once the main page has painted, then ends the
    // wizard; the run then fails when the file could not be written.
    void SetSnapshotPath(const QString& path) { snapshotPath_ = path; }

    const QString& ModuleFileName() const { return moduleFileName_; }
    const StartupFirewall& Firewall() const { return *firewall_; }

private:
    // Returns false, so that the program goes straight on to exit.
    bool InitInstance();
    int ExitInstance();

    QStringList arguments_;
    QString moduleFileName_;
    std::unique_ptr<StartupFirewall> firewall_;
    std::optional<OsVersion> version_;
    bool useSystemVersion_ = true;
    QString snapshotPath_;
    bool snapshotFailed_ = false;
};
