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

ReadValue<QString> ReadText(const QString& name)
{
    return [name](const QString& value) -> Result<QString> {
        if (value.isEmpty()) {
            return fail(QStringLiteral("The option %1 needs a value.").arg(name));
        }
        return value;
    };
}

ReadValue<QDate> ReadDate(const QString& name)
{
    return [name](const QString& value) -> Result<QDate> {
        const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid() || value.size() != 10) {
            return fail(QStringLiteral("The option %1 needs a date written YYYY-MM-DD, not \"%2\".")
                            .arg(name, Shown(value)));
        }
        return date;
    };
}

ReadValue<QDateTime> ReadDateTime(const QString& name)
{
    return [name](const QString& value) -> Result<QDateTime> {
        const QDateTime time = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!time.isValid() || value.size() != 19) {
            return fail(QStringLiteral("The option %1 needs a local time written "
                                       "\"YYYY-MM-DD HH:MM:SS\", not \"%2\".")
                            .arg(name, Shown(value)));
        }
        return time;
    };
}

ReadValue<QTime> ReadTime(const QString& name)
{
    return [name](const QString& value) -> Result<QTime> {
        const QTime time = QTime::fromString(value, QStringLiteral("HH:mm"));
        if (!time.isValid() || value.size() != 5) {
            return fail(QStringLiteral("The option %1 needs a time written HH:MM, not \"%2\".")
                            .arg(name, Shown(value)));
        }
        return time;
    };
}

ReadValue<int> ReadNumber(const QString& name, int least, int most)
{
    return [=](const QString& value) -> Result<int> {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < least || number > most) {
            return fail(QStringLiteral("The option %1 needs a whole number from %2 to %3.")
                            .arg(name)
                            .arg(least)
                            .arg(most));
        }
        return number;
    };
}

ReadValue<std::uint64_t> ReadUnsigned(const QString& name)
{
    return [name](const QString& value) -> Result<std::uint64_t> {
        bool ok = false;
        const std::uint64_t number = value.toULongLong(&ok);
        if (!ok) {
            return fail(
                QStringLiteral("The option %1 needs a whole number of 0 or more.").arg(name));
        }
        return number;
    };
}

ReadValue<QString> ReadChoice(const QString& name, const QStringList& choices)
{
    return [=](const QString& value) -> Result<QString> {
        if (!choices.contains(value)) {
            return fail(QStringLiteral("The option %1 takes %2, not \"%3\".")
                            .arg(name, Alternatives(choices), Shown(value)));
        }
        return value;
    };
}

ReadValue<QDate> ReadDay()
{
    return [](const QString& value) -> Result<QDate> {
        const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid() || value.size() != 10) {
            return fail(
                QStringLiteral("\"%1\" is not a real day written YYYY-MM-DD.").arg(Shown(value)));
        }
        return date;
    };
}

ReadValue<QDate> ReadMonth()
{
    return [](const QString& value) -> Result<QDate> {
        const QDate first =
            QDate::fromString(value + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
        if (!first.isValid() || value.size() != 7) {
            return fail(QStringLiteral("\"%1\" is not a month written YYYY-MM.").arg(Shown(value)));
        }
        return first;
    };
}

QString FormatHelp(const QString& fields)
{
    return QStringLiteral("\nWith --format csv or json: %1.\nPlain numbers, ISO dates and "
                          "times and English names in any language; csv\nhas a header line, then "
                          "the rows.")
        .arg(fields);
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
