#pragma once

#include "app/userinterface.h"

#include <QString>
#include <QStringList>

namespace trek::test {

// A user interface that writes down what the device code shows, in order.
class RecordingUi final : public UserInterface
{
public:
    void setStatusText(const QString& text) override { statusTexts << text; }
    void setDriveLabel(const QString& text) override { driveLabels << text; }
    int askYesNo(const QString& /*title*/, const QString& /*message*/) override { return Yes; }
    void showMessage(const QString& /*title*/, const QString& message) override
    {
        messages << message;
    }
    void pumpMessages() override { ++pumps; }
    void notifyDataChanged() override { ++dataChanged; }
    void notifyRefresh() override { ++refreshes; }

    void clear() { *this = RecordingUi(); }

    QStringList statusTexts;
    QStringList driveLabels;
    QStringList messages;
    int pumps = 0;
    int dataChanged = 0;
    int refreshes = 0;
};

} // namespace trek::test
