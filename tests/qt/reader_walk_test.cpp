// What a screen reader gets of the wizard through Qt's accessibility interfaces: every page and
// box in both languages named and described, each shown control named and nothing hidden in the
// tree; the search's result on the page's status line and a message box read as an alert; and
// the events a reader hears as pages, boxes and the focus change.
#include "frame_fixture.h"
#include "page_walk.h"
#include "reader_events.h"

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
            if (shown.name != QStringLiteral("context_menu") && window->text(QAccessible::Name).isEmpty())
                faults << where + QStringLiteral(": no name");
            static const QStringList described{QStringLiteral("page_"), QStringLiteral("message"),
                                               QStringLiteral("progress_"), QStringLiteral("about_box")};
            if (std::none_of(described.begin(), described.end(),
                             [&](const QString& kind) { return shown.name.startsWith(kind); }))
                return;
            ++pages;
            if (window->text(QAccessible::Name).isEmpty() || window->text(QAccessible::Description).isEmpty())
                faults << where + QStringLiteral(": no name or no description");
        });
        EXPECT_GT(pages, 30) << "every page and message box";
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(FrameTest, OnlyTheShownPageIsInTheTreeTheSearchResultIsSaidAndABoxIsAnAlert)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        QAccessibleInterface* frameView = QAccessible::queryAccessibleInterface(&wizard);
        ASSERT_EQ(frameView->childCount(), 1) << "only the page shown is in the tree";
        QAccessibleInterface* search = frameView->child(0);
        EXPECT_EQ(search->object(), &wizard.Search());
        QAccessibleInterface* status = search->child(search->childCount() - 1);
        EXPECT_EQ(status->role(), QAccessible::StatusBar);
        EXPECT_EQ(status->text(QAccessible::Name),
                  QStringLiteral("%1 cameras found").arg(DemoNames().size()));

        SkinnedMessageBox box(&wizard);
        box.ReadKindSkin(wizard.StringList(), wizard.IconList(), kMessageNotice);
        box.SetTexts(QStringLiteral("No camera was found."), QStringLiteral("OK"), {}, {});
        box.Prepare();
        QAccessibleInterface* boxView = QAccessible::queryAccessibleInterface(&box);
        EXPECT_EQ(boxView->role(), QAccessible::AlertMessage);
        EXPECT_EQ(boxView->text(QAccessible::Name), QStringLiteral("Notice"));
        EXPECT_EQ(boxView->text(QAccessible::Description), QStringLiteral("No camera was found."));
    });
}

namespace {

bool HeardOn(const reader_events::Listener& reader, QAccessible::Event type, const QObject* object)
{
    return reader.Find(type, [&](const reader_events::Heard& heard) { return heard.object == object; });
}

// Enter on the IP page with a part out of range: the error box is heard as an alert with the
// focus on its button, and once it closes the focus is back on that part.
void BoxOnTheIpPage(WizardFrame& wizard, reader_events::Listener& reader)
{
    QLineEdit* first = wizard.Ip().Octet(0);
    first->setText(QStringLiteral("300"));
    first->setFocus();
    reader.Clear();
    bool boxHeard = false;
    const SkinnedMessageHook answering = SetSkinnedMessageHook({});
    WhenModal<SkinnedMessageBox>([&](SkinnedMessageBox& box) {
        QCoreApplication::processEvents();
        boxHeard =
            HeardOn(reader, QAccessible::Alert, &box) && HeardOn(reader, QAccessible::Focus, box.Button(1));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::keyClick(first, Qt::Key_Return);
    SetSkinnedMessageHook(answering);
    EXPECT_TRUE(SpinUntil([&] { return QApplication::focusWidget() == first; })) << "the focus is not back";
    EXPECT_TRUE(boxHeard) << "the box or its button was not announced";
    EXPECT_TRUE(reader.Find(QAccessible::Focus, [&](const reader_events::Heard& heard) {
        return heard.object == first && heard.name == QStringLiteral("IP address, part 1 of 4");
    })) << "the focus back on the page was not announced";
}

} // namespace

TEST_F(FrameTest, AReaderHearsPagesTheSearchResultFocusMovesAndMessageBoxes)
{
    InstallPack();
    reader_events::Listener reader;
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        SearchPage& search = wizard.Search();
        EXPECT_TRUE(HeardOn(reader, QAccessible::ObjectShow, &search)) << "the new page";
        EXPECT_TRUE(HeardOn(reader, QAccessible::Focus, search.focusWidget())) << "the page's first control";
        const QString found = QStringLiteral("%1 cameras found").arg(DemoNames().size());
        EXPECT_TRUE(reader.Find(QAccessible::Alert, [&](const reader_events::Heard& heard) {
            return heard.role == QAccessible::StatusBar && heard.name == found;
        })) << "the search's result";

        wizard.TakeStep(Navigation::Next);
        wizard.TakeStep(Navigation::Next);
        NetworkModePage& network = wizard.Network();
        qobject_cast<QAbstractButton*>(network.Control(NetworkModePage::IDC_FIXED))->click();
        qobject_cast<QAbstractButton*>(network.Control(IDC_NEXT))->click();
        ASSERT_TRUE(SpinUntil([&] { return wizard.Ip().isVisible(); }));
        reader.Clear();
        QTest::keyClick(wizard.Ip().Octet(0), Qt::Key_Tab);
        EXPECT_TRUE(reader.Find(QAccessible::Focus, [&](const reader_events::Heard& heard) {
            return heard.name == QStringLiteral("IP address, part 2 of 4");
        })) << "Tab to the next part";
        BoxOnTheIpPage(wizard, reader);
    });
}

// The system menu and the About box it opens, by the keyboard alone.
TEST_F(FrameTest, TheMenuAndTheAboutBoxAnswerTheKeyboard)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        bool aboutClosed = false;
        WhenModal<AboutDialog>([&](AboutDialog& about) {
            QCoreApplication::processEvents();
            ASSERT_TRUE(about.isAncestorOf(QApplication::focusWidget())) << "the box has no focus";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            aboutClosed = !about.isVisible();
        });
        auto* poll = new QTimer(&wizard);
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                poll->deleteLater();
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        });
        poll->start(5);
        QWidget* start = wizard.Main().Control(MainPage::IDC_START);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, start->rect().center(),
                                  start->mapToGlobal(start->rect().center()));
        QApplication::sendEvent(start, &menuKey);
        EXPECT_TRUE(aboutClosed) << "About did not open from the menu or did not close on Return";
    });
}
