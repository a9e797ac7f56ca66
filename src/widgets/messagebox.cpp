// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/messagebox.h"

#include <QMessageBox>

namespace trek {

void ShowMessageBox(QWidget* parent, const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Information, title, message, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace trek
