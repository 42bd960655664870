#pragma once
// Helpers shared by the widget tests: a stand-in frame that records what a page asks of it
// and a host that puts a page on one, in-memory pack strings, event-loop spinning
// and modal-box driving, the built English pack and demo folder, and PNG output for review.
#include "app/language_pack.h"
#include "event_loop_wait.h"
#include "platform/wizard_dialog.h"
#include "skin/core/string_table.h"
#include "skin/skinned_dialog.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionFrame>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace qt_test {

// What a page asked of the frame.
enum class Request
{
    Next,
    Back,
    Search,
    Save,
    Close,
    ReloadLanguage,
    ShowAllMessages,
    Rendered
};

// Stands for the wizard's frame: records what the pages it listens to ask of it. Steps and
// actions arrive on the next turn of the event loop, as the frame takes them; the rest at once.
class RecordingFrame : public WizardDialog
{
public:
    std::vector<Request> received;

    void Listen(SkinnedDialog& page)
    {
        const auto record = [this](Request request) {
            return [this, request] { received.push_back(request); };
        };
        const auto queued = Qt::QueuedConnection;
        connect(&page, &SkinnedDialog::nextRequested, this, record(Request::Next), queued);
        connect(&page, &SkinnedDialog::backRequested, this, record(Request::Back), queued);
        connect(&page, &SkinnedDialog::searchRequested, this, record(Request::Search), queued);
        connect(&page, &SkinnedDialog::saveRequested, this, record(Request::Save), queued);
        connect(&page, &SkinnedDialog::closeRequested, this, record(Request::Close));
        connect(&page, &SkinnedDialog::languageReloadRequested, this, record(Request::ReloadLanguage));
        connect(&page, &SkinnedDialog::showAllMessagesRequested, this, record(Request::ShowAllMessages));
        connect(&page, &SkinnedDialog::rendered, this, record(Request::Rendered));
    }
};

inline void AddString(SkinStrings& strings, int number, const QString& text)
{
    strings.EmplaceTail(number, text.toStdU16String());
}

using test_wait::SpinUntil;
using test_wait::WhenModal;

// Sends a mouse event at `at` (widget coordinates) with the buttons held after it.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QApplication::sendEvent(widget, &event);
}

// The texts of a tree's top-level rows, top to bottom.
inline std::vector<QString> TreeNames(const QTreeWidget* tree)
{
    std::vector<QString> names;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        names.push_back(tree->topLevelItem(i)->text(0));
    return names;
}

// The English and Spanish packs built with the program, and the demo folder of the sources.
inline QString EnglishPackPath()
{
    return QStringLiteral(CAMTIVO_BUILD_DIR "/packs/English/English.dll");
}
inline QString SpanishPackPath()
{
    return QStringLiteral(CAMTIVO_BUILD_DIR "/packs/Spanish/Spanish.dll");
}
inline QString DemoDir()
{
    return QStringLiteral(CAMTIVO_SOURCE_DIR "/demo");
}

// Saves a picture for review into <build>/png/.
inline QString PngPath(const QString& name)
{
    const QString dir = QStringLiteral(CAMTIVO_BUILD_DIR "/png");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}
inline void SavePng(const QImage& image, const QString& name)
{
    EXPECT_TRUE(image.save(PngPath(name))) << name.toStdString();
}

// A page's string, bitmap and icon lists and a recording frame of the wizard's size.
struct PageHost
{
    PageHost() { frame.resize(SkinnedDialog::kCanvasWidth, SkinnedDialog::kCanvasHeight); }

    bool LoadEnglish() { return LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons) == 0; }

    // Gives `page` the lists and the frame, then creates and shows it on the frame.
    void Host(SkinnedDialog& page)
    {
        page.SetLists(&strings, &bitmaps, &icons);
        frame.Listen(page);
        page.CreateChild(&frame);
        page.show();
        frame.show();
    }

    // What the page asked of the frame since the last call.
    std::vector<Request> Take()
    {
        QCoreApplication::processEvents();
        return std::exchange(frame.received, {});
    }

    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    RecordingFrame frame;
};

// Room a label gives its text: the contents rectangle less the margin and the indent Qt
// applies (half an "x" when the label has a frame and no indent of its own).
inline QRect LabelTextRoom(const QLabel& label)
{
    int indent = label.indent();
    if (indent < 0)
        indent = label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const int margin = label.margin();
    QRect room = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    if (label.alignment() & Qt::AlignRight)
        room.setRight(room.right() - indent);
    else if (!(label.alignment() & Qt::AlignHCenter))
        room.setLeft(room.left() + indent);
    return room;
}

// Room an edit gives its text: the style's contents rectangle less the text margins and the
// two pixels an edit keeps free on each side.
inline QRect EditTextRoom(const QLineEdit& edit)
{
    constexpr int kEditSideMargin = 2;
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.contentsRect();
    option.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins()).adjusted(kEditSideMargin, 0, -kEditSideMargin, 0);
}

// The visible labels and line edits under `root` whose text does not fit its rectangle in
// the control's own font, each described as "text: needs W x H px, has W x H px". Empty
// when every text can be read whole. Fill the page with the longest values first.
inline std::vector<std::string> ClippedTexts(const QWidget& root)
{
    std::vector<std::string> clipped;
    auto check = [&](const QWidget& control, const QString& text, const QRect& room) {
        const QFontMetrics metrics(control.font());
        QSize needed(0, 0);
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            needed.setWidth(std::max(needed.width(), metrics.horizontalAdvance(line)));
            needed.rheight() += metrics.height();
        }
        if (needed.width() > room.width() || needed.height() > room.height())
            clipped.push_back(QStringLiteral("%1: needs %2 x %3 px, has %4 x %5 px")
                                  .arg(text)
                                  .arg(needed.width())
                                  .arg(needed.height())
                                  .arg(room.width())
                                  .arg(room.height())
                                  .toStdString());
    };
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&root) && !label->text().isEmpty() && !label->wordWrap())
            check(*label, label->text(), LabelTextRoom(*label));
    }
    for (const QLineEdit* edit : root.findChildren<QLineEdit*>()) {
        if (edit->isVisibleTo(&root) && !edit->displayText().isEmpty())
            check(*edit, edit->displayText(), EditTextRoom(*edit));
    }
    return clipped;
}

} // namespace qt_test
