// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cliarguments.h"

#include <algorithm>

namespace trek::cli {

namespace {

// An option as given, before the command that decides its meaning is known.
struct GivenOption
{
    QString name;
    QString value; // null for a switch
};

// The command line split into words (command words and arguments, in order) and options.
struct SplitLine
{
    QStringList words;
    QList<GivenOption> options;
};

const CliOption* FindOption(const QList<CliOption>& options, const QString& name)
{
    const auto found =
        std::find_if(options.cbegin(), options.cend(),
                     [&name](const CliOption& option) { return option.name == name; });
    return found == options.cend() ? nullptr : &*found;
}

// The option of this name in any command: whether it takes a value is the same in all of them.
const CliOption* FindAnyOption(const QList<CliCommand>& commands, const QString& name)
{
    if (const CliOption* global = FindOption(GlobalCliOptions(), name)) {
        return global;
    }
    for (const CliCommand& command : commands) {
        if (const CliOption* option = FindOption(command.options, name)) {
            return option;
        }
    }
    return nullptr;
}

// Everything not starting with "--" is a word, wherever it stands; an option's value is
// "--option=VALUE" or the next argument, whatever it looks like.
Result<SplitLine> Split(const QList<CliCommand>& commands, const QStringList& arguments)
{
    SplitLine line;
    for (qsizetype next = 0; next < arguments.size(); ++next) {
        const QString& argument = arguments.at(next);
        if (!argument.startsWith(QStringLiteral("--"))) {
            line.words << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        const CliOption* option = FindAnyOption(commands, name);
        if (option == nullptr) {
            return fail(QStringLiteral("Unknown option %1; see --help.").arg(Shown(name)));
        }
        if (option->valueName.isEmpty()) {
            if (equals >= 0) {
                return fail(QStringLiteral("The option %1 takes no value.").arg(name));
            }
            line.options.append({name, QString()});
        } else if (equals >= 0) {
            line.options.append({name, argument.mid(equals + 1)});
        } else if (next + 1 < arguments.size()) {
            line.options.append({name, arguments.at(++next)});
        } else {
            return fail(QStringLiteral("The option %1 needs a value.").arg(name));
        }
    }
    return line;
}

qsizetype SharedWords(const QStringList& a, const QStringList& b)
{
    qsizetype shared = 0;
    while (shared < a.size() && shared < b.size() && a.at(shared) == b.at(shared)) {
        ++shared;
    }
    return shared;
}

// The command whose words begin `words`, the longest if several do.
Result<const CliCommand*> FindCommand(const QList<CliCommand>& commands, const QStringList& words)
{
    const CliCommand* best = nullptr;
    qsizetype shared = 0; // the most leading words any command has in common with `words`
    for (const CliCommand& command : commands) {
        const qsizetype common = SharedWords(command.words, words);
        if (common == command.words.size() && (best == nullptr || common > best->words.size())) {
            best = &command;
        }
        shared = std::max(shared, common);
    }
    if (best != nullptr) {
        return best;
    }
    if (shared == 0) {
        return fail(QStringLiteral("Unknown command %1; see --help.").arg(Shown(words.first())));
    }
    const QStringList group = words.first(shared);
    QStringList following;
    for (const CliCommand& command : commands) {
        if (command.words.size() > shared && command.words.first(shared) == group) {
            if (command.words.size() == shared + 1 && !command.wrongWord.isEmpty()) {
                return fail(command.wrongWord);
            }
            if (!following.contains(command.words.at(shared))) {
                following << command.words.at(shared);
            }
        }
    }
    return fail(
        QStringLiteral("The command %1 needs %2.").arg(group.join(u' '), Alternatives(following)));
}

QString WrongArguments(const CliCommand& command)
{
    if (!command.wrongArguments.isEmpty()) {
        return command.wrongArguments;
    }
    const QString name = command.words.join(u' ');
    if (command.arguments.isEmpty()) {
        return QStringLiteral("The command %1 takes no further words.").arg(name);
    }
    return QStringLiteral("The command %1 needs %2.").arg(name, ArgumentsSynopsis(command));
}

Result<> StoreArguments(const CliCommand& command, const QStringList& given, CliValues& values)
{
    const auto needed =
        std::count_if(command.arguments.cbegin(), command.arguments.cend(),
                      [](const CliArgument& argument) { return !argument.optional; });
    bool fits = given.size() >= needed && given.size() <= command.arguments.size();
    for (qsizetype i = 0; fits && i < given.size(); ++i) {
        const QStringList& choices = command.arguments.at(i).choices;
        fits = choices.isEmpty() || choices.contains(given.at(i));
    }
    if (!fits) {
        return fail(WrongArguments(command));
    }
    for (qsizetype i = 0; i < given.size(); ++i) {
        if (Result<> stored = command.arguments.at(i).store(values, given.at(i)); !stored) {
            return stored;
        }
    }
    return {};
}

// The options after the arguments, the command's into its values and the global ones into the
// request: an option of another command is named as such, before its value is looked at, since
// its meaning here is unknown.
Result<> StoreOptions(const CliCommand& command, const QList<GivenOption>& given, CliValues& values,
                      CliValues& request)
{
    QList<std::pair<const CliOption*, CliValues*>> options;
    for (const GivenOption& option : given) {
        if (const CliOption* own = FindOption(command.options, option.name)) {
            options.append({own, &values});
        } else if (const CliOption* global = FindOption(GlobalCliOptions(), option.name)) {
            options.append({global, &request});
        } else {
            return fail(QStringLiteral("The option %1 does not belong to %2.")
                            .arg(option.name, command.words.join(u' ')));
        }
    }
    for (qsizetype i = 0; i < given.size(); ++i) {
        const auto& [option, target] = options.at(i);
        if (Result<> stored = option->store(*target, given.at(i).value); !stored) {
            return stored;
        }
    }
    for (const CliOption& option : command.options) {
        const bool present = std::any_of(given.cbegin(), given.cend(), [&option](const auto& g) {
            return g.name == option.name;
        });
        if (option.required && !present) {
            return fail(QStringLiteral("The command %1 needs %2 %3.")
                            .arg(command.words.join(u' '), option.name, option.valueName));
        }
    }
    return {};
}

// The commands a help asks about: the one its words name (whatever follows them), else every
// command those words begin ("report --help").
Result<QList<const CliCommand*>> HelpedCommands(const QList<CliCommand>& commands,
                                                const QStringList& words)
{
    const Result<const CliCommand*> named = FindCommand(commands, words);
    if (named) {
        return QList<const CliCommand*>{*named};
    }
    QList<const CliCommand*> group;
    for (const CliCommand& command : commands) {
        if (command.words.size() > words.size() && command.words.first(words.size()) == words) {
            group << &command;
        }
    }
    if (group.isEmpty()) {
        return fail(named.error());
    }
    return group;
}

// "--help" or "help" with the command words it is about, if any; a line that cannot be read
// (an unknown option) gets the whole help, since help is what was asked for.
Result<CliInvocation> HelpRequest(const QList<CliCommand>& commands, const QStringList& arguments)
{
    CliInvocation invocation;
    invocation.helpText = CliHelpText(commands);
    QStringList rest = arguments;
    rest.removeAll(QStringLiteral("--help"));
    rest.removeAll(QStringLiteral("-h"));
    const Result<SplitLine> line = Split(commands, rest);
    if (!line) {
        return invocation;
    }
    QStringList words = line->words;
    if (!words.isEmpty() && words.first() == QStringLiteral("help")) {
        words.removeFirst();
    }
    if (words.isEmpty()) {
        return invocation;
    }
    const Result<QList<const CliCommand*>> helped = HelpedCommands(commands, words);
    if (!helped) {
        return fail(helped.error());
    }
    invocation.helpText.clear();
    for (const CliCommand* command : *helped) {
        invocation.helpText +=
            QStringLiteral("Usage: trekkomat-cli ") + CommandHelp(*command) + u'\n';
    }
    invocation.helpText +=
        QStringLiteral("The global options (--workdir, --drive, --now) and the exit "
                       "statuses: trekkomat-cli --help.\n");
    return invocation;
}

} // namespace

Result<CliInvocation> ParseCliArguments(const QStringList& arguments,
                                        const QList<CliCommand>& commands)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        return HelpRequest(commands, arguments);
    }
    Result<SplitLine> line = Split(commands, arguments);
    if (!line) {
        return fail(line.error());
    }
    if (line->words.isEmpty()) {
        return fail(QStringLiteral("No command given; see --help."));
    }
    if (line->words.first() == QStringLiteral("help")) {
        return HelpRequest(commands, arguments);
    }
    const Result<const CliCommand*> found = FindCommand(commands, line->words);
    if (!found) {
        return fail(found.error());
    }
    const CliCommand& command = **found;
    CliValues values = command.defaults();
    CliValues request = CliRequest();
    if (Result<> stored = StoreArguments(command, line->words.mid(command.words.size()), values);
        !stored) {
        return fail(stored.error());
    }
    if (Result<> stored = StoreOptions(command, line->options, values, request); !stored) {
        return fail(stored.error());
    }
    if (command.check) {
        if (Result<> checked = command.check(values); !checked) {
            return fail(checked.error());
        }
    }
    CliInvocation invocation;
    invocation.command = &command;
    invocation.values = std::move(values);
    invocation.request = std::any_cast<CliRequest>(std::move(request));
    return invocation;
}

QString CliHelpText(const QList<CliCommand>& commands)
{
    QString help = CliHelpHead() + QStringLiteral("\nCommands:\n");
    for (const CliCommand& command : commands) {
        help += QStringLiteral("  ") + CommandHelp(command);
    }
    return help + u'\n' + CliHelpTail();
}

} // namespace trek::cli
