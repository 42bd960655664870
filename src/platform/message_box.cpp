#include "platform/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonChoice
{
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonChoice> ButtonsOf(UINT type)
{
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {
            {QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

} // namespace

std::unique_ptr<QMessageBox> MakePlainMessageBox(const MessageBoxRequest& request)
{
    auto box = std::make_unique<QMessageBox>(IconOf(request.type), request.caption, request.text,
                                             QMessageBox::NoButton, request.parent);
    const auto choices = ButtonsOf(request.type);
    for (const auto& choice : choices)
        box->addButton(choice.button);
    box->setDefaultButton(choices.front().button);
    return box;
}

namespace {

int ShowRealBox(const MessageBoxRequest& request)
{
    const std::unique_ptr<QMessageBox> box = MakePlainMessageBox(request);
    const auto choices = ButtonsOf(request.type);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box->exec());
    for (const auto& choice : choices) {
        if (choice.button == pressed)
            return choice.id;
    }
    // Closed without a button: the box's escape answer, Cancel where there is one.
    return choices.size() > 1 ? IDCANCEL : IDOK;
}

} // namespace

int PlainMessageBox(QWidget* parent, const QString& text, const QString& caption, UINT type)
{
    MessageBoxRequest request{parent, text, caption, type};
    if (request.caption.isEmpty())
        request.caption = QGuiApplication::applicationDisplayName();
    if (const std::optional<int> answer = HookedMessageBox(request))
        return *answer;
    return ShowRealBox(request);
}
