// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/clockcheck.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "app/userinterface.h"
#include "device/localclock.h"
#include "device/timesetrules.h"
#include "device/vendorcommands.h"

#include <array>

namespace trek {

namespace {

void runHook(const std::function<void()>& hook)
{
    if (hook) {
        hook();
    }
}

// The hooks let the page that started the check disable and enable its buttons around it.
class ClockCheckHooks final
{
public:
    ClockCheckHooks() { runHook(appState().hooks.clockCheckStarted); }
    ~ClockCheckHooks() { runHook(appState().hooks.clockCheckFinished); }
    Q_DISABLE_COPY_MOVE(ClockCheckHooks)
};

QString letterText(char letter)
{
    return letter != 0 ? QString(QChar::fromLatin1(letter)) : QString();
}

} // namespace

QString ClockCheckReportText(const WristbandLink& link, const QDateTime& pcNow,
                             const DriftReport& drift)
{
    return FillText(GetLangText(TextRow::ClockCheckReport),
                    {letterText(link.driveLetter), QStringLiteral("K7"),
                     letterText(link.modelLetter), drift.lastUpdateText, FormatClockText(pcNow),
                     drift.watchText, drift.differenceText});
}

Result<ClockCheckReport> ClockCheck()
{
    if (CollectionRunning()) {
        return fail(QStringLiteral("A collection is running; check the clock when it is done."));
    }
    const WristbandLink& link = appState().link;
    if (link.driveLetter == 0) {
        return fail(QStringLiteral("### Not found Stepo-Disk ###"));
    }
    if (!link.passThrough) {
        return fail(QStringLiteral("A file-model wristband has no clock the PC can read."));
    }
    ResetWristbandSettings(false);
    const ClockCheckHooks hooks;
    user().setStatusText(QStringLiteral(" >> Checking ..."));

    const QDateTime pcNow = CurrentLocalTime();
    std::array<std::uint8_t, RecordBlockLength> block{};
    const int code = ReadSettingsBlock(link.volume, block.data());
    if (code != 0 || !HasMakerAndModelHeader(block)) {
        const QString reason =
            code != 0 ? QStringLiteral("the wristband did not answer (error %1)").arg(code)
                      : QStringLiteral("the wristband answered a block that is not its settings");
        user().setStatusText(QStringLiteral(" >> Checking failed: ") + reason);
        return fail(QStringLiteral("The clock could not be read: ") + reason + u'.');
    }

    const DriftReport drift = MeasureDrift(block, pcNow);
    ClockCheckReport report;
    report.statusText = QStringLiteral(" >> Time Difference = ") + drift.differenceText;
    report.reportText = ClockCheckReportText(link, pcNow, drift);
    report.clockCorrection = drift.clockCorrection;
    user().setStatusText(report.statusText);
    user().showMessage(report.reportText);

    TakeOverBlockSettings(block, TakeOverScope::ClockCheck, appState().wristband);
    appState().wristband.clockCorrection = drift.clockCorrection;
    return report;
}

} // namespace trek
