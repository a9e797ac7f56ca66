// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/timeset.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "device/clockfile.h"
#include "device/localclock.h"
#include "device/settingsblock.h"
#include "device/timesetrules.h"
#include "device/vendorcommands.h"

#include <array>

namespace trek {

namespace {

const QString NotFound = QStringLiteral("### Not found Stepo-Disk ###");

WristbandSettings& settings()
{
    return appState().wristband;
}

Failure reportFailure(const QString& reason)
{
    user().setStatusText(QStringLiteral(" >> TimeSet failed: ") + reason);
    user().showMessage(GetLangText(TextRow::SetupFailed));
    return fail(reason);
}

QString timeSetStatus(const QDateTime& sent, int correction)
{
    const QDate date = sent.date();
    const QTime time = sent.time();
    return QString::asprintf(" >> TimeSet: %d-%d-%d %02d:%02d:%02d, (%d)", date.year(),
                             date.month(), date.day(), time.hour(), time.minute(), time.second(),
                             correction);
}

// The wristband's own settings, with the correction its drift calls for now. What the PC holds
// may be another wristband's (after a drive was chosen by hand) or nobody's (after a failed
// clock check), and the block is sent whole.
Result<WristbandSettings> readOwnSettings()
{
    const QDateTime readAt = CurrentLocalTime();
    std::array<std::uint8_t, RecordBlockLength> block{};
    const int code = ReadSettingsBlock(appState().link.volume, block.data());
    if (code != 0) {
        return fail(
            QStringLiteral("The wristband's own settings could not be read (error %1); nothing "
                           "was sent.")
                .arg(code));
    }
    if (!HasMakerAndModelHeader(block)) {
        return fail(QStringLiteral("The wristband answered a block that is not its settings; "
                                   "nothing was sent."));
    }
    WristbandSettings own;
    TakeOverBlockSettings(block, TakeOverScope::Collection, own);
    own.clockCorrection = MeasureDrift(block, readAt).clockCorrection;
    return own;
}

Result<QString> timeSetPassThrough(const TimeSetChoice& choice)
{
    Result<WristbandSettings> own = readOwnSettings();
    if (!own) {
        return reportFailure(own.error());
    }
    choice.applyTo(*own);
    if (choice.correction) {
        own->clockCorrection = *choice.correction;
    }
    settings() = *own;
    const QDateTime sentTime = CurrentLocalTime();
    if (Result<> sent = SendSettingsBlock(sentTime); !sent) {
        return reportFailure(sent.error());
    }
    const QString status = timeSetStatus(sentTime, settings().clockCorrection);
    user().setStatusText(status);
    return status;
}

Result<QString> timeSetFileModel(const TimeSetChoice& choice, char letter)
{
    choice.applyTo(settings());
    settings().clockCorrection = choice.correction.value_or(settings().clockCorrection);
    if (Result<> written = RewriteClockFileTime(letter, settings().clockCorrection); !written) {
        return reportFailure(written.error());
    }
    // The file is synced before the rename that makes it CLOCK.TXT, so the wristband can be
    // unplugged at once.
    const QString unplug = GetLangText(TextRow::PlugOutToSetUp);
    user().showMessage(unplug);
    return unplug;
}

bool isTimeSetLetter(char letter)
{
    return (letter >= 'C' && letter <= 'Z') || letter == '*';
}

} // namespace

void TimeSetChoice::applyTo(WristbandSettings& settings) const
{
    settings.hourMode = hourMode.value_or(settings.hourMode);
    settings.sleepMonitorOn = sleepMonitorOn.value_or(settings.sleepMonitorOn);
    settings.sleepMonitorEveryDay = sleepMonitorEveryDay.value_or(settings.sleepMonitorEveryDay);
    if (sleepStart) {
        settings.sleepStartHour = sleepStart->hour();
        settings.sleepStartMinute = sleepStart->minute();
    }
    if (sleepStop) {
        settings.sleepStopHour = sleepStop->hour();
        settings.sleepStopMinute = sleepStop->minute();
    }
}

Result<QString> TimeSet(const TimeSetChoice& choice)
{
    if (CollectionRunning()) {
        return fail(QStringLiteral("A collection is running; set the time when it is done."));
    }
    user().setStatusText(QString());
    const WristbandLink& link = appState().link;
    if (!isTimeSetLetter(link.driveLetter)) {
        user().showMessage(NotFound);
        return fail(NotFound);
    }
    return link.passThrough ? timeSetPassThrough(choice)
                            : timeSetFileModel(choice, link.driveLetter);
}

} // namespace trek
