#include "cli/optioncommands.h"

#include "app/lang/langtable.h"
#include "app/useroptions.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/terminalui.h"

#include <QStringList>

namespace trek::cli {

namespace {

// The words of the command line, checked by its reader, as the values the settings file holds.
int LanguageIndex(const QString& word)
{
    if (word == u"cht") {
        return static_cast<int>(Language::TraditionalChinese);
    }
    if (word == u"chs") {
        return static_cast<int>(Language::SimplifiedChinese);
    }
    return static_cast<int>(Language::English);
}

std::optional<bool> OnOff(const QString& word)
{
    if (word.isEmpty()) {
        return std::nullopt;
    }
    return word == u"on";
}

} // namespace

int RunOptionsShow()
{
    QStringList lines;
    for (const OptionLine& line : UserOptionLines()) {
        QString text = line.caption + u'\t' + line.value;
        if (!line.unit.isEmpty()) {
            text += u'\t' + line.unit;
        }
        lines << text;
    }
    return WriteLines(lines);
}

int RunOptionsSet(const CliRequest& request)
{
    UserOptionChange change;
    if (!request.optionLanguage.isEmpty()) {
        change.language = LanguageIndex(request.optionLanguage);
    }
    if (!request.optionUnits.isEmpty()) {
        change.unitMode = request.optionUnits == u"imperial" ? 1 : 0;
    }
    change.enableUpgrade = OnOff(request.optionUpgrade);
    change.autoConfirm = OnOff(request.optionAutoConfirm);
    if (request.optionSlightMoving) {
        const Result<int> threshold = ParseSlightMoving(*request.optionSlightMoving);
        if (!threshold) {
            PrintError(threshold.error());
            return ExitUsage;
        }
        change.slightMoving = *threshold;
    }
    if (const Result<> changed = ChangeUserOptions(change); !changed) {
        PrintError(changed.error());
        return ExitFailed;
    }
    return ExitSuccess;
}

} // namespace trek::cli
