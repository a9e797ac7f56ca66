#pragma once

#include "app/userinterface.h"

#include <QtGlobal>

namespace trek::cli {

// The user interface of the command-line tool: status and drive texts go to standard output,
// message boxes to standard error as one line each, and every question is answered yes, since
// nobody sits at a terminal that runs a collection.
class TerminalUi final : public UserInterface
{
public:
    TerminalUi() = default;
    ~TerminalUi() override = default;
    Q_DISABLE_COPY_MOVE(TerminalUi)

    void setStatusText(const QString& text) override;
    void setDriveLabel(const QString& text) override;
    int askYesNo(const QString& title, const QString& message) override;
    void showMessage(const QString& message) override;
    void pumpMessages() override;
    void notifyDataChanged() override {}
    void notifyRefresh() override {}
};

// One line on standard output / standard error, flushed at once so the order of both is kept.
void PrintOut(const QString& line);
void PrintError(const QString& line);

} // namespace trek::cli
