#include "platform/dialog.h"

#include "platform/core/time_scale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimerEvent>

namespace {

// A posted window message travelling through the Qt event queue.
class CMessageEvent : public QEvent
{
public:
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    CMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(EventType()), message(message), wParam(wParam), lParam(lParam)
    {
    }
    const UINT message;
    const WPARAM wParam;
    const LPARAM lParam;
};

} // namespace

CDialog::CDialog(QWidget* parent) : QDialog(parent) {}

CDialog::~CDialog() = default;

void CDialog::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(this, new CMessageEvent(message, wParam, lParam));
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(message, wParam, lParam);
}

LRESULT CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    QPointer<CDialog> alive(this);
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (alive)
        emit messageHandled(message, wParam, lParam);
    return result;
}

void CDialog::SetTimer(UINT_PTR id, int64_t elapseMs)
{
    KillTimer(id);
    const int64_t scaled = TimeScale::Scaled(elapseMs);
    const int qtId = startTimer(static_cast<int>(std::min<int64_t>(scaled, INT32_MAX)), Qt::PreciseTimer);
    if (qtId == 0)
        return;
    timers_.insert(id, qtId);
    timerIds_.insert(qtId, id);
}

bool CDialog::KillTimer(UINT_PTR id)
{
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return false;
    killTimer(it.value());
    timerIds_.remove(it.value());
    timers_.erase(it);
    return true;
}

void CDialog::timerEvent(QTimerEvent* event)
{
    const auto it = timerIds_.find(event->timerId());
    if (it == timerIds_.end()) {
        QDialog::timerEvent(event);
        return;
    }
    OnTimer(it.value());
}

void CDialog::OnTimer(UINT_PTR) {}

bool CDialog::OnCommand(int)
{
    return false;
}

LRESULT CDialog::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

bool CDialog::event(QEvent* event)
{
    if (event->type() == CMessageEvent::EventType()) {
        const auto* message = static_cast<CMessageEvent*>(event);
        Dispatch(message->message, message->wParam, message->lParam);
        return true;
    }
    return QDialog::event(event);
}

void CDialog::RegisterControl(int id, QWidget* control)
{
    controls_.insert(id, control);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
}

QWidget* CDialog::GetDlgItem(int id) const
{
    return controls_.value(id).data();
}

void CDialog::EnsureInitialised()
{
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
}

bool CDialog::CreateChild(QWidget* parent)
{
    setParent(parent, Qt::Widget);
    move(0, 0);
    hide();
    EnsureInitialised();
    return true;
}

int CDialog::DoModal()
{
    EnsureInitialised();
    return exec();
}

void CDialog::EndDialog(int result)
{
    done(result);
}

void CDialog::CentreOver(const QWidget* over)
{
    centreOver_ = over;
    MoveToCentre();
}

void CDialog::MoveToCentre()
{
    if (centreOver_ == nullptr)
        return;
    // The window's own rectangle, not its frame: the wizard has no title bar, and a guess
    // at one would place the dialog too high.
    const QRect window = centreOver_->window()->geometry();
    move(window.center() - QPoint(width() / 2, height() / 2));
}

void CDialog::showEvent(QShowEvent* event)
{
    MoveToCentre();
    QDialog::showEvent(event);
}

void CDialog::SelectAllAndFocus(QLineEdit* edit)
{
    if (edit == nullptr)
        return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll(); // leaves the caret at the end, scrolled into view
}

CWaitCursor::CWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
