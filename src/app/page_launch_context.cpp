#include "app/page_launch_context.h"

#include "platform/core/version_check.h"
#include "platform/desktop_shell.h"
#include "skin/skinned_dialog.h"

LaunchContext MakePageLaunchContext(SkinnedDialog* page, const LaunchTexts& texts)
{
    LaunchContext context;
    context.texts = texts;
    context.showMessage = [page](int kind, const QString& message, const QString& b1, const QString& b2,
                                 const QString& b3) { return page->ShowMessage(kind, message, b1, b2, b3); };
    context.systemDirectory = SystemDirectory();
    context.isMediaPlayer9 = [] { return IsMediaPlayer9(); };
    context.owner = page;
    return context;
}
