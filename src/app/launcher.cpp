#include "app/launcher.h"

#include "platform/core/shell_result.h"
#include "platform/open_in_browser.h"
#include "platform/shell.h"
#include "skin/core/message_kind.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kAnswerSecond = 2;

void ReportFailure(const LaunchContext& context, int result, const QString& notFound, const QString& invalid)
{
    const LaunchTexts& t = context.texts;
    context.showMessage(kMessageError, LaunchFailureText(result, notFound, invalid, t.otherFailure), t.ok, {},
                        {});
}

bool CodecDriverInstalled(const QString& systemDirectory)
{
    return !systemDirectory.isEmpty() &&
           QFileInfo::exists(QDir(systemDirectory).filePath(QLatin1String(kCodecDriver)));
}

void AfterUserGuideOpened(const LaunchContext& context, int result)
{
    const LaunchTexts& t = context.texts;
    if (ShellStarted(result))
        return;
    if (result != SHELL_NO_ASSOCIATION) {
        ReportFailure(context, result, t.guideNotFound, t.guideInvalid);
        return;
    }
    if (context.showMessage(kMessageQuestion, t.readerQuestion, t.yes, t.ok, {}) != kAnswerSecond)
        return;
    const int setup = ShellOpen(QLatin1String(kReaderInstaller));
    if (!ShellStarted(setup))
        ReportFailure(context, setup, t.readerNotFound, t.readerInvalid);
}

} // namespace

QString LaunchFailureText(int result, const QString& notFound, const QString& invalid, const QString& other)
{
    if (result == SHELL_FILE_NOT_FOUND)
        return notFound;
    if (result == SHELL_BAD_FORMAT)
        return invalid;
    return other;
}

void InstallUtility(const LaunchContext& context)
{
    const LaunchTexts& t = context.texts;
    // The codec installer runs on its own; whether it started is not looked at.
    if (!CodecDriverInstalled(context.systemDirectory))
        ShellOpen(QLatin1String(kCodecInstaller));
    if (context.isMediaPlayer9 && context.isMediaPlayer9()) {
        if (context.showMessage(kMessageQuestion, t.playerQuestion, t.yes, t.ok, {}) == kAnswerSecond)
            OpenInBrowser(t.playerAddress);
    }
    const int result = ShellOpen(QLatin1String(kUtilityInstaller));
    if (!ShellStarted(result))
        ReportFailure(context, result, t.installerNotFound, t.installerInvalid);
}

void LaunchVarnetTool(const LaunchContext& context)
{
    const int result = ShellOpen(QLatin1String(kVarnetTool));
    if (!ShellStarted(result))
        ReportFailure(context, result, context.texts.toolNotFound, context.texts.toolInvalid);
}

void OpenUserGuide(const LaunchContext& context)
{
    // Asking the desktop for the PDF handler can take a while: the page stays responsive.
    ShellOpenLater(QLatin1String(kUserGuide), context.owner,
                   [context](int result) { AfterUserGuideOpened(context, result); });
}
