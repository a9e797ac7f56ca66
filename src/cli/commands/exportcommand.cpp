// SPDX-License-Identifier: GPL-3.0-or-later
// export csv: the store's minutes with steps as CSV lines.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "data/csvexport.h"

#include <cstdio>

namespace trek::cli {

namespace {

struct ExportValues
{
    QDate from;
    QDate to;
    bool allMinutes = false;
};

Result<> CheckRange(ExportValues& values)
{
    if (values.from.isValid() && values.to.isValid() && values.from > values.to) {
        return fail(QStringLiteral("The date of --from lies after the date of --to."));
    }
    return {};
}

int RunExportCsv(const ExportValues& values, const CliRequest& /*request*/)
{
    // Whole lines are buffered; the stream is flushed once at the end.
    QByteArray buffer;
    const auto flush = [&buffer] {
        // A short write leaves the stream in error, which the final fflush reports.
        (void)std::fwrite(buffer.constData(), 1, static_cast<std::size_t>(buffer.size()), stdout);
        buffer.clear();
    };
    const Result<> result =
        ExportCsv(appState().workingFolder, {values.from, values.to, values.allMinutes},
                  [&](const QString& line) {
                      buffer += line.toUtf8();
                      buffer += '\n';
                      if (buffer.size() > 1 << 16) {
                          flush();
                      }
                  });
    flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        PrintError(QStringLiteral("The lines could not be written to standard output."));
        return ExitFailed;
    }
    if (!result) {
        PrintError(result.error());
        return ExitFailed;
    }
    return ExitSuccess;
}

} // namespace

QList<CliCommand> ExportCommand()
{
    const QString formats = QStringLiteral("The command export knows one format: export csv.");
    return {Row(CommandRow<ExportValues>{
        .words = {QStringLiteral("export"), QStringLiteral("csv")},
        .options = {DateOption(QStringLiteral("--from"), &ExportValues::from),
                    DateOption(QStringLiteral("--to"), &ExportValues::to),
                    SwitchOption(QStringLiteral("--all"), &ExportValues::allMinutes)},
        .check = CheckRange,
        .wrongArguments = formats,
        .wrongWord = formats,
        .help = QStringLiteral(
            "Writes \"minute,steps\" and then one line \"YYYY-MM-DD HH:MM,steps\" per minute\n"
            "with steps, in time order; with --all every minute of the range."),
        .needs = CliNeeds::SettingsFile,
        .run = RunExportCsv,
    })};
}

} // namespace trek::cli
