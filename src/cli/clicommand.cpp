// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clicommand.h"

namespace trek::cli {

namespace {

// Longer arguments are shown cut; a message quoting one stays on one terminal line or two.
constexpr qsizetype ShownLength = 80;

QString Bracketed(const QString& text, bool optional)
{
    return optional ? QStringLiteral("[%1]").arg(text) : text;
}

} // namespace

CliOption SwitchOption(const QString& name, bool CliRequest::*field)
{
    return CliOption{name, {}, false, [field](CliRequest& request, const QString&) -> Result<> {
                         request.*field = true;
                         return {};
                     }};
}

CliOption TextOption(const QString& name, const QString& valueName, QString CliRequest::*field)
{
    return CliOption{name, valueName, false,
                     [name, field](CliRequest& request, const QString& value) -> Result<> {
                         if (value.isEmpty()) {
                             return fail(QStringLiteral("The option %1 needs a value.").arg(name));
                         }
                         request.*field = value;
                         return {};
                     }};
}

CliOption ListOption(const QString& name, const QString& valueName, QStringList CliRequest::*field)
{
    return CliOption{name, valueName, false,
                     [field](CliRequest& request, const QString& value) -> Result<> {
                         (request.*field).append(value);
                         return {};
                     }};
}

CliOption DateOption(const QString& name, QDate CliRequest::*field)
{
    return CliOption{
        name, QStringLiteral("YYYY-MM-DD"), false,
        [name, field](CliRequest& request, const QString& value) -> Result<> {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid() || value.size() != 10) {
                return fail(QStringLiteral("The option %1 needs a date written YYYY-MM-DD, not "
                                           "\"%2\".")
                                .arg(name, Shown(value)));
            }
            request.*field = date;
            return {};
        }};
}

CliOption DateTimeOption(const QString& name, QDateTime CliRequest::*field)
{
    return CliOption{name, QStringLiteral("\"YYYY-MM-DD HH:MM:SS\""), false,
                     [name, field](CliRequest& request, const QString& value) -> Result<> {
                         const QDateTime time =
                             QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                         if (!time.isValid() || value.size() != 19) {
                             return fail(QStringLiteral("The option %1 needs a local time written "
                                                        "\"YYYY-MM-DD HH:MM:SS\", not \"%2\".")
                                             .arg(name, Shown(value)));
                         }
                         request.*field = time;
                         return {};
                     }};
}

CliOption TimeOption(const QString& name, QTime CliRequest::*field)
{
    return CliOption{name, QStringLiteral("HH:MM"), false,
                     [name, field](CliRequest& request, const QString& value) -> Result<> {
                         const QTime time = QTime::fromString(value, QStringLiteral("HH:mm"));
                         if (!time.isValid() || value.size() != 5) {
                             return fail(QStringLiteral("The option %1 needs a time written "
                                                        "HH:MM, not \"%2\".")
                                             .arg(name, Shown(value)));
                         }
                         request.*field = time;
                         return {};
                     }};
}

CliOption NumberOption(const QString& name, const QString& valueName, int CliRequest::*field,
                       int least, int most)
{
    return CliOption{
        name, valueName, false, [=](CliRequest& request, const QString& value) -> Result<> {
            bool ok = false;
            const int number = value.toInt(&ok);
            if (!ok || number < least || number > most) {
                return fail(QStringLiteral("The option %1 needs a whole number from %2 to %3.")
                                .arg(name)
                                .arg(least)
                                .arg(most));
            }
            request.*field = number;
            return {};
        }};
}

CliOption UnsignedOption(const QString& name, const QString& valueName,
                         std::uint64_t CliRequest::*field)
{
    return CliOption{
        name, valueName, false,
        [name, field](CliRequest& request, const QString& value) -> Result<> {
            bool ok = false;
            const std::uint64_t number = value.toULongLong(&ok);
            if (!ok) {
                return fail(
                    QStringLiteral("The option %1 needs a whole number of 0 or more.").arg(name));
            }
            request.*field = number;
            return {};
        }};
}

