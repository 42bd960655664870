#include "platform/open_in_browser.h"

#include "platform/shell.h"

int OpenInBrowser(const QString& target)
{
    return ShellOpen(target);
}
