// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/userinterface.h"
#include "cli/structuredoutput.h"

#include <QStringList>
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

// For the commands that print only their own texts (the factory set-up, the watch): the
// discovery's and the collection's status texts stay unprinted, every question is answered yes,
// and a message box is one line on standard error.
class QuietTerminalUi final : public UserInterface
{
public:
    QuietTerminalUi() = default;
    ~QuietTerminalUi() override = default;
    Q_DISABLE_COPY_MOVE(QuietTerminalUi)

    void setStatusText(const QString& /*text*/) override {}
    void setDriveLabel(const QString& /*text*/) override {}
    int askYesNo(const QString& /*title*/, const QString& /*message*/) override
    {
        return UserInterface::Yes;
    }
    void showMessage(const QString& message) override;
    void pumpMessages() override;
    void notifyDataChanged() override {}
    void notifyRefresh() override {}
};

// One line on standard output / standard error, flushed at once so the order of both is kept.
void PrintOut(const QString& line);
void PrintError(const QString& line);

// A command's page: standard output carries these lines and nothing else, written at once; a
// failed write (a full disk, a closed pipe) is a failed command (ExitFailed, with a line on
// standard error).
int WriteLines(const QStringList& lines);
// The records as --format asks ("csv" or "json"), the same way.
int WriteLines(const Records& records, const QString& format);

} // namespace trek::cli
