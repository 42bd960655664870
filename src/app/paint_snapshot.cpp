#include "app/paint_snapshot.h"

#include "app/camtivo_dlg.h"

#include <QEvent>
#include <QTimer>

namespace {
const QString kSnapshotOption = QStringLiteral("--snapshot=");

// PNG unless the name asks for BMP, whose writer only copies the pixels: timing the start-up
// then leaves out compression.
const char* FormatOf(const QString& path)
{
    return path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) ? "BMP" : "PNG";
}

} // namespace

CPaintSnapshot::CPaintSnapshot(CCamtivoDlg& frame, QString path) : frame_(frame), path_(std::move(path))
{
    frame_.MainPage().installEventFilter(this);
}

bool CPaintSnapshot::eventFilter(QObject* watched, QEvent* event)
{
    // The grab waits for the event loop: the paint that triggered it must finish first.
    if (event->type() == QEvent::Paint && !pending_ && frame_.MainPage().IsReady()) {
        pending_ = true;
        QTimer::singleShot(0, this, &CPaintSnapshot::SaveAndClose);
    }
    return QObject::eventFilter(watched, event);
}

void CPaintSnapshot::SaveAndClose()
{
    saved_ = frame_.grab().save(path_, FormatOf(path_));
    frame_.EndDialog(IDOK);
}

QString SnapshotPathOf(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(kSnapshotOption))
            return argument.mid(kSnapshotOption.size());
    return {};
}
