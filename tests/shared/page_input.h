#pragma once
// Driving a page as a user does: a click on one of its controls, typing into one of its edits.
#include "platform/wizard_dialog.h"

#include <QLineEdit>
#include <QTest>

namespace test_input {

inline void Click(WizardDialog& page, int id)
{
    QTest::mouseClick(page.Control(id), Qt::LeftButton);
}

// Replaces the text of the edit `id` by typing.
inline void Type(WizardDialog& page, int id, const QString& text)
{
    auto* edit = page.Item<QLineEdit>(id);
    edit->clear();
    QTest::keyClicks(edit, text);
}

} // namespace test_input
