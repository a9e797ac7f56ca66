// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/ui/personalinfopage.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "device/localclock.h"
#include "goals/personallabels.h"
#include "goals/personalstore.h"
#include "reports/stepmetrics.h"
#include "widgets/pictures.h"
#include "widgets/pictureview.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace trek {

namespace {

constexpr int MetricMode = 0;
constexpr int ImperialMode = 1;

// The birthday as the command-line tool prints it too: year first, readable in all three
// languages.
const QString BirthdayFormat = QStringLiteral("yyyy-MM-dd");

// Room for "-1234567.8" in every box, so all boxes line up whatever the units.
constexpr int BoxCharacters = 10;
// The frame and the inner margins of a line edit, in text widths of a digit.
constexpr int BoxPaddingCharacters = 2;

QLineEdit* NumberBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int digit = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    box->setFixedWidth(digit * (BoxCharacters + BoxPaddingCharacters));
    return box;
}

QLabel* Label(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QString Spoken(const QString& caption, const QString& unit)
{
    return caption + QStringLiteral(" (") + unit + u')';
}

} // namespace

CPersonalInfoPage::CPersonalInfoPage(QWidget* parent) : CTabPage(parent)
{
    setObjectName(QStringLiteral("personalPage"));
    auto* frame = new QGroupBox(this);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);
    BuildControls(frame);
    LayOutControls(frame);
    Fill();
}

void CPersonalInfoPage::BuildControls(QWidget* frame)
{
    m_picture = new CPictureView(frame);
    m_picture->setObjectName(QStringLiteral("personalPicture"));
    m_picture->SetPicture(pictures::PersonalInfo);
    m_picture->setMinimumSize(120, 150);

    m_birthdayCaption = Label("birthdayCaption", frame);
    m_birthday = new QDateEdit(frame);
    m_birthday->setObjectName(QStringLiteral("birthdayEdit"));
    m_birthday->setCalendarPopup(true);
    m_birthday->setDisplayFormat(BirthdayFormat);
    m_birthday->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Some air between the date and the popup arrow.
    const int digit = m_birthday->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_birthday->setMinimumWidth(m_birthday->sizeHint().width() + digit * 2);
    m_birthdayCaption->setBuddy(m_birthday);

    m_heightCaption = Label("heightCaption", frame);
    m_height = NumberBox("heightEdit", frame);
    m_heightUnit = Label("heightUnit", frame);
    m_feet = NumberBox("feetEdit", frame);
    m_feetUnit = Label("feetUnit", frame);
    m_inches = NumberBox("inchesEdit", frame);
    m_inchUnit = Label("inchUnit", frame);

    m_weightCaption = Label("weightCaption", frame);
    m_weight = NumberBox("weightEdit", frame);
    m_weightUnit = Label("weightUnit", frame);
    m_weightCaption->setBuddy(m_weight);

    m_stepCaption = Label("stepCaption", frame);
    m_step = NumberBox("stepEdit", frame);
    m_stepUnit = Label("stepUnit", frame);
    m_stepCaption->setBuddy(m_step);

    m_metric = new QRadioButton(frame);
    m_metric->setObjectName(QStringLiteral("metricButton"));
    m_imperial = new QRadioButton(frame);
    m_imperial->setObjectName(QStringLiteral("imperialButton"));
    auto* units = new QButtonGroup(this);
    units->addButton(m_metric, MetricMode);
    units->addButton(m_imperial, ImperialMode);
    // A click only: Fill checks the buttons too, and that must not count as a switch.
    connect(units, &QButtonGroup::idClicked, this, &CPersonalInfoPage::SwitchUnits);

    m_save = new QPushButton(frame);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_save->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &CPersonalInfoPage::Save);
}

void CPersonalInfoPage::LayOutControls(QWidget* frame)
{
    // Each row: its caption, then its boxes each followed by its unit. The height row holds
    // both forms' boxes; Fill hides the other form's.
    const auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(8);
        for (QWidget* widget : widgets) {
            line->addWidget(widget);
        }
        line->addStretch(1);
        return line;
    };
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(10);
    form->addWidget(m_birthdayCaption, 0, 0);
    form->addLayout(row({m_birthday}), 0, 1);
    form->addWidget(m_heightCaption, 1, 0);
    form->addLayout(row({m_height, m_heightUnit, m_feet, m_feetUnit, m_inches, m_inchUnit}), 1, 1);
    form->addWidget(m_weightCaption, 2, 0);
    form->addLayout(row({m_weight, m_weightUnit}), 2, 1);
    form->addWidget(m_stepCaption, 3, 0);
    form->addLayout(row({m_step, m_stepUnit}), 3, 1);
    form->setColumnStretch(1, 1);

    auto* units = new QHBoxLayout;
    units->addWidget(m_metric);
    units->addSpacing(16);
    units->addWidget(m_imperial);
    units->addStretch(1);
    units->addWidget(m_save);

    auto* right = new QVBoxLayout;
    right->addStretch(1);
    right->addLayout(form);
    right->addSpacing(16);
    right->addLayout(units);
    right->addStretch(1);

    auto* inside = new QHBoxLayout(frame);
    inside->setContentsMargins(24, 16, 24, 16);
    inside->setSpacing(32);
    inside->addWidget(m_picture, 0, Qt::AlignVCenter);
    inside->addLayout(right, 1);
}

