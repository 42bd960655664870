#include "platform/wizard_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QShowEvent>

WizardDialog::WizardDialog(QWidget* parent) : QDialog(parent) {}

WizardDialog::~WizardDialog() = default;

bool WizardDialog::OnCommand(int)
{
    return false;
}

void WizardDialog::RegisterControl(int id, QWidget* control)
{
    controls_.insert(id, control);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
}

QWidget* WizardDialog::Control(int id) const
{
    return controls_.value(id).data();
}

void WizardDialog::EnsureInitialised()
{
    if (initialised_)
        return;
    initialised_ = true;
    Initialise();
}

bool WizardDialog::CreateChild(QWidget* parent)
{
    setParent(parent, Qt::Widget);
    move(0, 0);
    hide();
    EnsureInitialised();
    return true;
}

int WizardDialog::RunModal()
{
    EnsureInitialised();
    const int result = exec();
    // Where no window manager hands the keyboard back, nothing would have it once the box is
    // gone: the window beneath takes it again, so that its focused control is the one the keys
    // reach and a screen reader announces.
    if (QWidget* owner = parentWidget(); owner != nullptr && owner->window()->isVisible())
        owner->window()->activateWindow();
    return result;
}

void WizardDialog::Finish(int result)
{
    done(result);
}

void WizardDialog::CentreOver(const QWidget* over)
{
    centreOver_ = over;
    MoveToCentre();
}

void WizardDialog::MoveToCentre()
{
    if (centreOver_ == nullptr)
        return;
    // The window's own rectangle, not its frame: the wizard has no title bar, and a guess
    // at one would place the dialog too high.
    const QRect window = centreOver_->window()->geometry();
    move(window.center() - QPoint(width() / 2, height() / 2));
}

void WizardDialog::showEvent(QShowEvent* event)
{
    MoveToCentre();
    QDialog::showEvent(event);
    // A window the wizard opens takes the keyboard at once, also where no window manager
    // hands it the focus (a kiosk session, a bare X server): otherwise a keyboard or screen
    // reader user would have to click into every box first.
    if (isWindow() && !event->spontaneous())
        activateWindow();
}

void WizardDialog::SelectAllAndFocus(QLineEdit* edit)
{
    if (edit == nullptr)
        return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll(); // leaves the caret at the end, scrolled into view
}

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}
