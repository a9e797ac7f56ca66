// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/listctrlex.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QColor Red(220, 40, 40);
const QColor Green(40, 200, 40);
const QColor Blue(40, 40, 220);
const QColor Yellow(250, 240, 60);

// Three rows in no order, each with its own background and data value:
//   "b"  "   10"  "2026/01/10"   red    100
//   "c"  "   9"   "2026/01/09"   green  101
//   "a"  "  100"  "2026/01/11"   blue   102
class ListCtrlExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(360, 160);
        list.InsertColumn(0, u"Name"_qs, Qt::AlignLeft, 80);
        list.InsertColumn(1, u"Steps"_qs, Qt::AlignRight, 80);
        list.InsertColumn(2, u"Date"_qs, Qt::AlignHCenter, 120);
        const QStringList rows[] = {{u"b"_qs, u"   10"_qs, u"2026/01/10"_qs},
                                    {u"c"_qs, u"   9"_qs, u"2026/01/09"_qs},
                                    {u"a"_qs, u"  100"_qs, u"2026/01/11"_qs}};
        const QColor colours[] = {Red, Green, Blue};
        for (int row = 0; row < 3; ++row) {
            ASSERT_EQ(list.InsertItem(row, rows[row].at(0)), row);
            list.SetItemText(row, 1, rows[row].at(1));
            list.SetItemText(row, 2, rows[row].at(2));
            list.SetCellBackground(row, -1, colours[row], false);
            list.SetItemData(row, 100 + row);
        }
    }

    QStringList column(int index) const
    {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            texts.append(list.GetItemText(row, index));
        }
        return texts;
    }

    void show()
    {
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    void clickHeader(int section)
    {
        QHeaderView* header = list.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QImage picture()
    {
        return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    CListCtrlEx list;
};

TEST_F(ListCtrlExTest, SortMovesColoursDataAndSelectionWithTheirRows)
{
    list.SetCellTextColor(1, 2, Yellow, false);
    list.SelectRow(0); // "b"
    QSignalSpy sorted(&list, &CListCtrlEx::rowsSorted);

    list.SortByColumn(1, true);
    EXPECT_EQ(column(0), QStringList({u"c"_qs, u"b"_qs, u"a"_qs}));
    EXPECT_EQ(list.CellBackground(0, 0), Green);
    EXPECT_EQ(list.CellBackground(1, 2), Red);
    EXPECT_EQ(list.CellBackground(2, 1), Blue);
    EXPECT_EQ(list.CellTextColor(0, 2), Yellow);
    EXPECT_EQ(list.CellTextColor(1, 2), QColor(Qt::white)); // black would not read on its red
    EXPECT_EQ(list.GetItemData(0), 101U);
    EXPECT_EQ(list.GetItemData(2), 102U);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_TRUE(list.SortAscending());

    list.SortByColumn(2, false);
    EXPECT_EQ(column(0), QStringList({u"a"_qs, u"b"_qs, u"c"_qs}));
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_EQ(list.GetItemData(0), 102U);

    ASSERT_EQ(sorted.size(), 2);
    EXPECT_EQ(sorted.at(0), QVariantList({1, true}));
    EXPECT_EQ(sorted.at(1), QVariantList({2, false}));
}

TEST_F(ListCtrlExTest, SetRowsGivesTheSameListAsInsertingRowByRowAndForgetsTheSort)
{
    CListCtrlEx filled;
    for (int index = 0; index < list.GetColumnCount(); ++index) {
        filled.InsertColumn(index, list.horizontalHeaderItem(index)->text(), Qt::AlignLeft, 80);
    }
    filled.SetRows({{{u"x"_qs}, 7, Yellow}}); // replaced whole by the next fill
    filled.SortByColumn(0, true);
    std::vector<ListRow> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        QStringList texts;
        for (int index = 0; index < list.GetColumnCount(); ++index) {
            texts.append(list.GetItemText(row, index));
        }
        rows.push_back({texts, list.GetItemData(row), list.CellBackground(row, 0)});
    }
    filled.SetRows(rows);

    EXPECT_EQ(filled.SortColumn(), -1);
    ASSERT_EQ(filled.GetItemCount(), list.GetItemCount());
    for (int row = 0; row < list.GetItemCount(); ++row) {
        EXPECT_EQ(filled.GetItemData(row), list.GetItemData(row));
        for (int index = 0; index < list.GetColumnCount(); ++index) {
            EXPECT_EQ(filled.GetItemText(row, index), list.GetItemText(row, index));
            EXPECT_EQ(filled.CellBackground(row, index), list.CellBackground(row, index));
            EXPECT_EQ(filled.CellTextColor(row, index), list.CellTextColor(row, index));
        }
    }
}

TEST_F(ListCtrlExTest, HeaderClickSortsAscendingThenFlipsAndNewTextForgetsTheOrder)
{
    show();
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({u"   9"_qs, u"   10"_qs, u"  100"_qs}));
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({u"  100"_qs, u"   10"_qs, u"   9"_qs}));
    EXPECT_FALSE(list.SortAscending());
    EXPECT_EQ(list.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeader(0);
    EXPECT_EQ(column(0), QStringList({u"a"_qs, u"b"_qs, u"c"_qs}));
    EXPECT_EQ(list.SortColumn(), 0);
    EXPECT_TRUE(list.SortAscending());

    // The list no longer knows it is in order, so the same header sorts ascending again.
    list.SetItemText(0, 0, u"d"_qs);
    EXPECT_EQ(list.SortColumn(), -1);
    EXPECT_EQ(list.horizontalHeader()->sortIndicatorSection(), -1);
    clickHeader(0);
    EXPECT_EQ(column(0), QStringList({u"b"_qs, u"c"_qs, u"d"_qs}));

    clickHeader(0);
    ASSERT_EQ(list.SortColumn(), 0);
    EXPECT_FALSE(list.SortAscending());
    list.InsertItem(3, u"e"_qs);
    EXPECT_EQ(list.SortColumn(), -1);
    EXPECT_TRUE(list.SortAscending());
}

