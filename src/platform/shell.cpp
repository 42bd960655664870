#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>
#include <utility>
#include <variant>

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
        const QString tool = HandlerQueryTool();
        if (tool.isEmpty())
            return true;
        QProcess query;
        query.start(tool, HandlerQueryArguments(mimeType));
        if (!query.waitForFinished(kHandlerQueryTimeoutMs)) {
            query.kill();
            query.waitForFinished();
            return true;
        }
        return !query.readAllStandardOutput().trimmed().isEmpty();
    }

    void QueryHandler(const QString& mimeType, QObject* context, std::function<void(bool)> done) override
    {
        const QString tool = HandlerQueryTool();
        if (tool.isEmpty()) {
            done(true);
            return;
        }
        auto* query = new QProcess(context);
        // Answers once: a query that hangs is killed, and then says nothing, like a missing tool.
        // Slots run in the context's name, so none runs once the context is being destroyed.
        QObject* receiver = context ? context : query;
        auto pending = std::make_shared<std::function<void(bool)>>(std::move(done));
        const auto answer = [query, pending](bool registered) {
            if (!*pending)
                return;
            const auto call = std::exchange(*pending, nullptr);
            query->deleteLater();
            call(registered);
        };
        QObject::connect(
            query, &QProcess::finished, receiver, [query, answer](int, QProcess::ExitStatus status) {
                answer(status != QProcess::NormalExit || !query->readAllStandardOutput().trimmed().isEmpty());
            });
        QObject::connect(query, &QProcess::errorOccurred, receiver, [answer](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                answer(true);
        });
        QTimer::singleShot(kHandlerQueryTimeoutMs, query, [query] { query->kill(); });
        query->start(tool, HandlerQueryArguments(mimeType));
    }

private:
    static QString HandlerQueryTool() { return QStandardPaths::findExecutable(QStringLiteral("xdg-mime")); }
    static QStringList HandlerQueryArguments(const QString& mimeType)
    {
        return {QStringLiteral("query"), QStringLiteral("default"), mimeType};
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

// A program is what the system can start: an ELF binary or a script naming its interpreter.
// The execute bit says nothing here, since a document copied from a FAT or NTFS stick has it.
bool IsProgramFile(const QFileInfo& file)
{
    QFile f(file.absoluteFilePath());
    if (!file.isFile() || !f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head == QByteArrayLiteral("\x7f"
                                     "ELF") ||
           head.startsWith("#!");
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
    if (IsProgramFile(file))
        return launcher.StartProgram(file.absoluteFilePath()) ? SHELL_STARTED : SHELL_BAD_FORMAT;
    if (file.isFile() && IsWindowsProgramName(file.fileName()))
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