void CPersonalInfoPage::Fill()
{
    const int unitMode = appState().values.unitMode;
    m_shown = FillTexts(CurrentPersonalValues(), unitMode);
    if (m_shown.birthday.isValid()) {
        m_birthday->setDate(m_shown.birthday);
    }
    // A stored birthday that names no day leaves the picker where it was; that is what it shows.
    m_shown.birthday = m_birthday->date();
    m_height->setText(m_shown.height);
    m_feet->setText(m_shown.feet);
    m_inches->setText(m_shown.inches);
    m_weight->setText(m_shown.weight);
    m_step->setText(m_shown.step);
    ShowForm(IsImperial(unitMode));
    SetTexts(unitMode);
    CheckUnitButton();
    ApplyCalendarLanguage();
}

void CPersonalInfoPage::ShowForm(bool imperial)
{
    m_height->setVisible(!imperial);
    m_heightUnit->setVisible(!imperial);
    m_feet->setVisible(imperial);
    m_feetUnit->setVisible(imperial);
    m_inches->setVisible(imperial);
    m_inchUnit->setVisible(imperial);
    m_heightCaption->setBuddy(imperial ? m_feet : m_height);
}

void CPersonalInfoPage::SetTexts(int unitMode)
{
    const PersonalLabels labels = CurrentPersonalLabels(unitMode);
    m_birthdayCaption->setText(labels.birthday);
    m_birthday->setAccessibleName(labels.birthday);
    m_heightCaption->setText(labels.height);
    m_heightUnit->setText(labels.heightUnit);
    m_height->setAccessibleName(Spoken(labels.height, labels.heightUnit));
    m_feetUnit->setText(labels.feetUnit);
    m_feet->setAccessibleName(Spoken(labels.height, labels.feetUnit));
    m_inchUnit->setText(labels.inchUnit);
    m_inches->setAccessibleName(Spoken(labels.height, labels.inchUnit));
    m_weightCaption->setText(labels.weight);
    m_weightUnit->setText(labels.weightUnit);
    m_weight->setAccessibleName(Spoken(labels.weight, labels.weightUnit));
    m_stepCaption->setText(labels.step);
    m_stepUnit->setText(labels.stepUnit);
    m_step->setAccessibleName(Spoken(labels.step, labels.stepUnit));
    m_metric->setText(labels.metric);
    m_imperial->setText(labels.imperial);
    m_save->setText(labels.save);
    m_picture->setAccessibleName(labels.height + QStringLiteral(", ") + labels.weight);
}

void CPersonalInfoPage::CheckUnitButton()
{
    const bool imperial = IsImperial(appState().values.unitMode);
    (imperial ? m_imperial : m_metric)->setChecked(true);
}

void CPersonalInfoPage::ApplyCalendarLanguage()
{
    m_birthday->setLocale(CurrentLanguage().locale());
}

PersonalTexts CPersonalInfoPage::TypedTexts() const
{
    PersonalTexts typed;
    typed.birthday = m_birthday->date();
    typed.height = m_height->text();
    typed.feet = m_feet->text();
    typed.inches = m_inches->text();
    typed.weight = m_weight->text();
    typed.step = m_step->text();
    return typed;
}

void CPersonalInfoPage::Save()
{
    const Result<PersonalValues> saved =
        SavedValues(CurrentPersonalValues(), appState().values.unitMode, m_shown, TypedTexts(),
                    CurrentLocalTime().date());
    if (!saved) {
        // The boxes keep what was typed, so the person can mend it.
        user().showMessage(saved.error());
        return;
    }
    if (const Result<> stored = StorePersonalValues(*saved); !stored) {
        user().setStatusText(QStringLiteral(" Personal data not saved: ") + stored.error());
        return;
    }
    Fill();
    // Distances and calories hang on the step length and the weight: every page redraws.
    user().notifyRefresh();
}

void CPersonalInfoPage::SwitchUnits(int unitMode)
{
    if (IsImperial(unitMode) == IsImperial(appState().values.unitMode)) {
        return;
    }
    if (const Result<> stored = StoreUnitMode(unitMode); !stored) {
        user().setStatusText(QStringLiteral(" Units not switched: ") + stored.error());
        CheckUnitButton();
        return;
    }
    // Text typed but not saved is dropped: the boxes show the stored values in the new units.
    Fill();
    user().notifyRefresh();
}

} // namespace trek