TEST_F(ListCtrlExTest, ColumnsTakeTheirColoursAlongAndOutOfRangeMeansAll)
{
    ASSERT_EQ(list.InsertColumn(0, u"New"_qs, Qt::AlignLeft, 40), 0);
    ASSERT_EQ(list.GetColumnCount(), 4);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.CellBackground(row, 0), list.palette().color(QPalette::Base)) << row;
        EXPECT_TRUE(list.GetItemText(row, 0).isEmpty());
    }
    EXPECT_EQ(list.CellBackground(0, 1), Red);
    EXPECT_EQ(list.GetItemText(0, 1), u"b"_qs);
    EXPECT_EQ(list.GetItemData(1), 101U);

    list.SetCellBackground(-1, 2, Yellow, true);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.CellBackground(row, 2), Yellow) << row;
    }
    EXPECT_EQ(list.CellBackground(1, 1), Green);
    EXPECT_EQ(list.CellBackground(1, 3), Green);

    // An invalid colour gives the cells back to the palette, here a whole row.
    list.SetCellBackground(2, 99, QColor(), false);
    EXPECT_EQ(list.CellBackground(2, 3), list.palette().color(QPalette::Base));
    EXPECT_EQ(list.CellBackground(1, 3), Green);

    // The data value lives on as long as one column does.
    ASSERT_TRUE(list.DeleteColumn(1));
    ASSERT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetItemData(2), 102U);
    EXPECT_FALSE(list.DeleteColumn(2));
}

TEST_F(ListCtrlExTest, ClickOnACellNamesItsRowAndColumnAndSelectsTheRow)
{
    show();
    QSignalSpy clicked(&list, &CListCtrlEx::cellClicked);
    const QRect cell = list.visualItemRect(list.item(2, 1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.at(0), QVariantList({2, 1}));
    EXPECT_EQ(list.GetSelectedRow(), 2);
}

TEST_F(ListCtrlExTest, ScreenReadersReadTheTitlesAndTheCellsInTheirShownOrder)
{
    list.SortByColumn(0, true);
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(view, nullptr);
    QAccessibleTableInterface* table = view->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->columnDescription(1), u"Steps"_qs);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            QAccessibleInterface* cell = table->cellAt(row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->text(QAccessible::Name), list.GetItemText(row, column))
                << row << "," << column;
        }
    }
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), u"a"_qs);
}

TEST_F(ListCtrlExTest, CellsShowTheirColoursTheSelectedRowTheHighlightAndGridLinesSeparate)
{
    show();
    list.SelectRow(1);
    const QRect plain = list.visualItemRect(list.item(0, 1));
    const QRect selected = list.visualItemRect(list.item(1, 1));
    // Near the left edge of a right-aligned column: no text there.
    const QPoint inPlain(plain.left() + 3, plain.center().y());
    const QPoint inSelected(selected.left() + 3, selected.center().y());
    const QPoint columnEdge(plain.right(), plain.center().y());

    QImage image = picture();
    EXPECT_EQ(image.pixelColor(inPlain), Red);
    const QPalette::ColorGroup group =
        list.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    EXPECT_EQ(image.pixelColor(inSelected), list.palette().color(group, QPalette::Highlight));
    EXPECT_EQ(image.pixelColor(columnEdge), Red);

    list.SetGridLines(true);
    image = picture();
    EXPECT_NE(image.pixelColor(columnEdge), Red);
    EXPECT_EQ(image.pixelColor(inPlain), Red);
}

TEST_F(ListCtrlExTest, OnlyAClippedCellShowsItsTextAsATip)
{
    show();
    list.SetItemText(0, 2, u"a text far too long for a column only 120 pixels wide"_qs);
    const auto tipAt = [this](int row, int column) {
        QToolTip::hideText(); // fades out after a while
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QPoint at = list.visualItemRect(list.item(row, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(0, 2), list.GetItemText(0, 2));
    EXPECT_EQ(tipAt(1, 2), QString());
}

} // namespace
} // namespace trek
