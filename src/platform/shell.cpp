#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int kHandlerQueryTimeoutMs = 2000;

class DesktopLauncher : public ShellLauncher
{
public:
    bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool StartProgram(const QString& path) override { return QProcess::startDetached(path, {}); }
    bool HasHandler(const QString& mimeType) override
    {
        // Without the query tool there is nothing to ask; opening will tell.
        QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (tool.isEmpty())
            return true;
        QProcess query;
        query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!query.waitForFinished(kHandlerQueryTimeoutMs)) {
            query.kill();
            query.waitForFinished();
            return true;
        }
        return !query.readAllStandardOutput().trimmed().isEmpty();
    }
};

ShellLauncher* overrideLauncher = nullptr;

// A scheme of two or more letters: "C:\x" is a drive, not a scheme.
bool IsWebAddress(const QString& target)
{
    QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}

bool IsWindowsProgramName(const QString& path)
{
    static const QStringList kSuffixes = {QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"),
                                          QStringLiteral("cmd")};
    return kSuffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

int OpenWebAddress(ShellLauncher& launcher, const QUrl& url)
{
    if (!launcher.HasHandler(QStringLiteral("x-scheme-handler/") + url.scheme().toLower()))
        return SHELL_NO_ASSOCIATION;
    return launcher.OpenUrl(url) ? SHELL_STARTED : SHELL_NO_ASSOCIATION;
}

int OpenLocalFile(ShellLauncher& launcher, const QFileInfo& file)
{
    if (!file.exists())
        return SHELL_FILE_NOT_FOUND;
    if (file.isFile() && file.isExecutable())
        return launcher.StartProgram(file.absoluteFilePath()) ? SHELL_STARTED : SHELL_BAD_FORMAT;
    if (file.isFile() && IsWindowsProgramName(file.fileName()))
        return SHELL_BAD_FORMAT;
    QString mimeType = QMimeDatabase().mimeTypeForFile(file).name();
    if (!file.isDir() && !launcher.HasHandler(mimeType))
        return SHELL_NO_ASSOCIATION;
    return launcher.OpenUrl(QUrl::fromLocalFile(file.absoluteFilePath())) ? SHELL_STARTED
                                                                          : SHELL_NO_ASSOCIATION;
}

} // namespace

ShellLauncher& CurrentShellLauncher()
{
    static DesktopLauncher desktop;
    return overrideLauncher ? *overrideLauncher : desktop;
}

ScopedShellLauncher::ScopedShellLauncher(ShellLauncher& launcher) : previous_(overrideLauncher)
{
    overrideLauncher = &launcher;
}

ScopedShellLauncher::~ScopedShellLauncher()
{
    overrideLauncher = previous_;
}

int ShellOpen(const QString& target)
{
    if (target.isEmpty())
        return SHELL_FILE_NOT_FOUND;
    ShellLauncher& launcher = CurrentShellLauncher();
    if (IsWebAddress(target))
        return OpenWebAddress(launcher, QUrl(target));
    QUrl fileUrl(target, QUrl::StrictMode);
    QString path = fileUrl.isLocalFile() ? fileUrl.toLocalFile()
                                         : QString(target).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return OpenLocalFile(launcher, QFileInfo(QDir::current(), path));
}

bool IsWebBrowserRegistered()
{
    return CurrentShellLauncher().HasHandler(QStringLiteral("x-scheme-handler/http"));
}
