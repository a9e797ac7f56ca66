// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/valuelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>

namespace trek {

namespace {

// Read-only text: the figure, with no selection and the caret at its start.
class ValueLabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ValueLabelAccessible(CValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        switch (type) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? value() : widget()->accessibleName();
        case QAccessible::Value:
            return value();
        default:
            return QAccessibleWidget::text(type);
        }
    }

    void selection(int /*index*/, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int /*start*/, int /*end*/) override {}
    void removeSelection(int /*index*/) override {}
    void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QString text(int start, int end) const override
    {
        const QString shown = value();
        start = std::clamp(start, 0, static_cast<int>(shown.size()));
        end = end < 0 ? static_cast<int>(shown.size())
                      : std::clamp(end, start, static_cast<int>(shown.size()));
        return shown.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(value().size()); }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QString value() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CValueLabel::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new ValueLabelAccessible(static_cast<CValueLabel*>(object));
    }
    return nullptr;
}

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&CreateAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace

CValueLabel::CValueLabel(QWidget* parent) : QLabel(parent)
{
    InstallAccessibility();
}

void CValueLabel::SetValue(const QString& value)
{
    if (value == text()) {
        return;
    }
    setText(value);
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
}

} // namespace trek
