#include "app/paint_snapshot.h"

#include "app/wizard_frame.h"

#include <QEvent>
#include <QTimer>

namespace {
const QString kSnapshotOption = QStringLiteral("--snapshot=");
const QString kSearchPage = QStringLiteral("search:");

// PNG unless the name asks for BMP, whose writer only copies the pixels: timing the start-up
// then leaves out compression.
const char* FormatOf(const QString& path)
{
    return path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) ? "BMP" : "PNG";
}

} // namespace

PaintSnapshot::PaintSnapshot(WizardFrame& frame, QString path) : frame_(frame), path_(std::move(path))
{
    if (path_.startsWith(kSearchPage)) {
        path_.remove(0, kSearchPage.size());
        searchPage_ = true;
    }
    frame_.Main().installEventFilter(this);
}

bool PaintSnapshot::eventFilter(QObject* watched, QEvent* event)
{
    // The grab waits for the event loop: the paint that triggered it must finish first.
    if (event->type() == QEvent::Paint && !pending_ && frame_.Main().IsReady()) {
        pending_ = true;
        QTimer::singleShot(0, this, searchPage_ ? &PaintSnapshot::SearchThenSave : &PaintSnapshot::SaveAndClose);
    }
    return QObject::eventFilter(watched, event);
}

void PaintSnapshot::SearchThenSave()
{
    // Start is taken only once the other pages exist, a moment after the main page shows.
    if (!frame_.PagesReady()) {
        QTimer::singleShot(50, this, &PaintSnapshot::SearchThenSave);
        return;
    }
    // As Start does; the rows and the status line take their last state before the grab.
    connect(&frame_.Actions(), &WizardActions::searchEnded, this,
            [this] { QTimer::singleShot(0, this, &PaintSnapshot::SaveAndClose); });
    frame_.TakeStep(Navigation::Next);
}

void PaintSnapshot::SaveAndClose()
{
    saved_ = frame_.grab().save(path_, FormatOf(path_));
    frame_.Finish(IDOK);
}

QString SnapshotPathOf(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(kSnapshotOption))
            return argument.mid(kSnapshotOption.size());
    return {};
}
