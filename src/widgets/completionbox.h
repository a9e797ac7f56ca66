// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace trek {

// Congratulates the person on a finished mission, with the trophy of that mission.
class CCompletionBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCompletionBox)
public:
    // `mission` is 1 for mission A and 2 for mission B.
    CCompletionBox(const QString& message, int mission, QWidget* parent = nullptr);

    // Always 1: the box only informs.
    int DoModal();

    // The picture number shown: 178 for mission A, 179 for mission B.
    int BitmapId() const { return m_bitmapId; }
    const QLabel* Picture() const { return m_picture; }
    QString Message() const;

private:
    QLabel* m_picture = nullptr;
    QLabel* m_message = nullptr;
    int m_bitmapId = 0;
};

} // namespace trek
