// What a screen reader gets of the wizard through Qt's accessibility interfaces: every page and
// box in both languages named and described, each shown control named and nothing hidden in the
// tree; the search's result on the page's status line and a message box read as an alert.
#include "frame_fixture.h"
#include "page_walk.h"

#include <QAccessible>

using namespace frame_test;

namespace {

// Roles a reader speaks by name: one of these without a name is read as its role alone.
bool NeedsName(QAccessible::Role role)
{
    static const QAccessible::Role named[] = {
        QAccessible::PushButton, QAccessible::RadioButton, QAccessible::CheckBox,  QAccessible::EditableText,
        QAccessible::ComboBox,   QAccessible::List,        QAccessible::ListItem,  QAccessible::Tree,
        QAccessible::StaticText, QAccessible::Heading,     QAccessible::StatusBar, QAccessible::Dialog};
    return std::find(std::begin(named), std::end(named), role) != std::end(named);
}

// The faults a reader meets under `node`; a painted part (no object of its own) is walked into.
void Faults(QAccessibleInterface* node, const QString& where, QStringList& faults)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        const QString role = QString::number(child->role(), 16);
        if (const auto* widget = qobject_cast<const QWidget*>(child->object()); widget && widget->isHidden())
            faults << where + QStringLiteral(": hidden child of role ") + role;
        if (NeedsName(child->role()) && child->text(QAccessible::Name).trimmed().isEmpty())
            faults << where + QStringLiteral(": no name, role ") + role;
        if (child->object() == nullptr)
            Faults(child, where, faults);
    }
}

} // namespace

TEST(ReaderWalk, EveryPageAndBoxIsNamedDescribedAndHasOnlyNamedShownControls)
{
    for (const auto& [pack, language] : {std::pair(EnglishPackPath(), QStringLiteral("en")),
                                         std::pair(SpanishPackPath(), QStringLiteral("es"))}) {
        int pages = 0;
        QStringList faults;
        page_walk::Walk(pack, language, [&](const page_walk::Shown& shown) {
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(shown.window);
            const QString where = language + QLatin1Char(' ') + shown.name;
            Faults(window, where, faults);
            if (!shown.name.startsWith(QStringLiteral("page_")) &&
                !shown.name.startsWith(QStringLiteral("message")))
                return;
            ++pages;
            if (window->text(QAccessible::Name).isEmpty() || window->text(QAccessible::Description).isEmpty())
                faults << where + QStringLiteral(": no name or no description");
        });
        EXPECT_GT(pages, 30) << "every page and message box";
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}

// Qt hands accessibility events on only while a platform bridge is active, which the headless
// platform has not: the events themselves are read by the AT-SPI check (tests/reader).
TEST_F(FrameTest, OnlyTheShownPageIsInTheTreeTheSearchResultIsSaidAndABoxIsAnAlert)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](CCamtivoDlg& wizard) {
        Start(wizard);
        QAccessibleInterface* frameView = QAccessible::queryAccessibleInterface(&wizard);
        ASSERT_EQ(frameView->childCount(), 1) << "only the page shown is in the tree";
        QAccessibleInterface* search = frameView->child(0);
        EXPECT_EQ(search->object(), &wizard.SearchPage());
        QAccessibleInterface* status = search->child(search->childCount() - 1);
        EXPECT_EQ(status->role(), QAccessible::StatusBar);
        EXPECT_EQ(status->text(QAccessible::Name),
                  QStringLiteral("%1 cameras found").arg(DemoNames().size()));

        CMessageDialog box(&wizard);
        box.ReadKindSkin(wizard.StringList(), wizard.IconList(), kMessageNotice);
        box.SetTexts(QStringLiteral("No camera was found."), QStringLiteral("OK"), {}, {});
        box.Prepare();
        QAccessibleInterface* boxView = QAccessible::queryAccessibleInterface(&box);
        EXPECT_EQ(boxView->role(), QAccessible::AlertMessage);
        EXPECT_EQ(boxView->text(QAccessible::Name), QStringLiteral("Notice"));
        EXPECT_EQ(boxView->text(QAccessible::Description), QStringLiteral("No camera was found."));
    });
}
