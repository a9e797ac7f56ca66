// SPDX-License-Identifier: GPL-3.0-or-later
// delete: the Report tab's Delete of a day or a span of it.

#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "reports/sleeptexts.h"
#include "reports/spandeletion.h"

#include <QRegularExpression>

namespace trek::cli {

namespace {

struct DeleteValues
{
    QDate date;
    QString span;        // "HH:MM-HH:MM" as given; empty: the whole day
    int firstMinute = 0; // the span's first and last minute of the day
    int lastMinute = 1439;
};

// Stored as given; ReadSpan reads it once the whole command line is there.
Argument<DeleteValues> SpanArgument()
{
    Argument<DeleteValues> span = TextArgument(QStringLiteral("HH:MM-HH:MM"), &DeleteValues::span);
    span.optional = true;
    return span;
}

// "HH:MM-HH:MM" into the minutes of the day it spans, both ends included.
Result<> ReadSpan(DeleteValues& values)
{
    if (values.span.isEmpty()) {
        return {};
    }
    static const QRegularExpression pattern(
        QStringLiteral("^([01][0-9]|2[0-3]):([0-5][0-9])-([01][0-9]|2[0-3]):([0-5][0-9])$"));
    const QRegularExpressionMatch match = pattern.match(values.span);
    if (!match.hasMatch()) {
        return fail(QStringLiteral("The span \"%1\" is no span written HH:MM-HH:MM.")
                        .arg(Shown(values.span)));
    }
    values.firstMinute = match.captured(1).toInt() * 60 + match.captured(2).toInt();
    values.lastMinute = match.captured(3).toInt() * 60 + match.captured(4).toInt();
    if (values.lastMinute < values.firstMinute) {
        return fail(QStringLiteral("The span %1 ends before it starts.").arg(values.span));
    }
    return {};
}

int RunDelete(const DeleteValues& values, const CliRequest& /*request*/)
{
    ReportSpan span = WholeDaySpan(values.date);
    span.firstMinute = values.firstMinute;
    span.lastMinute = values.lastMinute;
    const Result<ClearedSteps> deleted = DeleteReportSpan(span);
    if (!deleted) {
        PrintError(deleted.error());
        return ExitFailed;
    }
    const QString when = QStringLiteral("%1 from %2 to %3")
                             .arg(values.date.toString(Qt::ISODate), MinuteClock(span.firstMinute),
                                  MinuteClock(span.lastMinute));
    if (deleted->minutes == 0) {
        return WriteLines({QStringLiteral("Nothing to clear on %1.").arg(when)});
    }
    return WriteLines({QStringLiteral("Cleared %1 steps in %2 minutes on %3.")
                           .arg(deleted->steps)
                           .arg(deleted->minutes)
                           .arg(when)});
}

} // namespace

QList<CliCommand> DeleteCommand()
{
    return {Row(CommandRow<DeleteValues>{
        .words = {QStringLiteral("delete")},
        .arguments = {DateArgument(&DeleteValues::date), SpanArgument()},
        .check = ReadSpan,
        .wrongArguments =
            QStringLiteral("delete needs a date YYYY-MM-DD and may take a span HH:MM-HH:MM."),
        .help = QStringLiteral(
            "Clears the steps of the day, or of the minutes from the span's start to its\n"
            "end, in the store, as the Report tab's Delete does. The lifetime totals stay.\n"
            "Prints the steps and minutes cleared, or that there was nothing to clear."),
        .needs = CliNeeds::SettingsFile,
        .run = RunDelete,
    })};
}

} // namespace trek::cli
