#pragma once
// A request for the plain standard message box (not the skinned one): a text, a caption, a set
// of buttons and an icon, answered with the number of the pressed button (IDOK, IDCANCEL, ...).
// One process-wide hook can take every such box over: tests answer it with a preset button, the
// command-line front end prints the text instead. The box itself is a window (message_box.h);
// code without windows asks through WindowlessMessageBox.
#include "platform/core/win_types.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

// Button sets (low four bits of the type).
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
inline constexpr UINT MB_YESNOCANCEL = 0x03;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_RETRYCANCEL = 0x05;
// Icons (second four bits).
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

struct MessageBoxRequest
{
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    UINT type = MB_OK;
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Replaces the box; an empty hook restores the real one. Returns the hook that was in place.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// The hook's answer to the request; nothing when no hook is set.
std::optional<int> HookedMessageBox(const MessageBoxRequest& request);

// A box asked for where there is no window: the hook's answer, otherwise the text on standard
// error, answered with the first button.
int WindowlessMessageBox(const MessageBoxRequest& request);

// While alive, every box is answered with `answer` at once and recorded in `shown`.
class MessageBoxAnswer
{
public:
    explicit MessageBoxAnswer(int answer = IDOK);
    ~MessageBoxAnswer();
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

    std::vector<MessageBoxRequest> shown;

private:
    MessageBoxHook previous_;
};
