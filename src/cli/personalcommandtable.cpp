// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/personalcommandtable.h"

namespace trek::cli {

namespace {

using Command = CliRequest::Command;

// What a person would type into a box, kept exactly, blanks and all: an empty value is a box
// with no number in it.
CliOption TypedOption(const QString& name, std::optional<QString> CliRequest::*field)
{
    return CliOption{name, QStringLiteral("T"), false,
                     [field](CliRequest& request, const QString& value) -> Result<> {
                         request.*field = value;
                         return {};
                     }};
}

} // namespace

CliCommand PersonalShowCommand()
{
    return CliCommand{
        .command = Command::PersonalShow,
        .words = {QStringLiteral("personal"), QStringLiteral("show")},
        .options = {SwitchOption(QStringLiteral("--raw"), &CliRequest::personalRaw),
                    FormatOption()},
        .help =
            QStringLiteral(
                "Prints the Personal Information tab as the settings file's language and units\n"
                "show it: one line per row of the page, its caption, the box and its unit, and\n"
                "the imperial height's second box and unit, separated by tabs. With --raw: the\n"
                "stored values, \"key<TAB>value\", for Birthday, Height, Weight_g, StepSize and\n"
                "UnitMode.") +
            FormatHelp(QStringLiteral("the birthday, the units and the stored height,\n"
                                      "weight and step length in cm and kg")),
    };
}

CliCommand PersonalSetCommand()
{
    return CliCommand{
        .command = Command::PersonalSet,
        .words = {QStringLiteral("personal"), QStringLiteral("set")},
        .options = {ChoiceOption(QStringLiteral("--units"),
                                 {QStringLiteral("metric"), QStringLiteral("imperial")},
                                 &CliRequest::personalUnits),
                    DateOption(QStringLiteral("--birthday"), &CliRequest::birthday),
                    TypedOption(QStringLiteral("--height"), &CliRequest::height),
                    TypedOption(QStringLiteral("--feet"), &CliRequest::feet),
                    TypedOption(QStringLiteral("--inches"), &CliRequest::inches),
                    TypedOption(QStringLiteral("--weight"), &CliRequest::weight),
                    TypedOption(QStringLiteral("--step"), &CliRequest::step)},
        .help = QStringLiteral(
            "Saves the Personal Information tab as its Save button does, after switching to\n"
            "the units given. Each T is what a person would type into that box, in the\n"
            "units of the form (--height in cm, or --feet and --inches; --weight in kg or\n"
            "pounds; --step in cm or inches); a box not given keeps the text the page shows,\n"
            "and so the stored value, as does a box with no number in it. A number that\n"
            "cannot be stored is refused and nothing is written."),
    };
}

} // namespace trek::cli
