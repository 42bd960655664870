// The desktop's launcher on Windows: ShellExecuteW opens addresses, documents and programs,
// the registry's associations (AssocQueryStringW) say whether a handler is registered. Paths go
// to the system as UTF-16.
#include "platform/desktop_shell.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

namespace {

const wchar_t* Wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// ShellExecuteW's result: above 32 means started.
bool Execute(const QString& target, const QString& directory)
{
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", Wide(target), nullptr,
                                           directory.isEmpty() ? nullptr : Wide(directory), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// The association key of a MIME type or of "x-scheme-handler/<scheme>": the scheme itself, or the
// type's usual file suffix with its dot; "" when there is none to ask about.
QString AssociationKey(const QString& mimeType)
{
    const QString scheme = QStringLiteral("x-scheme-handler/");
    if (mimeType.startsWith(scheme))
        return mimeType.mid(scheme.size());
    const QString suffix = QMimeDatabase().mimeTypeForName(mimeType).preferredSuffix();
    return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
}

class DesktopLauncher : public ShellLauncher
{
public:
    bool OpenUrl(const QUrl& url) override
    {
        return Execute(url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile())
                                         : url.toString(QUrl::FullyEncoded),
                       {});
    }
    bool StartProgram(const QString& path) override
    {
        return Execute(QDir::toNativeSeparators(path), QDir::toNativeSeparators(QDir::currentPath()));
    }
    bool HasHandler(const QString& mimeType) override
    {
        // A type without a key cannot be asked about; opening will tell.
        const QString key = AssociationKey(mimeType);
        if (key.isEmpty())
            return true;
        DWORD length = 0;
        const HRESULT result = AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_COMMAND, Wide(key),
                                                 L"open", nullptr, &length);
        return result == S_FALSE || (SUCCEEDED(result) && length > 0);
    }
};

} // namespace

ShellLauncher& DesktopShellLauncher()
{
    static DesktopLauncher desktop;
    return desktop;
}

FileKind KindOfFile(const QFileInfo& file)
{
    const QString suffix = file.suffix().toLower();
    if (suffix == QLatin1String("bat") || suffix == QLatin1String("cmd"))
        return FileKind::Program;
    if (suffix != QLatin1String("exe") && suffix != QLatin1String("com"))
        return FileKind::Document;
    // A program file that is no program (a renamed document, a broken download) is refused, as
    // the system refuses it.
    QFile f(file.absoluteFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return FileKind::ForeignProgram;
    return f.read(2) == QByteArrayLiteral("MZ") ? FileKind::Program : FileKind::ForeignProgram;
}

QString SystemDirectory()
{
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return QDir::fromNativeSeparators(QString::fromWCharArray(path, static_cast<qsizetype>(length)));
}
