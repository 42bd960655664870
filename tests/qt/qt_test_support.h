#pragma once
// Helpers shared by the widget tests: a stand-in frame that records the messages a page sends
// and posts it, in-memory pack strings, event-loop spinning and modal-box driving, the built
// English pack and demo folder, and PNG output for review.
#include "platform/dialog.h"
#include "skin/core/string_table.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace qt_test {

struct Posted
{
    UINT message;
    WPARAM wParam;
    bool operator==(const Posted&) const = default;
};

class RecordingFrame : public CDialog
{
public:
    std::vector<Posted> received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override
    {
        received.push_back({message, wParam});
        return 0;
    }
};

inline void AddString(CStringList& strings, int number, const QString& text)
{
    strings.EmplaceTail(number, text.toStdU16String());
}

// Runs the event loop until `done` holds or `ms` pass.
template <class Pred> bool SpinUntil(Pred done, int ms = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Calls `action` with the modal dialog of type T once it is up (from inside its loop).
template <class T> void WhenModal(std::function<void(T&)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start(5);
}

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

// The English pack built with the program, and the demo folder of the sources.
inline QString EnglishPackPath()
{
    return QStringLiteral(CAMTIVO_BUILD_DIR "/packs/English/English.dll");
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

} // namespace qt_test
