#pragma once
// WizardDialog: the plumbing every window of the wizard stands on: controls looked up by number whose
// clicks arrive as commands, child dialogs placed in a parent (the pages) and top-level modal
// runs with a nested event loop.
#include "platform/core/win_types.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

class QLineEdit;

class WizardDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WizardDialog(QWidget* parent = nullptr);
    ~WizardDialog() override;

    // Controls by number. A registered button's click reaches OnCommand with its number.
    void RegisterControl(int id, QWidget* control);
    QWidget* Control(int id) const;
    template <class T> T* Item(int id) const { return qobject_cast<T*>(Control(id)); }
    // Creates a control of type T on this window at `rect` and registers it as `id`.
    template <class T> T* AddControl(int id, const QRect& rect)
    {
        auto* control = new T(this);
        control->setGeometry(rect);
        RegisterControl(id, control);
        return control;
    }
    // Simulates a click of control `id`.
    void Command(int id) { OnCommand(id); }

    // Creates the dialog as a hidden child of `parent` at (0, 0) and initialises it.
    bool CreateChild(QWidget* parent);
    // Runs the dialog modally in a nested event loop; returns the value given to Finish. The
    // owner's window has the keyboard again afterwards.
    int RunModal();
    void Finish(int result);
    bool IsInitialised() const { return initialised_; }

    // Keeps this (top-level) dialog centred over the window that holds `over`, now and each
    // time it is shown, whatever size it has taken by then. Without `over`, or when `over` is
    // gone, the dialog goes where the system puts it.
    void CentreOver(const QWidget* over);

    // Focus an edit, select its whole text and scroll the caret into view.
    static void SelectAllAndFocus(QLineEdit* edit);

protected:
    // Returns whether the command was handled.
    virtual bool OnCommand(int id);
    // Runs once, before the first show (modal) or at CreateChild.
    virtual bool Initialise() { return true; }

    void showEvent(QShowEvent* event) override;

private:
    void EnsureInitialised();
    void MoveToCentre();

    QHash<int, QPointer<QWidget>> controls_;
    bool initialised_ = false;
    QPointer<const QWidget> centreOver_;
};

// RAII wait cursor, as long work shows one.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
