// The desktop's launcher on a POSIX desktop: QDesktopServices opens, xdg-mime says whether a
// handler is registered; programs are ELF binaries and scripts naming their interpreter.
#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>
#include <utility>

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

} // namespace

ShellLauncher& DesktopShellLauncher()
{
    static DesktopLauncher desktop;
    return desktop;
}

FileKind KindOfFile(const QFileInfo& file)
{
    if (IsProgramFile(file))
        return FileKind::Program;
    return IsWindowsProgramName(file.fileName()) ? FileKind::ForeignProgram : FileKind::Document;
}

QString SystemDirectory()
{
    return {};
}
