#include "pages/tooltip_combo_box.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ComboFixture
{
    explicit ComboFixture(int items, const QString& name = QStringLiteral("(GMT+%1) Zone %1"))
    {
        window.resize(400, 300);
        combo = new TooltipComboBox(&window);
        combo->setGeometry(200, 20, 200, 24);
        for (int i = 0; i < items; ++i)
            combo->addItem(name.arg(i));
        window.show();
        combo->setCurrentIndex(items > 2 ? 2 : 0);
    }

    TooltipListView* List() { return combo->List(); }
    QPoint RowCentre(int row) { return List()->visualRect(List()->model()->index(row, 0)).center(); }

    QWidget window;
    TooltipComboBox* combo;
};

} // namespace

TEST(TooltipComboBox, NamesWiderThanTheListAreShownWholeInAListGrownToTheLeft)
{
    ComboFixture f(20, QStringLiteral("(GMT+%1:00) L\u00EDnea internacional de cambio de fecha"));
    f.combo->SetDroppedSize(200, f.combo->height() + 6 * f.List()->RowHeight());
    f.combo->OpenList();
    int widest = 0;
    for (int i = 0; i < f.combo->count(); ++i)
        widest = std::max(widest, f.List()->visualRect(f.List()->model()->index(i, 0)).width());
    EXPECT_GE(f.List()->viewport()->width(), widest) << "no row is cut";
    EXPECT_GT(f.List()->width(), 200);
    // Its right edge stays under the combo box's, so it grows over the page, not past it.
    EXPECT_EQ(f.List()->geometry().right(), f.combo->mapToGlobal(QPoint(199, 0)).x());
    // The closed control cuts the name short and its tooltip shows it whole.
    EXPECT_EQ(f.combo->ShownTip(), f.combo->currentText());
    f.combo->SetTipText(QStringLiteral("own tip"));
    EXPECT_EQ(f.combo->ShownTip(), QStringLiteral("own tip"));
    ComboFixture fits(3);
    EXPECT_TRUE(fits.combo->ShownTip().isEmpty()) << "a name that fits needs no tooltip";
}

TEST(TooltipComboBox, ItemTipsAreStoredOnlyForExistingItemsAndCut)
{
    ComboFixture f(3);
    EXPECT_EQ(f.combo->SetItemTip(1, QStringLiteral("second")), 1);
    EXPECT_EQ(f.combo->SetItemTip(3, QStringLiteral("past the end")), -1);
    EXPECT_EQ(f.combo->SetItemTip(-1, QStringLiteral("before the start")), -1);
    EXPECT_EQ(f.List()->ItemTip(1), QStringLiteral("second"));
    EXPECT_TRUE(f.List()->ItemTip(3).isEmpty());
    EXPECT_TRUE(f.List()->ItemTip(0).isEmpty()) << "items without a tip show an empty one";

    f.combo->SetItemTip(2, QString(100, QLatin1Char('x')));
    EXPECT_EQ(f.List()->ItemTip(2).size(), 80);
    f.combo->SetTipText(QString(79, QLatin1Char('y')) + QStringLiteral("\U0001F600"));
    EXPECT_EQ(f.combo->TipText(), QString(79, QLatin1Char('y'))) << "no half of a surrogate pair";
}

TEST(TooltipComboBox, ListHeightIsWholeRowsPlusFourPixels)
{
    struct Case
    {
        const char* name;
        int items;
        double heightInRows;
        int rowsShown;
        bool scrollBar;
    };
    const Case cases[] = {
        {"more items than fit", 30, 5.5, 5, true},
        {"fewer items", 3, 8, 3, false},
        {"exactly enough room", 4, 4, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComboFixture f(c.items);
        const int row = f.List()->RowHeight();
        f.combo->SetDroppedSize(200, f.combo->height() + static_cast<int>(c.heightInRows * row));
        QTest::mouseClick(f.combo, Qt::LeftButton);
        ASSERT_TRUE(f.combo->IsListOpen());
        EXPECT_EQ(f.List()->height(), c.rowsShown * row + 4);
        EXPECT_EQ(f.List()->width(), 200);
        EXPECT_EQ(f.List()->verticalScrollBar()->isVisible(), c.scrollBar);
        EXPECT_EQ(f.List()->geometry().topLeft(), f.combo->mapToGlobal(QPoint(0, f.combo->height())));
        QTest::mouseClick(f.combo, Qt::LeftButton);
        EXPECT_FALSE(f.combo->IsListOpen()) << "a second press closes it";
    }
}

TEST(TooltipComboBox, EscapeRestoresTheSelectionAndAClickPicksQuietly)
{
    ComboFixture f(6);
    QSignalSpy changed(f.combo, &QComboBox::currentIndexChanged);
    f.combo->OpenList();
    EXPECT_EQ(f.List()->currentIndex().row(), 2) << "opens on the selection";
    QTest::mouseMove(f.List()->viewport(), f.RowCentre(4));
    EXPECT_EQ(f.List()->currentIndex().row(), 4) << "the pointer selects";
    QTest::keyClick(f.List(), Qt::Key_Escape);
    EXPECT_FALSE(f.combo->IsListOpen());
    EXPECT_EQ(f.combo->currentIndex(), 2);

    f.combo->OpenList();
    QTest::mouseClick(f.List()->viewport(), Qt::LeftButton, {}, f.RowCentre(5));
    EXPECT_FALSE(f.combo->IsListOpen());
    EXPECT_EQ(f.combo->currentIndex(), 5);

    f.combo->OpenList();
    QTest::keyClick(f.List(), Qt::Key_Left); // acts as Up
    QTest::keyClick(f.List(), Qt::Key_Return);
    EXPECT_EQ(f.combo->currentIndex(), 4);
    EXPECT_EQ(changed.count(), 0) << "the page is not told of the change";

    QTest::keyClick(f.combo, Qt::Key_F4);
    EXPECT_TRUE(f.combo->IsListOpen()) << "the keyboard opens the list a click opens";
    QTest::keyClick(f.List(), Qt::Key_Escape);
    EXPECT_FALSE(f.combo->IsListOpen());
}

TEST(TooltipComboBox, TooltipIsThatOfTheSelectedItem)
{
    ComboFixture f(4);
    f.combo->SetItemTip(1, QStringLiteral("Zone one, in full"));
    f.combo->OpenList();
    QTest::mouseMove(f.List()->viewport(), f.RowCentre(1));
    EXPECT_EQ(f.List()->ToolTipAt(f.RowCentre(1)), QStringLiteral("Zone one, in full"));
    QTest::mouseMove(f.List()->viewport(), f.RowCentre(3));
    EXPECT_TRUE(f.List()->ToolTipAt(f.RowCentre(3)).isEmpty());
    f.List()->clearSelection();
    EXPECT_TRUE(f.List()->ToolTipAt(f.RowCentre(1)).isEmpty()) << "no selected item, no tool";
    f.combo->CloseList();
}

TEST(TooltipComboBox, EmptyComboOpensAnEmptyList)
{
    ComboFixture f(0);
    f.combo->SetDroppedSize(200, 0);
    f.combo->OpenList();
    EXPECT_EQ(f.List()->height(), 4);
    f.combo->CloseList();
    EXPECT_EQ(f.combo->currentIndex(), -1);
}
