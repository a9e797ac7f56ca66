// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ui/summarypage.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "reports/lifetimereset.h"
#include "reports/lifetimesummary.h"
#include "trends/trendtexts.h"
#include "trends/ui/trendsdlg.h"
#include "widgets/pictures.h"
#include "widgets/pictureview.h"
#include "widgets/valuelabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace trek {

namespace {

// The platform generation that has a picture of its own.
constexpr int AltPictureGeneration = 7;

constexpr std::array<const char*, 4> LineNames{"steps", "distance", "time", "calories"};

} // namespace

CSummaryPage::CSummaryPage(QWidget* parent) : CTabPage(parent)
{
    setObjectName(QStringLiteral("dayLifePage"));
    auto* frame = new QGroupBox(this);
    QFont larger = frame->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    frame->setFont(larger);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);

    m_picture = new CPictureView(frame);
    m_picture->SetPicture(appState().platformGeneration == AltPictureGeneration
                              ? pictures::LifetimeWalkAlt
                              : pictures::LifetimeWalk);
    m_picture->setMinimumSize(160, 135);

    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(16);
    figures->setVerticalSpacing(10);
    for (std::size_t line = 0; line < m_captions.size(); ++line) {
        m_captions.at(line) = new QLabel(frame);
        m_values.at(line) = new CValueLabel(frame);
        m_values.at(line)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_values.at(line)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_values.at(line)->setObjectName(
            QStringLiteral("%1Value").arg(QLatin1String(LineNames.at(line))));
        m_captions.at(line)->setBuddy(m_values.at(line));
        figures->addWidget(m_captions.at(line), static_cast<int>(line), 0);
        figures->addWidget(m_values.at(line), static_cast<int>(line), 1);
    }
    m_reset = new QPushButton(frame);
    m_reset->setObjectName(QStringLiteral("resetButton"));
    m_reset->setAutoDefault(false);
    figures->addWidget(m_reset, static_cast<int>(m_captions.size()), 1, Qt::AlignRight);
    m_trends = new QPushButton(frame);
    m_trends->setObjectName(QStringLiteral("trendsButton"));
    m_trends->setAutoDefault(false);
    figures->addWidget(m_trends, static_cast<int>(m_captions.size()), 0, Qt::AlignLeft);
    figures->setColumnStretch(1, 1);

    auto* inside = new QHBoxLayout(frame);
    inside->setContentsMargins(24, 24, 32, 24);
    inside->setSpacing(32);
    inside->addWidget(m_picture, 0, Qt::AlignVCenter);
    inside->addLayout(figures, 1);
    inside->setAlignment(figures, Qt::AlignVCenter);

    connect(m_reset, &QPushButton::clicked, this, &CSummaryPage::OnReset);
    connect(m_trends, &QPushButton::clicked, this, &CSummaryPage::OpenTrends);
    Fill();
}

void CSummaryPage::Fill()
{
    const std::array<SummaryLine, 4> lines = CurrentLifetimeSummary();
    for (std::size_t line = 0; line < lines.size(); ++line) {
        m_captions.at(line)->setText(lines.at(line).caption);
        m_values.at(line)->setAccessibleName(lines.at(line).caption);
        m_values.at(line)->SetValue(lines.at(line).value);
    }
    m_reset->setText(GetLangText(TextRow::ResetZero));
    m_trends->setText(TrendLangText(TrendText::OpenButton));
}

void CSummaryPage::OpenTrends()
{
    const QDate selected = appState().selectedDate;
    CTrendsDlg dialog(selected.isValid() ? selected : QDate::currentDate(), this);
    dialog.exec();
}

void CSummaryPage::OnReset()
{
    // The question says where the months go, so it is settled before it is asked.
    const StoreDisposal disposal = CurrentStoreDisposal();
    const QString question =
        GetLangText(TextRow::ConfirmClearAll) + u'\n' +
        GetLangText(disposal == StoreDisposal::Trash ? TextRow::GoesToTrash : TextRow::GoesForGood);
    if (!appState().values.autoConfirm &&
        user().askYesNo(GetLangText(TextRow::Start), question) != UserInterface::Yes) {
        return;
    }
    const Result<LifetimeResetOutcome> outcome = ResetLifetime(disposal);
    if (!outcome) {
        user().setStatusText(outcome.error());
        return;
    }
    Fill();
    if (const QString failure = DescribeResetFailure(*outcome); !failure.isEmpty()) {
        user().setStatusText(failure);
    }
    // Every page shows the emptied store at once, the report tab included.
    user().notifyDataChanged();
}

QString CSummaryPage::CaptionText(int line) const
{
    return m_captions.at(static_cast<std::size_t>(line))->text();
}

QString CSummaryPage::ValueText(int line) const
{
    return m_values.at(static_cast<std::size_t>(line))->text();
}

} // namespace trek
