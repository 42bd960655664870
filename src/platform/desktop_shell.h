#pragma once
// What opening a file or address needs from the system: its own launcher (the default handlers
// of the desktop), and which files it runs as programs. One implementation per system
// (posix/, windows/).
#include "platform/shell.h"

#include <QFileInfo>

// The launcher of the system's desktop.
ShellLauncher& DesktopShellLauncher();

enum class FileKind
{
    Program,        // the system starts it
    ForeignProgram, // a program of another system, or a program file this system cannot run
    Document,       // opened by the handler registered for its type
};

// What an existing regular file is to the system.
FileKind KindOfFile(const QFileInfo& file);

// The host's system directory, where the codec driver would be; empty where there is none.
QString SystemDirectory();
