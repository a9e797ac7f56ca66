// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;
class QStyledItemDelegate;
class QTableWidgetItem;

namespace trek {

// The cells of CListCtrlEx: they sort by the list's cell comparison, parsing each text once per
// sort, and cannot be edited. A cell with a background and no text colour of its own answers
// a text colour that reads on that background.
QTableWidgetItem* NewListCell();

// Aligns every cell as its column's title and shows a clipped cell's whole text as a tool tip.
QStyledItemDelegate* NewListCellDelegate(QObject* parent);

} // namespace trek