CliOption ChoiceOption(const QString& name, const QStringList& choices, QString CliRequest::*field)
{
    return CliOption{name, choices.join(u'|'), false,
                     [=](CliRequest& request, const QString& value) -> Result<> {
                         if (!choices.contains(value)) {
                             return fail(QStringLiteral("The option %1 takes %2, not \"%3\".")
                                             .arg(name, Alternatives(choices), Shown(value)));
                         }
                         request.*field = value;
                         return {};
                     }};
}

CliOption Required(CliOption option)
{
    option.required = true;
    return option;
}

CliOption FormatOption()
{
    return ChoiceOption(QStringLiteral("--format"), {QStringLiteral("csv"), QStringLiteral("json")},
                        &CliRequest::format);
}

QString FormatHelp(const QString& fields)
{
    return QStringLiteral("\nWith --format csv or json: %1.\nPlain numbers, ISO dates and "
                          "times and English names in any language; csv\nhas a header line, then "
                          "the rows.")
        .arg(fields);
}

CliArgument TextArgument(const QString& name, QString CliRequest::*field)
{
    return CliArgument{
        name, {}, false, [field](CliRequest& request, const QString& value) -> Result<> {
            request.*field = value;
            return {};
        }};
}

CliArgument ChoiceArgument(const QStringList& choices, QString CliRequest::*field)
{
    CliArgument argument = TextArgument(choices.join(u'|'), field);
    argument.choices = choices;
    return argument;
}

CliArgument DateArgument(QDate CliRequest::*field)
{
    return CliArgument{
        QStringLiteral("YYYY-MM-DD"),
        {},
        false,
        [field](CliRequest& request, const QString& value) -> Result<> {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid() || value.size() != 10) {
                return fail(QStringLiteral("\"%1\" is not a real day written YYYY-MM-DD.")
                                .arg(Shown(value)));
            }
            request.*field = date;
            return {};
        }};
}

CliArgument MonthArgument(QDate CliRequest::*field)
{
    return CliArgument{
        QStringLiteral("YYYY-MM"),
        {},
        false,
        [field](CliRequest& request, const QString& value) -> Result<> {
            const QDate first =
                QDate::fromString(value + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
            if (!first.isValid() || value.size() != 7) {
                return fail(
                    QStringLiteral("\"%1\" is not a month written YYYY-MM.").arg(Shown(value)));
            }
            request.*field = first;
            return {};
        }};
}

QString ArgumentsSynopsis(const CliCommand& command)
{
    QStringList parts;
    for (const CliArgument& argument : command.arguments) {
        parts << Bracketed(argument.name, argument.optional);
    }
    return parts.join(u' ');
}

QString CommandSynopsis(const CliCommand& command)
{
    QStringList parts = command.words;
    if (!command.arguments.isEmpty()) {
        parts << ArgumentsSynopsis(command);
    }
    for (const CliOption& option : command.options) {
        const QString usage =
            option.valueName.isEmpty() ? option.name : option.name + u' ' + option.valueName;
        parts << Bracketed(usage, !option.required);
    }
    return parts.join(u' ');
}

QString CommandHelp(const CliCommand& command)
{
    QString help = CommandSynopsis(command) + u'\n';
    for (const QString& line : command.help.split(u'\n')) {
        help += QStringLiteral("      ") + line + u'\n';
    }
    return help;
}

QString Alternatives(const QStringList& words)
{
    if (words.size() < 2) {
        return words.join(QString());
    }
    return words.first(words.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           words.last();
}

QString Shown(const QString& argument)
{
    if (argument.size() <= ShownLength) {
        return argument;
    }
    // Never split a surrogate pair: half a character turns into garbage on the terminal.
    const qsizetype cut =
        argument.at(ShownLength - 1).isHighSurrogate() ? ShownLength - 1 : ShownLength;
    return argument.left(cut) + QStringLiteral("...");
}

} // namespace trek::cli
