// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "goals/personalform.h"
#include "widgets/tabpage.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trek {

class CPictureView;

// The personal information tab: birthday, height, weight and step length, shown and typed in
// metric or imperial units, stored in metric integers. What it stores feeds every distance and
// calorie figure.
class CPersonalInfoPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPersonalInfoPage)
public:
    explicit CPersonalInfoPage(QWidget* parent = nullptr);

    // Shows the stored values in the current language and units; never writes.
    void Fill();
    // The save button: stores what the boxes hold, then every page shows it.
    void Save();
    // A click on a unit radio: 0 metric, 1 imperial.
    void SwitchUnits(int unitMode);

    // What the boxes hold now.
    PersonalTexts TypedTexts() const;

    QDateEdit* BirthdayEdit() const { return m_birthday; }
    QLineEdit* HeightEdit() const { return m_height; }
    QLineEdit* FeetEdit() const { return m_feet; }
    QLineEdit* InchesEdit() const { return m_inches; }
    QLineEdit* WeightEdit() const { return m_weight; }
    QLineEdit* StepEdit() const { return m_step; }
    QRadioButton* MetricButton() const { return m_metric; }
    QRadioButton* ImperialButton() const { return m_imperial; }
    QPushButton* SaveButton() const { return m_save; }

protected:
    void OnRefresh() override { Fill(); }

private:
    void BuildControls(QWidget* frame);
    void LayOutControls(QWidget* frame);
    void SetTexts(int unitMode);
    void ShowForm(bool imperial);
    void CheckUnitButton();
    void ApplyCalendarLanguage();

    CPictureView* m_picture = nullptr;
    QLabel* m_birthdayCaption = nullptr;
    QDateEdit* m_birthday = nullptr;
    QLabel* m_heightCaption = nullptr;
    QLineEdit* m_height = nullptr;
    QLabel* m_heightUnit = nullptr;
    QLineEdit* m_feet = nullptr;
    QLabel* m_feetUnit = nullptr;
    QLineEdit* m_inches = nullptr;
    QLabel* m_inchUnit = nullptr;
    QLabel* m_weightCaption = nullptr;
    QLineEdit* m_weight = nullptr;
    QLabel* m_weightUnit = nullptr;
    QLabel* m_stepCaption = nullptr;
    QLineEdit* m_step = nullptr;
    QLabel* m_stepUnit = nullptr;
    QRadioButton* m_metric = nullptr;
    QRadioButton* m_imperial = nullptr;
    QPushButton* m_save = nullptr;
    PersonalTexts
        m_shown; // what Fill put in the boxes, to tell a retyped box from an untouched one
};

} // namespace trek
