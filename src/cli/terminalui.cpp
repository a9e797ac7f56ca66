// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminalui.h"

#include "cli/clicommand.h"

#include <QCoreApplication>
#include <cstdio>

namespace trek::cli {

namespace {

void PrintLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    // Nothing sensible is left to do when the terminal itself cannot be written to.
    (void)std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    (void)std::fflush(stream);
}

// A message box may hold several lines; on the terminal it is one.
QString OneLine(const QString& text)
{
    QString line = text;
    line.replace(u'\n', u' ');
    line.remove(u'\r');
    return line.simplified();
}

} // namespace

void PrintOut(const QString& line)
{
    PrintLine(stdout, line);
}

void PrintError(const QString& line)
{
    PrintLine(stderr, line);
}

int WriteLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    (void)std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        PrintError(QStringLiteral("The lines could not be written to standard output."));
        return ExitFailed;
    }
    return ExitSuccess;
}

int WriteLines(const Records& records, const QString& format)
{
    return WriteLines(FormatRecords(records, OutputFormatOf(format)));
}

void TerminalUi::setStatusText(const QString& text)
{
    PrintOut(text);
}

void TerminalUi::setDriveLabel(const QString& text)
{
    PrintOut(text);
}

int TerminalUi::askYesNo(const QString& title, const QString& message)
{
    PrintOut(OneLine(title + QStringLiteral(": ") + message) + QStringLiteral(" yes"));
    return UserInterface::Yes;
}

void TerminalUi::showMessage(const QString& message)
{
    PrintError(OneLine(message));
}

void TerminalUi::pumpMessages()
{
    QCoreApplication::processEvents();
}

void QuietTerminalUi::showMessage(const QString& message)
{
    PrintError(OneLine(message));
}

void QuietTerminalUi::pumpMessages()
{
    QCoreApplication::processEvents();
}

} // namespace trek::cli
