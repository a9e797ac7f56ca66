// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/completionbox.h"

#include "app/currentlanguage.h"
#include "widgets/pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trek {

CCompletionBox::CCompletionBox(const QString& message, int mission, QWidget* parent)
    : QDialog(parent),
      m_bitmapId(mission == 2 ? pictures::TrophyMissionB : pictures::TrophyMissionA)
{
    setWindowTitle(GetLangText(TextRow::Congratulation));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont boxFont(QStringLiteral("Arial"));
    boxFont.setPointSize(16);
    setFont(boxFont);

    m_picture = new QLabel(this);
    const int side = QFontMetrics(boxFont).height() * 3;
    const qreal ratio = devicePixelRatioF();
    QPixmap trophy =
        pictures::LoadPicture(m_bitmapId, QSize(qRound(side * ratio), qRound(side * ratio)));
    trophy.setDevicePixelRatio(ratio);
    m_picture->setPixmap(trophy);
    m_picture->setAccessibleName(mission == 2 ? tr("Trophy of mission B")
                                              : tr("Trophy of mission A"));

    m_message = new QLabel(message, this);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addWidget(m_message, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString CCompletionBox::Message() const
{
    return m_message->text();
}

int CCompletionBox::DoModal()
{
    exec();
    return 1;
}

} // namespace trek
