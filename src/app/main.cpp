// The camtivo program: runs the wizard frame until it is closed.
#include "platform/dialog.h"

#include <QApplication>
#include <QRegion>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CDialog frame;
    frame.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    frame.setFixedSize(581, 436);
    frame.setMask(QRegion(0, 0, 581, 436));
    frame.DoModal();
    return 0;
}
