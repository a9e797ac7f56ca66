// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QTableWidget>
#include <QtGlobal>
#include <vector>

namespace trek {

// One row of a list filled at once: a text per column, the data value and the background.
struct ListRow
{
    QStringList texts;
    quintptr data = 0;
    QColor background;
};

// The program's table list: one selected row at a time, whole rows selected, no editing, a text
// and a background colour for every single cell, and sorting by a click on a column header with
// a comparison that knows numbers and dates (widgets/cellcompare.h). A clipped cell shows its
// whole text as a tool tip.
//
// Built on QTableWidget rather than QTreeWidget: a table has grid lines of its own, a cell item
// per column that carries its colours with it when the rows are sorted, and screen readers see
// it as a table with column headers.
//
// Every row keeps its caller's data value in each of its cells, so the value survives the
// deletion of any column and moves with the row through a sort, like the cells' colours. The
// selected row stays the selected row record after a sort.
//
// Rows have no icons: nothing in the program shows pictures in a list.
//
// The accessible name is left to the owner, who knows what the list shows.
class CListCtrlEx final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CListCtrlEx)
public:
    explicit CListCtrlEx(QWidget* parent = nullptr);

    void SetGridLines(bool on);

    // Returns the new column's index, or -1 for a negative index; an index past the end appends.
    // The width is in logical pixels. Every row gets a cell with the default colours there.
    int InsertColumn(int index, const QString& title, Qt::Alignment alignment, int widthPx);
    bool DeleteColumn(int index);
    int GetColumnCount() const;

    // Inserts a row with the text in column 0 and empty cells elsewhere and forgets the sort.
    // Returns the new row's index, or -1 for a negative index or a list without columns; an index
    // past the end appends.
    int InsertItem(int index, const QString& text);
    // Forgets the sort, which the new text may break.
    bool SetItemText(int row, int column, const QString& text);
    // Empty for a cell outside the list.
    QString GetItemText(int row, int column) const;
    bool DeleteItem(int row);
    // Returns the number of rows removed.
    int DeleteAllItems();
    // Replaces every row with `rows` and forgets the sort. The same as deleting all items and
    // inserting each row, setting its texts, data and background, at a fraction of the cost:
    // each cell is made whole before it goes in.
    void SetRows(const std::vector<ListRow>& rows);
    int GetItemCount() const;

    // -1 when no row is selected.
    int GetSelectedRow() const;
    // A row outside the list clears the selection.
    void SelectRow(int row);

    void SetItemData(int row, quintptr value);
    // 0 for a row outside the list or a row whose data was never set.
    quintptr GetItemData(int row) const;

    // A row outside the list means every row, a column outside the list every column. An invalid
    // colour gives the cells back the palette's colour. A cell with a background of its own and
    // no text colour set is drawn in black, or in a colour that reads on its background. Each
    // change is drawn at the next pass of the event loop anyway; redraw draws the whole list before
    // returning.
    void SetCellBackground(int row, int column, const QColor& colour, bool redraw);
    void SetCellTextColor(int row, int column, const QColor& colour, bool redraw);
    // The colour an unselected cell is drawn with (the palette's when none was set); invalid for
    // a cell outside the list. A selected row is drawn in the palette's highlight colours.
    QColor CellBackground(int row, int column) const;
    QColor CellTextColor(int row, int column) const;

    // Does nothing for a column outside the list.
    void SortByColumn(int column, bool ascending);
    // -1 when the rows are in no known order.
    int SortColumn() const { return m_sortColumn; }
    bool SortAscending() const { return m_sortAscending; }

    // QTableWidget::cellClicked(int row, int column) is the click notice: a left click released
    // on the cell it was pressed on.

signals:
    void rowsSorted(int column, bool ascending);

protected:
    void changeEvent(QEvent* event) override;

private:
    void OnHeaderClicked(int column);
    void ForgetSort();
    void ShowSortState();
    void FitRowHeight();
    bool HasCell(int row, int column) const;
    QTableWidgetItem* NewCell(quintptr value) const;
    void SetCellColour(int row, int column, int role, const QColor& colour, bool redraw);
    QColor CellColour(int row, int column, int role) const;

    int m_sortColumn = -1;
    bool m_sortAscending = true;
};

} // namespace trek
