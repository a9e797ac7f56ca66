// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/languages.h"
#include "widgets/tabpage.h"

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace trek {

class CHoverButton2;
struct UserOptionChange;

// The "User Option" tab: the interface language, the units, the update check at start,
// automatic answers to yes/no questions and the slight-movement threshold. Every choice is
// written to the settings file the moment it is made; there is no Save button.
class CAdvancedPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAdvancedPage)
public:
    explicit CAdvancedPage(QWidget* parent = nullptr);

    // A click on a language's radio or its picture: the whole program speaks it at once.
    void SetLanguage(int language);
    // A click on a unit radio: every page shows its figures in those units.
    void SetUnitMode(int unitMode);
    void SetUpgradeCheck(bool on);
    void SetAutoConfirm(bool on);
    // Takes the threshold typed into its box; a refused text puts the stored one back.
    void CommitThreshold();

    QRadioButton* LanguageButton(int language) const;
    CHoverButton2* LanguagePicture(int language) const;
    QRadioButton* UnitButton(int unitMode) const;
    QCheckBox* UpgradeBox() const { return m_upgrade; }
    QCheckBox* AutoConfirmBox() const { return m_autoConfirm; }
    QLineEdit* ThresholdEdit() const { return m_threshold; }
    QLabel* LocaleLabel() const { return m_locale; }

protected:
    // Relabels and shows the values anew; the typed threshold is taken on the way, as it is
    // whenever the person leaves this tab.
    void OnRefresh() override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void SetTexts();
    void ShowChoices(); // the radios and check boxes
    void ShowThreshold();
    // The typed threshold when it differs from the stored one; a refused text is reported.
    std::optional<int> ChangedThreshold();
    // Writes `change`; true when it was written. A failed write is reported and the controls
    // show the stored values again.
    bool Apply(const UserOptionChange& change);

    std::array<QRadioButton*, LanguageCount> m_languages{};
    std::array<CHoverButton2*, LanguageCount> m_pictures{};
    std::array<QRadioButton*, 2> m_units{};
    QCheckBox* m_upgrade = nullptr;
    QCheckBox* m_autoConfirm = nullptr;
    QLabel* m_thresholdCaption = nullptr;
    QLineEdit* m_threshold = nullptr;
    QLabel* m_thresholdUnit = nullptr;
    QLabel* m_locale = nullptr;
};

} // namespace trek
