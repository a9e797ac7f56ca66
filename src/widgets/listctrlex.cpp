// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/listctrlex.h"

#include "widgets/listcells.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace trek {

namespace {

constexpr int ItemDataRole = Qt::UserRole;

Qt::Alignment WithVerticalCentre(Qt::Alignment alignment)
{
    if ((alignment & Qt::AlignVertical_Mask) == 0) {
        alignment |= Qt::AlignVCenter;
    }
    return alignment;
}

} // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTableWidget(parent)
{
    setItemPrototype(NewListCell());
    setItemDelegate(NewListCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    FitRowHeight();

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    ShowSortState();
    connect(header, &QHeaderView::sectionClicked, this, &CListCtrlEx::OnHeaderClicked);
}

void CListCtrlEx::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitRowHeight();
    }
}

void CListCtrlEx::FitRowHeight()
{
    // One line of text with a little air, as a list shows it; the style's default is roomier.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void CListCtrlEx::SetGridLines(bool on)
{
    setShowGrid(on);
}

bool CListCtrlEx::HasCell(int row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

QTableWidgetItem* CListCtrlEx::NewCell(quintptr value) const
{
    QTableWidgetItem* cell = itemPrototype()->clone();
    if (value != 0) {
        cell->setData(ItemDataRole, QVariant::fromValue(value));
    }
    return cell;
}

int CListCtrlEx::InsertColumn(int index, const QString& title, Qt::Alignment alignment, int widthPx)
{
    if (index < 0) {
        return -1;
    }
    index = std::min(index, columnCount());
    insertColumn(index);
    auto* heading = new QTableWidgetItem(title);
    heading->setTextAlignment(WithVerticalCentre(alignment));
    setHorizontalHeaderItem(index, heading);
    setColumnWidth(index, widthPx);
    for (int row = 0; row < rowCount(); ++row) {
        setItem(row, index, NewCell(GetItemData(row)));
    }
    if (m_sortColumn >= index) {
        ++m_sortColumn;
        ShowSortState();
    }
    return index;
}

bool CListCtrlEx::DeleteColumn(int index)
{
    if (index < 0 || index >= columnCount()) {
        return false;
    }
    removeColumn(index);
    if (m_sortColumn == index) {
        ForgetSort();
    } else if (m_sortColumn > index) {
        --m_sortColumn;
        ShowSortState();
    }
    return true;
}

int CListCtrlEx::GetColumnCount() const
{
    return columnCount();
}

int CListCtrlEx::InsertItem(int index, const QString& text)
{
    if (index < 0 || columnCount() == 0) {
        return -1;
    }
    ForgetSort();
    index = std::min(index, rowCount());
    insertRow(index);
    for (int column = 0; column < columnCount(); ++column) {
        setItem(index, column, NewCell(0));
    }
    item(index, 0)->setText(text);
    return index;
}

bool CListCtrlEx::SetItemText(int row, int column, const QString& text)
{
    if (!HasCell(row, column)) {
        return false;
    }
    ForgetSort();
    item(row, column)->setText(text);
    return true;
}

QString CListCtrlEx::GetItemText(int row, int column) const
{
    const QTableWidgetItem* cell = HasCell(row, column) ? item(row, column) : nullptr;
    return cell != nullptr ? cell->text() : QString();
}

bool CListCtrlEx::DeleteItem(int row)
{
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    removeRow(row);
    return true;
}

int CListCtrlEx::DeleteAllItems()
{
    const int removed = rowCount();
    setUpdatesEnabled(false);
    setRowCount(0);
    setUpdatesEnabled(true);
    return removed;
}

void CListCtrlEx::SetRows(const std::vector<ListRow>& rows)
{
    ForgetSort();
    DeleteAllItems();
    if (columnCount() == 0) {
        return; // a row needs a cell to hold its data
    }
    setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const ListRow& values = rows.at(static_cast<std::size_t>(row));
        for (int column = 0; column < columnCount(); ++column) {
            QTableWidgetItem* cell = NewCell(values.data);
            cell->setText(values.texts.value(column));
            if (values.background.isValid()) {
                cell->setData(Qt::BackgroundRole, values.background);
            }
            setItem(row, column, cell);
        }
    }
}

int CListCtrlEx::GetItemCount() const
{
    return rowCount();
}

int CListCtrlEx::GetSelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void CListCtrlEx::SelectRow(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

void CListCtrlEx::SetItemData(int row, quintptr value)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    for (int column = 0; column < columnCount(); ++column) {
        if (QTableWidgetItem* cell = item(row, column)) {
            cell->setData(ItemDataRole, QVariant::fromValue(value));
        }
    }
}

quintptr CListCtrlEx::GetItemData(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return 0;
    }
    for (int column = 0; column < columnCount(); ++column) {
        if (const QTableWidgetItem* cell = item(row, column)) {
            return cell->data(ItemDataRole).value<quintptr>();
        }
    }
    return 0;
}

