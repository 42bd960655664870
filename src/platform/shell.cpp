#include "platform/shell.h"

#include "platform/desktop_shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <utility>
#include <variant>

namespace {

ShellLauncher* overrideLauncher = nullptr;

// A scheme of two or more letters: "C:\x" is a drive, not a scheme.
bool IsWebAddress(const QString& target)
{
    QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}

// Opening that waits for one answer first: is a handler registered for `handlerType`?
struct HandlerQuestion
{
    QString handlerType;
    QUrl url;
};

// Either the result, when no question about handlers is needed, or the question to ask
// before the URL is handed over. Programs are started here.
using OpenStep = std::variant<int, HandlerQuestion>;

OpenStep OpenLocalFile(ShellLauncher& launcher, const QFileInfo& file)
{
    if (!file.exists())
        return SHELL_FILE_NOT_FOUND;
    const FileKind kind = file.isFile() ? KindOfFile(file) : FileKind::Document;
    if (kind == FileKind::Program)
        return launcher.StartProgram(file.absoluteFilePath()) ? SHELL_STARTED : SHELL_BAD_FORMAT;
    if (kind == FileKind::ForeignProgram)
        return SHELL_BAD_FORMAT;
    const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    if (file.isDir())
        return launcher.OpenUrl(url) ? SHELL_STARTED : SHELL_NO_ASSOCIATION;
    return HandlerQuestion{QMimeDatabase().mimeTypeForFile(file).name(), url};
}

OpenStep StartOpening(ShellLauncher& launcher, const QString& target)
{
    if (target.isEmpty())
        return SHELL_FILE_NOT_FOUND;
    if (IsWebAddress(target)) {
        const QUrl url(target);
        return HandlerQuestion{QStringLiteral("x-scheme-handler/") + url.scheme().toLower(), url};
    }
    QUrl fileUrl(target, QUrl::StrictMode);
    QString path = fileUrl.isLocalFile() ? fileUrl.toLocalFile()
                                         : QString(target).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return OpenLocalFile(launcher, QFileInfo(QDir::current(), path));
}

int FinishOpening(ShellLauncher& launcher, bool handlerRegistered, const QUrl& url)
{
    return handlerRegistered && launcher.OpenUrl(url) ? SHELL_STARTED : SHELL_NO_ASSOCIATION;
}

} // namespace

ShellLauncher& CurrentShellLauncher()
{
    return overrideLauncher ? *overrideLauncher : DesktopShellLauncher();
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
    ShellLauncher& launcher = CurrentShellLauncher();
    const OpenStep step = StartOpening(launcher, target);
    if (const int* result = std::get_if<int>(&step))
        return *result;
    const auto& question = std::get<HandlerQuestion>(step);
    return FinishOpening(launcher, launcher.HasHandler(question.handlerType), question.url);
}

void ShellOpenLater(const QString& target, QObject* context, std::function<void(int)> done)
{
    const OpenStep step = StartOpening(CurrentShellLauncher(), target);
    if (const int* result = std::get_if<int>(&step)) {
        done(*result);
        return;
    }
    const auto& question = std::get<HandlerQuestion>(step);
    CurrentShellLauncher().QueryHandler(question.handlerType, context,
                                        [url = question.url, done = std::move(done)](bool registered) {
                                            done(FinishOpening(CurrentShellLauncher(), registered, url));
                                        });
}

bool IsWebBrowserRegistered()
{
    return CurrentShellLauncher().HasHandler(QStringLiteral("x-scheme-handler/http"));
}

void QueryWebBrowser(QObject* context, std::function<void(bool)> done)
{
    CurrentShellLauncher().QueryHandler(QStringLiteral("x-scheme-handler/http"), context, std::move(done));
}

int OpenWithWebBrowser(const QString& address)
{
    return CurrentShellLauncher().OpenUrl(QUrl(address)) ? SHELL_STARTED : SHELL_NO_ASSOCIATION;
}
