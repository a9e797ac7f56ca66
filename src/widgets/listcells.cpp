// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/listcells.h"

#include "widgets/cellcompare.h"
#include "widgets/readablecolour.h"

#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidgetItem>
#include <QToolTip>
#include <optional>

namespace trek {

namespace {

// A cell that sorts by the list's comparison and remembers how its text reads, so that a sort
// parses each text once. A cell given a background and no text colour is drawn in black, or in
// whatever reads on that background.
class CellItem final : public QTableWidgetItem
{
public:
    CellItem() : QTableWidgetItem(QTableWidgetItem::UserType)
    {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }

    QTableWidgetItem* clone() const override { return new CellItem(*this); }

    void setData(int role, const QVariant& value) override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            m_key.reset();
        }
        QTableWidgetItem::setData(role, value);
    }

    QVariant data(int role) const override
    {
        QVariant value = QTableWidgetItem::data(role);
        if (role == Qt::ForegroundRole && !value.isValid()) {
            // A fixed background under the palette's text colour is unreadable in a scheme of
            // the other brightness: such a cell takes a fixed text colour that reads on it.
            const QVariant background = QTableWidgetItem::data(Qt::BackgroundRole);
            if (background.canConvert<QColor>()) {
                return QColor(ReadableOn(background.value<QColor>(), Qt::black));
            }
        }
        return value;
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        const QLocale locale = tableWidget() != nullptr ? tableWidget()->locale() : QLocale();
        const auto* cell = dynamic_cast<const CellItem*>(&other);
        const CellSortKey otherKey =
            cell != nullptr ? cell->key(locale) : MakeCellSortKey(other.text(), locale);
        return CompareCellSortKeys(key(locale), otherKey) < 0;
    }

private:
    CellItem(const CellItem& other) = default;

    const CellSortKey& key(const QLocale& locale) const
    {
        if (!m_key || m_keyLocale != locale) {
            m_key = MakeCellSortKey(text(), locale);
            m_keyLocale = locale;
        }
        return *m_key;
    }

    mutable std::optional<CellSortKey> m_key;
    mutable QLocale m_keyLocale;
};

// Aligns every cell as its column's title and shows a clipped cell's whole text as a tool tip.
class CellDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid() ||
            index.data(Qt::ToolTipRole).isValid()) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty() && isClipped(view, option, index)) {
            QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant alignment =
            index.model()->headerData(index.column(), Qt::Horizontal, Qt::TextAlignmentRole);
        if (alignment.isValid()) {
            option->displayAlignment = Qt::Alignment::fromInt(alignment.toInt());
        }
    }

private:
    bool isClipped(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const
    {
        // The table draws a cell one pixel narrower than its rectangle when it shows the grid.
        const auto* table = qobject_cast<const QTableView*>(view);
        const int grid = table != nullptr && table->showGrid() ? 1 : 0;
        return sizeHint(option, index).width() > option.rect.width() - grid;
    }
};

} // namespace

QTableWidgetItem* NewListCell()
{
    return new CellItem;
}

QStyledItemDelegate* NewListCellDelegate(QObject* parent)
{
    return new CellDelegate(parent);
}

} // namespace trek