void CListCtrlEx::SetCellColour(int row, int column, int role, const QColor& colour, bool redraw)
{
    const bool allRows = row < 0 || row >= rowCount();
    const bool allColumns = column < 0 || column >= columnCount();
    const int firstRow = allRows ? 0 : row;
    const int endRow = allRows ? rowCount() : row + 1;
    const int firstColumn = allColumns ? 0 : column;
    const int endColumn = allColumns ? columnCount() : column + 1;
    const QVariant value = colour.isValid() ? QVariant(colour) : QVariant();
    for (int r = firstRow; r < endRow; ++r) {
        for (int c = firstColumn; c < endColumn; ++c) {
            if (QTableWidgetItem* cell = item(r, c)) {
                cell->setData(role, value);
            }
        }
    }
    if (redraw) {
        viewport()->repaint();
    }
}

QColor CListCtrlEx::CellColour(int row, int column, int role) const
{
    if (!HasCell(row, column)) {
        return {};
    }
    const QTableWidgetItem* cell = item(row, column);
    const QVariant value = cell != nullptr ? cell->data(role) : QVariant();
    if (value.isValid()) {
        return value.value<QColor>();
    }
    return palette().color(role == Qt::BackgroundRole ? QPalette::Base : QPalette::Text);
}

void CListCtrlEx::SetCellBackground(int row, int column, const QColor& colour, bool redraw)
{
    SetCellColour(row, column, Qt::BackgroundRole, colour, redraw);
}

void CListCtrlEx::SetCellTextColor(int row, int column, const QColor& colour, bool redraw)
{
    SetCellColour(row, column, Qt::ForegroundRole, colour, redraw);
}

QColor CListCtrlEx::CellBackground(int row, int column) const
{
    return CellColour(row, column, Qt::BackgroundRole);
}

QColor CListCtrlEx::CellTextColor(int row, int column) const
{
    return CellColour(row, column, Qt::ForegroundRole);
}

void CListCtrlEx::SortByColumn(int column, bool ascending)
{
    if (column < 0 || column >= columnCount()) {
        return;
    }
    m_sortColumn = column;
    m_sortAscending = ascending;
    // The model's sort is stable and moves the selection and the current cell with their rows.
    sortItems(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    ShowSortState();
    emit rowsSorted(column, ascending);
}

void CListCtrlEx::OnHeaderClicked(int column)
{
    SortByColumn(column, !(column == m_sortColumn && m_sortAscending));
}

void CListCtrlEx::ForgetSort()
{
    m_sortColumn = -1;
    m_sortAscending = true;
    ShowSortState();
}

void CListCtrlEx::ShowSortState()
{
    // The header flips its own arrow on a click before telling us; ours is the one that counts.
    horizontalHeader()->setSortIndicator(m_sortColumn, m_sortAscending ? Qt::AscendingOrder
                                                                       : Qt::DescendingOrder);
}

} // namespace trek
