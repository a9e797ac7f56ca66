// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/yesnobox.h"

#include "widgets/pictures.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trek {

CYesNoBox::CYesNoBox(const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont boxFont(QStringLiteral("Arial"));
    boxFont.setPointSize(12);
    setFont(boxFont);

    auto* picture = new QLabel(this);
    const QFontMetrics metrics(boxFont);
    const int side = metrics.height() * 3;
    const qreal ratio = devicePixelRatioF();
    QPixmap box = pictures::LoadPicture(pictures::ProgramBox,
                                        QSize(qRound(side * ratio), qRound(side * ratio)));
    box.setDevicePixelRatio(ratio);
    picture->setPixmap(box);
    picture->setAccessibleName(tr("Program box"));

    m_message = new QLabel(message, this);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_yes = new QPushButton(this);
    m_no = new QPushButton(this);
    SetButtonTexts();
    // No is the default button: Enter answers No unless the person moves the focus on purpose.
    m_no->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, [this] { done(Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(No); });

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(m_message, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setTabOrder(m_no, m_yes);
}

void CYesNoBox::SetButtonTexts()
{
    // Qt's own words for its standard buttons, in the language of its installed translations.
    m_yes->setText(QCoreApplication::translate("QPlatformTheme", "&Yes"));
    m_no->setText(QCoreApplication::translate("QPlatformTheme", "&No"));
}

void CYesNoBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        SetButtonTexts();
    }
}

QString CYesNoBox::Message() const
{
    return m_message->text();
}

void CYesNoBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_no->setFocus(Qt::OtherFocusReason);
    raise();
    activateWindow();
}

int CYesNoBox::DoModal()
{
    const int result = exec();
    // Escape and the close box reject the dialog; that counts as closed, not as an answer.
    return result == QDialog::Rejected ? Closed : result;
}

} // namespace trek
