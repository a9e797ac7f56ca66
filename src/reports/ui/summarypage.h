// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/tabpage.h"

#include <array>

class QLabel;
class QPushButton;

namespace trek {

class CPictureView;
class CValueLabel;

// The lifetime summary tab: the running totals of every collection (steps, distance, walking
// time, calories) and the one button that forgets everything.
class CSummaryPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSummaryPage)
public:
    explicit CSummaryPage(QWidget* parent = nullptr);

    // Shows the totals anew in the current language and units.
    void Fill();
    // The reset button: asks unless auto-confirm is on, then deletes the store and the totals.
    void OnReset();
    // The Trends dialog up to the day selected in the calendar (today when none is).
    void OpenTrends();

    QString CaptionText(int line) const;
    QString ValueText(int line) const;
    QPushButton* ResetButton() const { return m_reset; }
    QPushButton* TrendsButton() const { return m_trends; }

protected:
    void OnDataChanged() override { Fill(); }
    void OnRefresh() override { Fill(); }

private:
    CPictureView* m_picture = nullptr;
    std::array<QLabel*, 4> m_captions{};
    std::array<CValueLabel*, 4> m_values{};
    QPushButton* m_reset = nullptr;
    QPushButton* m_trends = nullptr;
};

} // namespace trek
