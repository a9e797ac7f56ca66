// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace trek {

// The yes/no question with the program-box picture. It opens above other windows with the focus
// on No, so a hasty Enter never agrees to anything.
class CYesNoBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CYesNoBox)
public:
    static constexpr int Yes = 1;
    static constexpr int No = 7;
    static constexpr int Closed = 2; // Escape or the close box

    CYesNoBox(const QString& title, const QString& message, QWidget* parent = nullptr);

    // Runs the box and returns Yes, No or Closed.
    int DoModal();

    QString Message() const;
    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetButtonTexts();

    QLabel* m_message = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};

} // namespace trek
