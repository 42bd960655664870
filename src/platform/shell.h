#pragma once
// Opening web addresses, documents and programs with the desktop's default handlers.
// Results are the shell's codes of platform/core/shell_result.h.
//
// Everything that would start another process goes through a replaceable launcher, so tests
// install a fake (ScopedShellLauncher) and never start a real browser or program.
#include "platform/core/shell_result.h"

#include <QString>
#include <QUrl>

#include <functional>

class QObject;

class ShellLauncher
{
public:
    virtual ~ShellLauncher() = default;
    // Hands a web address or a local file to the desktop's default handler.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Starts an executable file, detached, in the current directory.
    virtual bool StartProgram(const QString& path) = 0;
    // Whether a handler is registered for a MIME type ("application/pdf") or a URL scheme
    // ("x-scheme-handler/http").
    virtual bool HasHandler(const QString& mimeType) = 0;
    // The same question without waiting: `done` runs later on the calling thread, unless
    // `context` is gone by then. This default answers at once from HasHandler.
    virtual void QueryHandler(const QString& mimeType, QObject* context, std::function<void(bool)> done)
    {
        (void)context;
        done(HasHandler(mimeType));
    }
};

// The launcher in use: the desktop's own unless a test replaced it.
ShellLauncher& CurrentShellLauncher();

class ScopedShellLauncher
{
public:
    explicit ScopedShellLauncher(ShellLauncher& launcher);
    ~ScopedShellLauncher();
    ScopedShellLauncher(const ScopedShellLauncher&) = delete;
    ScopedShellLauncher& operator=(const ScopedShellLauncher&) = delete;

private:
    ShellLauncher* previous_;
};

// Opens `target`: a web address ("http://..."), or a path relative to the current directory
// (Windows separators accepted). A missing file gives 2; a program (an ELF binary or a script
// starting with "#!", whatever its permission bits say) is started (11 when it cannot be run,
// also for a Windows program file here); anything else is a document, which gives 31 when no
// handler is registered for its type or the handler cannot be started.
int ShellOpen(const QString& target);

// The same without waiting for the handler lookup: `done` gets the result on the calling
// thread, at once when no lookup is needed, and never once `context` is gone.
void ShellOpenLater(const QString& target, QObject* context, std::function<void(int)> done);

// Whether a default web browser is registered.
bool IsWebBrowserRegistered();

// The same question without blocking the UI thread; see ShellLauncher::QueryHandler.
void QueryWebBrowser(QObject* context, std::function<void(bool)> done);

// Hands a web address straight to the browser, once QueryWebBrowser has said there is one.
int OpenWithWebBrowser(const QString& address);
