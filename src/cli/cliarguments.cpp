#include "cli/cliarguments.h"

namespace trek::cli {

namespace {

// The longest history the generator is asked for; a larger number is a typing error.
constexpr int MaxDays = 3660;

using Command = CliRequest::Command;

class ArgumentReader
{
public:
    explicit ArgumentReader(const QStringList& arguments) : m_arguments(arguments) {}

    bool atEnd() const { return m_next >= m_arguments.size(); }
    QString take() { return m_arguments.at(m_next++); }
    // The value of `option`, given as "--option VALUE" or "--option=VALUE".
    std::optional<QString> value(const QString& option, const QString& inlineValue)
    {
        if (!inlineValue.isNull()) {
            return inlineValue;
        }
        if (atEnd()) {
            m_error = QStringLiteral("The option %1 needs a value.").arg(option);
            return std::nullopt;
        }
        return take();
    }
    QString error() const { return m_error; }

private:
    const QStringList& m_arguments;
    qsizetype m_next = 0;
    QString m_error;
};

std::optional<QDate> ParseDate(const QString& text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid() || text.size() != 10) {
        return std::nullopt;
    }
    return date;
}

CliParse Fail(const QString& error)
{
    return CliParse{std::nullopt, error};
}

} // namespace

CliParse ParseCliArguments(const QStringList& arguments)
{
    CliRequest request;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        request.command = Command::Help;
        return CliParse{request, {}};
    }
    QStringList words;
    QStringList seen; // options given, to check they belong to the command
    ArgumentReader reader(arguments);
    while (!reader.atEnd()) {
        const QString argument = reader.take();
        if (!argument.startsWith(QStringLiteral("--"))) {
            words << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString option = equals < 0 ? argument : argument.left(equals);
        const QString inlineValue = equals < 0 ? QString() : argument.mid(equals + 1);
        if (option == QStringLiteral("--all")) {
            if (!inlineValue.isNull()) {
                return Fail(QStringLiteral("The option --all takes no value."));
            }
            request.allMinutes = true;
            seen << option;
            continue;
        }
        static const QStringList valued{QStringLiteral("--workdir"), QStringLiteral("--drive"),
                                        QStringLiteral("--from"),    QStringLiteral("--to"),
                                        QStringLiteral("--days"),    QStringLiteral("--kind"),
                                        QStringLiteral("--seed"),    QStringLiteral("--end")};
        if (!valued.contains(option)) {
            return Fail(QStringLiteral("Unknown option %1; see --help.").arg(option));
        }
        const std::optional<QString> value = reader.value(option, inlineValue);
        if (!value) {
            return Fail(reader.error());
        }
        seen << option;
        if (option == QStringLiteral("--workdir")) {
            request.workdir = *value;
        } else if (option == QStringLiteral("--drive")) {
            request.drives << *value;
        } else if (option == QStringLiteral("--from") || option == QStringLiteral("--to") ||
                   option == QStringLiteral("--end")) {
            const auto date = ParseDate(*value);
            if (!date) {
                return Fail(QStringLiteral("The option %1 needs a date written YYYY-MM-DD, not "
                                           "\"%2\".")
                                .arg(option, *value));
            }
            (option == QStringLiteral("--from") ? request.from
             : option == QStringLiteral("--to") ? request.to
                                                : request.end) = *date;
        } else if (option == QStringLiteral("--days")) {
            bool ok = false;
            request.days = value->toInt(&ok);
            if (!ok || request.days < 1 || request.days > MaxDays) {
                return Fail(QStringLiteral("The option --days needs a whole number from 1 to %1.")
                                .arg(MaxDays));
            }
        } else if (option == QStringLiteral("--seed")) {
            bool ok = false;
            request.seed = value->toULongLong(&ok);
            if (!ok) {
                return Fail(QStringLiteral("The option --seed needs a whole number of 0 or more."));
            }
        } else {
            request.kind = *value;
        }
    }

    const auto onlyOptions = [&seen](const QStringList& allowed) -> QString {
        const QStringList global{QStringLiteral("--workdir"), QStringLiteral("--drive")};
        for (const QString& option : seen) {
            if (!allowed.contains(option) && !global.contains(option)) {
                return option;
            }
        }
        return {};
    };

    if (words.isEmpty()) {
        return Fail(QStringLiteral("No command given; see --help."));
    }
    const QString command = words.takeFirst();
    if (command == QStringLiteral("help")) {
        request.command = Command::Help;
        return CliParse{request, {}};
    }
    if (command == QStringLiteral("collect")) {
        request.command = Command::Collect;
        if (!words.isEmpty()) {
            return Fail(QStringLiteral("The command collect takes no further words."));
        }
        if (const QString extra = onlyOptions({}); !extra.isEmpty()) {
            return Fail(QStringLiteral("The option %1 does not belong to collect.").arg(extra));
        }
        return CliParse{request, {}};
    }
    if (command == QStringLiteral("export")) {
        if (words != QStringList{QStringLiteral("csv")}) {
            return Fail(QStringLiteral("The command export knows one format: export csv."));
        }
        if (const QString extra = onlyOptions(
                {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--all")});
            !extra.isEmpty()) {
            return Fail(QStringLiteral("The option %1 does not belong to export csv.").arg(extra));
        }
        if (request.from.isValid() && request.to.isValid() && request.from > request.to) {
            return Fail(QStringLiteral("The date of --from lies after the date of --to."));
        }
        request.command = Command::ExportCsv;
        return CliParse{request, {}};
    }
    if (command == QStringLiteral("emulate")) {
        const QString what = words.isEmpty() ? QString() : words.takeFirst();
        const QStringList emulateOptions{QStringLiteral("--days"), QStringLiteral("--seed"),
                                         QStringLiteral("--end")};
        if (what == QStringLiteral("make-disk")) {
            if (words.size() != 1) {
                return Fail(QStringLiteral("emulate make-disk needs exactly one folder."));
            }
            if (const QString extra =
                    onlyOptions(emulateOptions + QStringList{QStringLiteral("--kind")});
                !extra.isEmpty()) {
                return Fail(QStringLiteral("The option %1 does not belong to emulate make-disk.")
                                .arg(extra));
            }
            if (request.kind.isEmpty()) {
                request.kind = QStringLiteral("text");
            }
            if (request.kind != QStringLiteral("text") && request.kind != QStringLiteral("kdx")) {
                return Fail(QStringLiteral("The option --kind takes text or kdx, not \"%1\".")
                                .arg(request.kind));
            }
            request.command = Command::MakeDisk;
        } else if (what == QStringLiteral("make-image")) {
            if (words.size() != 2 ||
                (words[0] != QStringLiteral("k7") && words[0] != QStringLiteral("k9e"))) {
                return Fail(QStringLiteral("emulate make-image needs a model (k7 or k9e) and "
                                           "one file."));
            }
            if (const QString extra = onlyOptions(emulateOptions); !extra.isEmpty()) {
                return Fail(QStringLiteral("The option %1 does not belong to emulate make-image.")
                                .arg(extra));
            }
            request.kind = words.takeFirst();
            request.command = Command::MakeImage;
        } else {
            return Fail(QStringLiteral("The command emulate needs make-disk or make-image."));
        }
        request.target = words.takeFirst();
        if (request.days == 0) {
            return Fail(QStringLiteral("The command emulate %1 needs --days N.").arg(what));
        }
        return CliParse{request, {}};
    }
    return Fail(QStringLiteral("Unknown command %1; see --help.").arg(command));
}

QString CliHelpText()
{
    return QStringLiteral(
        "Usage: trekkomat-cli [--workdir DIR] [--drive LETTER=SOURCE]... COMMAND [OPTIONS]\n"
        "\n"
        "Takes the step records off a wristband into the monthly store of a working folder and\n"
        "reads them back out, without a window.\n"
        "\n"
        "Global options:\n"
        "  --workdir DIR   the working folder: settings file, Data and Trekkomat2 folders\n"
        "                  (default: the current folder)\n"
        "  --drive LETTER=SOURCE\n"
        "                  a simulated drive instead of the machine's drives; may be repeated:\n"
        "                    E=DIR        the folder DIR is the root of removable drive E:\n"
        "                    F=k7:IMAGE   an emulated K7 wristband with this record image\n"
        "                    F=k9e:IMAGE  an emulated K9E wristband with this record image\n"
        "                    *=k9e:IMAGE  the same, found as a disk without a drive letter\n"
        "  -h, --help      this text\n"
        "\n"
        "Commands:\n"
        "  collect\n"
        "      Finds the wristband and collects its records into the store without asking;\n"
        "      prints the status lines. Fails when no wristband is found, a day file could not\n"
        "      be imported, or a reading could not be completed.\n"
        "  export csv [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--all]\n"
        "      Writes \"minute,steps\" and then one line \"YYYY-MM-DD HH:MM,steps\" per minute\n"
        "      with steps, in time order; with --all every minute of the range.\n"
        "  emulate make-disk DIR --days N [--kind text|kdx] [--seed S] [--end YYYY-MM-DD]\n"
        "      Makes the folder DIR a file-model wristband's disk with N days of generated\n"
        "      day files (text by default) ending on the given day (default: today).\n"
        "  emulate make-image k7|k9e FILE --days N [--seed S] [--end YYYY-MM-DD]\n"
        "      Writes a pass-through wristband's record image with N days of generated steps.\n"
        "\n"
        "Exit status: 0 success, 1 the work failed, 2 the command line was wrong.\n");
}

} // namespace trek::cli
