// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/advancedpage.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "app/useroptions.h"
#include "widgets/hoverbutton2.h"
#include "widgets/pictures.h"
#include "window/interfacelanguage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trek {

namespace {

// Room for "-2147483648" and a little more, so a long number is never cut.
constexpr int ThresholdDigits = 12;

} // namespace

CAdvancedPage::CAdvancedPage(QWidget* parent) : CTabPage(parent)
{
    setObjectName(QStringLiteral("userOptionPage"));
    BuildControls();
    SetTexts();
    ShowChoices();
    ShowThreshold();
}

void CAdvancedPage::BuildControls()
{
    auto* frame = new QGroupBox(this);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);

    // The languages: a radio and the language's own badge beside it, either one chooses.
    auto* languageGroup = new QButtonGroup(this);
    auto* languages = new QGridLayout;
    languages->setHorizontalSpacing(8);
    const int badgeHeight = fontMetrics().height() * 3 / 2;
    for (const Language& language : Languages) {
        const int index = language.index;
        const auto at = static_cast<std::size_t>(index);
        const QString ownName = language.ownName.toString();
        auto* radio = new QRadioButton(frame);
        radio->setObjectName(QStringLiteral("%1Radio").arg(language.code));
        radio->setAccessibleName(ownName);
        languageGroup->addButton(radio, index);
        auto* picture = new CHoverButton2(frame);
        picture->setObjectName(QStringLiteral("%1Picture").arg(language.code));
        picture->LoadBitmap(pictures::LanguageBadge(index));
        const QSize natural = pictures::NaturalSize(pictures::LanguageBadge(index));
        picture->setFixedSize(badgeHeight * natural.width() / natural.height(), badgeHeight);
        picture->setFocusPolicy(Qt::NoFocus); // the radio beside it takes the keyboard
        picture->setCursor(Qt::PointingHandCursor);
        picture->setAccessibleName(ownName);
        picture->setToolTip(ownName);
        connect(picture, &CHoverButton2::clicked, this, [this, index] { SetLanguage(index); });
        languages->addWidget(radio, index, 0);
        languages->addWidget(picture, index, 1, Qt::AlignLeft);
        m_languages.at(at) = radio;
        m_pictures.at(at) = picture;
    }
    connect(languageGroup, &QButtonGroup::idClicked, this, &CAdvancedPage::SetLanguage);

    auto* unitGroup = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        auto* radio = new QRadioButton(frame);
        radio->setObjectName(index == 0 ? QStringLiteral("metricRadio")
                                        : QStringLiteral("imperialRadio"));
        unitGroup->addButton(radio, index);
        m_units.at(static_cast<std::size_t>(index)) = radio;
    }
    connect(unitGroup, &QButtonGroup::idClicked, this, &CAdvancedPage::SetUnitMode);

    m_upgrade = new QCheckBox(frame);
    m_upgrade->setObjectName(QStringLiteral("upgradeCheck"));
    connect(m_upgrade, &QCheckBox::clicked, this, &CAdvancedPage::SetUpgradeCheck);
    m_autoConfirm = new QCheckBox(frame);
    m_autoConfirm->setObjectName(QStringLiteral("autoConfirmCheck"));
    connect(m_autoConfirm, &QCheckBox::clicked, this, &CAdvancedPage::SetAutoConfirm);

    auto* choices = new QVBoxLayout;
    choices->addWidget(m_units[0]);
    choices->addWidget(m_units[1]);
    choices->addSpacing(fontMetrics().height());
    choices->addWidget(m_upgrade);
    choices->addWidget(m_autoConfirm);

    auto* top = new QHBoxLayout;
    top->addLayout(languages);
    top->addStretch(1);
    top->addLayout(choices);
    top->addStretch(1);

    m_thresholdCaption = new QLabel(frame);
    m_thresholdCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_threshold = new QLineEdit(frame);
    m_threshold->setObjectName(QStringLiteral("slightMovingEdit"));
    m_threshold->setFixedWidth(m_threshold->fontMetrics().horizontalAdvance(u'0') *
                                   ThresholdDigits +
                               m_threshold->fontMetrics().height());
    m_thresholdCaption->setBuddy(m_threshold);
    m_thresholdUnit = new QLabel(frame);
    // Enter and leaving the box both finish the editing; Enter does nothing else on this page.
    connect(m_threshold, &QLineEdit::editingFinished, this, &CAdvancedPage::CommitThreshold);
    auto* threshold = new QHBoxLayout;
    threshold->addStretch(1);
    threshold->addWidget(m_thresholdCaption);
    threshold->addWidget(m_threshold);
    threshold->addWidget(m_thresholdUnit);
    threshold->addStretch(1);

    m_locale = new QLabel(frame);
    m_locale->setObjectName(QStringLiteral("localeLabel"));
    m_locale->setTextFormat(Qt::PlainText);
    m_locale->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_locale->setEnabled(false); // for information only

    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(24, 24, 24, 16);
    inside->setSpacing(fontMetrics().height());
    inside->addLayout(top);
    inside->addLayout(threshold);
    inside->addStretch(1);
    inside->addWidget(m_locale);
}

