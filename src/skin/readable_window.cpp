#include "skin/readable_window.h"

#include "skin/window_accessible.h"

void ReadableWindow::SetStatusLine(QWidget* window, const QString& line)
{
    if (line == statusLine_)
        return;
    statusLine_ = line;
    window_accessible::AnnounceStatus(window);
}
