#include "pages/address_part_keys.h"

#include "pages/core/ip_rules.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

AddressPartKeys::AddressPartKeys(const std::array<QLineEdit*, 4>& parts, QObject* parent)
    : QObject(parent), parts_(parts)
{
    for (QLineEdit* part : parts_)
        part->installEventFilter(this);
}

bool AddressPartKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    for (size_t i = 0; i < parts_.size(); ++i) {
        if (watched != parts_[i])
            continue;
        if (key->text() == QStringLiteral(".")) {
            MoveOn(i);
            return true;
        }
        if (key->matches(QKeySequence::Paste))
            return FillFrom(QGuiApplication::clipboard()->text());
    }
    return false;
}

// An empty part keeps the focus, so that ".." cannot skip a part.
void AddressPartKeys::MoveOn(size_t from)
{
    if (from + 1 >= parts_.size() || parts_[from]->text().isEmpty())
        return;
    QLineEdit* next = parts_[from + 1];
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
}

// Anything but a whole address is left to the edit's own paste (which takes digits only).
bool AddressPartKeys::FillFrom(const QString& text)
{
    const auto parts = SplitAddressParts(text.toStdU16String());
    if (!parts)
        return false;
    for (size_t i = 0; i < parts_.size(); ++i)
        parts_[i]->setText(QString::fromStdU16String((*parts)[i]));
    parts_.back()->setFocus(Qt::TabFocusReason);
    parts_.back()->end(false);
    return true;
}