void CAdvancedPage::SetTexts()
{
    m_upgrade->setText(GetLangText(TextRow::EnableUpgradeCheck));
    m_autoConfirm->setText(GetLangText(TextRow::AutoConfirmed));
    m_thresholdCaption->setText(GetLangText(TextRow::SlightMove));
    m_thresholdUnit->setText(GetLangText(TextRow::StepsPerMinute));
    m_units[0]->setText(GetLangText(TextRow::MetricUnits));
    m_units[1]->setText(GetLangText(TextRow::ImperialUnits));
    m_threshold->setAccessibleName(GetLangText(TextRow::SlightMove).trimmed());
    m_threshold->setAccessibleDescription(GetLangText(TextRow::StepsPerMinute));

    QString locale;
    for (const OptionLine& line : LocaleLines()) {
        locale += u'\n' + line.caption + u'\t' + line.value;
    }
    m_locale->setText(locale);
}

void CAdvancedPage::ShowChoices()
{
    const AppState& state = appState();
    LanguageButton(state.language)->setChecked(true);
    UnitButton(state.values.unitMode)->setChecked(true);
    m_upgrade->setChecked(state.values.enableUpgrade);
    m_autoConfirm->setChecked(state.values.autoConfirm);
}

void CAdvancedPage::ShowThreshold()
{
    m_threshold->setText(QString::number(appState().values.slightMoving));
}

QRadioButton* CAdvancedPage::LanguageButton(int language) const
{
    return m_languages.at(static_cast<std::size_t>(LanguageAt(language).index));
}

CHoverButton2* CAdvancedPage::LanguagePicture(int language) const
{
    return m_pictures.at(static_cast<std::size_t>(LanguageAt(language).index));
}

QRadioButton* CAdvancedPage::UnitButton(int unitMode) const
{
    return m_units.at(unitMode != 0 ? 1 : 0);
}

std::optional<int> CAdvancedPage::ChangedThreshold()
{
    const int stored = appState().values.slightMoving;
    const Result<int> typed = ParseSlightMoving(m_threshold->text());
    if (!typed) {
        user().setStatusText(typed.error() + QStringLiteral(" It stays %1.").arg(stored));
        ShowThreshold();
        return std::nullopt;
    }
    if (*typed == stored) {
        return std::nullopt;
    }
    return *typed;
}

bool CAdvancedPage::Apply(const UserOptionChange& change)
{
    const int thresholdBefore = appState().values.slightMoving;
    const Result<> written = ChangeUserOptions(change);
    // Either way the controls show what the settings file holds; a box typed into but not
    // part of this change keeps its text.
    ShowChoices();
    if (change.slightMoving) {
        ShowThreshold();
    }
    if (!written) {
        user().setStatusText(written.error());
        return false;
    }
    // The report counts its walks with the threshold, and has kept the ones it drew.
    if (appState().values.slightMoving != thresholdBefore) {
        user().notifyDataChanged();
    }
    return true;
}

void CAdvancedPage::SetLanguage(int language)
{
    UserOptionChange change;
    change.language = language;
    change.slightMoving = ChangedThreshold();
    if (!Apply(change)) {
        return;
    }
    if (!InstallQtTranslations(appState().language)) {
        user().setStatusText(
            QStringLiteral("Qt's own translations were not found; its standard buttons stay in "
                           "English."));
    }
    SetTexts();
    RelabelOpenWindows();
}

void CAdvancedPage::SetUnitMode(int unitMode)
{
    UserOptionChange change;
    change.unitMode = unitMode;
    change.slightMoving = ChangedThreshold();
    if (Apply(change)) {
        user().notifyRefresh();
    }
}

void CAdvancedPage::SetUpgradeCheck(bool on)
{
    UserOptionChange change;
    change.enableUpgrade = on;
    (void)Apply(change);
}

void CAdvancedPage::SetAutoConfirm(bool on)
{
    UserOptionChange change;
    change.autoConfirm = on;
    (void)Apply(change);
}

void CAdvancedPage::CommitThreshold()
{
    if (const std::optional<int> threshold = ChangedThreshold()) {
        UserOptionChange change;
        change.slightMoving = threshold;
        (void)Apply(change);
    }
}

void CAdvancedPage::OnRefresh()
{
    SetTexts();
    CommitThreshold();
    ShowChoices();
}

void CAdvancedPage::hideEvent(QHideEvent* event)
{
    CTabPage::hideEvent(event);
    // Hidden with the window rather than by another tab (which refreshes this page): the
    // window is closing, and the typed threshold must not be lost.
    if (isVisibleTo(window())) {
        CommitThreshold();
    }
}

} // namespace trek
