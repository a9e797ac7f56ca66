#include "widgets/messagebox.h"

#include "widgets/nextanswer.h"

#include <QMessageBox>

namespace trek {

void ShowMessageBox(QWidget* parent, const QString& title, const QString& message)
{
    if (NextAnswer::Take(NextAnswer::Box::Message)) {
        return;
    }
    QMessageBox box(QMessageBox::Information, title, message, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace trek
