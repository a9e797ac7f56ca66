// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/namedcombobox.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace trek {

namespace {

class NamedComboBoxAccessible final : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(CNamedComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text type) const override
    {
        switch (type) {
        case QAccessible::Name:
            return box()->accessibleName().isEmpty() ? box()->currentText()
                                                     : box()->accessibleName();
        case QAccessible::Value:
            return box()->currentText();
        default:
            return QAccessibleWidget::text(type);
        }
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    CNamedComboBox* box() const { return static_cast<CNamedComboBox*>(widget()); }
};

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CNamedComboBox::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new NamedComboBoxAccessible(static_cast<CNamedComboBox*>(object));
    }
    return nullptr;
}

} // namespace

CNamedComboBox::CNamedComboBox(QWidget* parent) : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&CreateAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace trek
