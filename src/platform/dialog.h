#pragma once
// CDialog: the plumbing every window of the wizard stands on. Numbered window messages
// (posted: queued on the event loop; sent: a direct synchronous call with a result) and timers
// keyed by number, both through the window's CMessageWindow; controls looked up by number whose
// clicks arrive as commands, child dialogs placed in a parent (the pages) and top-level modal
// runs with a nested event loop.
#include "platform/core/win_types.h"
#include "platform/events/message_window.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

class QLineEdit;

class CDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CDialog(QWidget* parent = nullptr);
    ~CDialog() override;

    // Window messages. Posting to a destroyed window is a no-op; so is sending.
    void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        messages_.PostMessage(message, wParam, lParam);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return messages_.SendMessage(message, wParam, lParam);
    }
    // What the window's messages arrive through, for those that address it without knowing
    // it is a window (the device engine, sockets).
    CMessageWindow& Messages() { return messages_; }

    // Timers by number: setting an existing number restarts it with the new period.
    // Periods go through the process time scale.
    void SetTimer(UINT_PTR id, int64_t elapseMs) { messages_.SetTimer(id, elapseMs); }
    bool KillTimer(UINT_PTR id) { return messages_.KillTimer(id); }
    bool HasTimer(UINT_PTR id) const { return messages_.HasTimer(id); }

    // Controls by number. A registered button's click reaches OnCommand with its number.
    void RegisterControl(int id, QWidget* control);
    QWidget* GetDlgItem(int id) const;
    template <class T> T* Item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Creates a control of type T on this window at `rect` and registers it as `id`.
    template <class T> T* AddControl(int id, const QRect& rect)
    {
        auto* control = new T(this);
        control->setGeometry(rect);
        RegisterControl(id, control);
        return control;
    }
    // Simulates a click of control `id` (as a BN_CLICKED command would).
    void Command(int id) { OnCommand(id); }

    // Creates the dialog as a hidden child of `parent` at (0, 0) and initialises it.
    bool CreateChild(QWidget* parent);
    // Runs the dialog modally in a nested event loop; returns the value given to EndDialog. The
    // owner's window has the keyboard again afterwards.
    int DoModal();
    void EndDialog(int result);
    bool IsInitialised() const { return initialised_; }

    // Keeps this (top-level) dialog centred over the window that holds `over`, now and each
    // time it is shown, whatever size it has taken by then. Without `over`, or when `over` is
    // gone, the dialog goes where the system puts it.
    void CentreOver(const QWidget* over);

    // Focus an edit, select its whole text and scroll the caret into view.
    static void SelectAllAndFocus(QLineEdit* edit);

signals:
    // Emitted after every handled message; lets tests observe traffic without hooks.
    void messageHandled(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Message handler; the base answers every message with 0.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR id);
    // Returns whether the command was handled.
    virtual bool OnCommand(int id);
    // Runs once, before the first show (modal) or at CreateChild.
    virtual bool OnInitDialog() { return true; }

    void showEvent(QShowEvent* event) override;

private:
    // Hands the messages and timers it receives to the dialog's handlers.
    class CDialogMessages : public CMessageWindow
    {
    public:
        explicit CDialogMessages(CDialog& dialog) : dialog_(dialog) {}

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            return dialog_.WindowProc(message, wParam, lParam);
        }
        void OnTimer(UINT_PTR id) override { dialog_.OnTimer(id); }

    private:
        CDialog& dialog_;
    };

    void EnsureInitialised();
    void MoveToCentre();

    CDialogMessages messages_{*this};
    QHash<int, QPointer<QWidget>> controls_;
    bool initialised_ = false;
    QPointer<const QWidget> centreOver_;
};

// RAII wait cursor, as long work shows one.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
