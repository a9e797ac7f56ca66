// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/textprogressbaraccessible.h"

#include "widgets/textprogressbar.h"

#include <QAccessibleWidget>

namespace trek {

namespace {

class TextProgressBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TextProgressBarAccessible(CTextProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        const CTextProgressBar* progress = bar();
        switch (type) {
        case QAccessible::Value:
            // Only what a person sees: no text while the bar draws none.
            return progress->ShowText() && progress->Maximum() > progress->Minimum()
                       ? progress->DisplayedText()
                       : QString();
        case QAccessible::Name:
            if (progress->accessibleName().isEmpty()) {
                return progress->ShowText() ? progress->DisplayedText() : QString();
            }
            return progress->accessibleName();
        default:
            return QAccessibleWidget::text(type);
        }
    }

    QVariant currentValue() const override { return bar()->GetPos(); }
    // The position belongs to the program, not to the person.
    void setCurrentValue(const QVariant& /*value*/) override {}
    QVariant maximumValue() const override { return bar()->Maximum(); }
    QVariant minimumValue() const override { return bar()->Minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    CTextProgressBar* bar() const { return static_cast<CTextProgressBar*>(widget()); }
};

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CTextProgressBar::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new TextProgressBarAccessible(static_cast<CTextProgressBar*>(object));
    }
    return nullptr;
}

} // namespace

void InstallTextProgressBarAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&CreateAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace trek
