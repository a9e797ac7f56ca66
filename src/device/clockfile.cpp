#include "device/clockfile.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "app/userinterface.h"
#include "device/clocktext.h"
#include "device/localclock.h"
#include "device/rootfiles.h"
#include "device/settingsblock.h"
#include "device/vendorcommands.h"
#include "platform/atomicfile.h"
#include "platform/regularfile.h"

namespace trek {

namespace {

const QString ClockFileName = QStringLiteral("CLOCK.TXT");
const QString MarkerFileName = QStringLiteral("USBWATCH.DAT");
constexpr int ReportRow = 88;
// The real file is a few hundred bytes; anything far larger is not the wristband's and is not
// read at all.
constexpr qint64 MaxClockFileSize = 1 << 16;

WristbandSettings& settings()
{
    return appState().wristband;
}

// A missing file, or anything but a regular file under its name, reads as empty.
QByteArray readClockFile(const QString& root)
{
    const Result<QByteArray> text =
        platform::readRegularFile(RootFilePath(root, ClockFileName), MaxClockFileSize);
    return text ? FromDiskLineEnds(*text) : QByteArray();
}

// The marker is rewritten in place, or made when there is none. A link, a FIFO or a folder under
// its name is never written through.
Result<> writeRootFile(const QString& path, QByteArrayView bytes)
{
    if (platform::isRegularFile(path)) {
        return platform::overwriteRegularFile(path, bytes);
    }
    return platform::createRegularFile(path, bytes, true);
}

// Replaced whole so an unplug in the middle never leaves the wristband a torn clock file to
// apply; a link under its name is refused, not followed.
Result<> writeClockFile(const QString& root, const QByteArray& text)
{
    return platform::writeFileAtomically(RootFilePath(root, ClockFileName), ToDiskLineEnds(text));
}

// The marker that identifies the disk as a wristband's. It would best be hidden on the FAT disk,
// but there is no portable call for that attribute, and nothing here depends on it.
Result<> writeEmptyMarker(const QString& root)
{
    return writeRootFile(RootFilePath(root, MarkerFileName), QByteArrayView());
}

void finishClockCheck()
{
    if (const auto& finished = appState().hooks.clockCheckFinished) {
        finished();
    }
}

QString modelLetterText()
{
    const char letter = appState().link.modelLetter;
    return letter != 0 ? QString(QChar::fromLatin1(letter)) : QString();
}

} // namespace

void ReadClockFile(char letter)
{
    ResetWristbandSettings(false);
    if (letter == 0) {
        return;
    }
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return;
    }
    ParseClockText(readClockFile(root), settings());
}

Result<> WriteSetupClockFile(char letter)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return fail(
            QStringLiteral("Drive %1: has no mounted volume.").arg(QChar::fromLatin1(letter)));
    }
    const QByteArray message = FilterMessage(settings().message);
    settings().message.fill('\0');
    std::copy(message.begin(), message.end(), settings().message.begin());
    if (Result<> written =
            writeClockFile(root, FormatSetupClockText(settings(), CurrentLocalTime()));
        !written) {
        return written;
    }
    return writeEmptyMarker(root);
}

void RewriteClockFileTime(char letter, int clockCorrection)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return;
    }
    (void)writeClockFile(root, RewriteClockText(readClockFile(root), CurrentLocalTime(),
                                                clockCorrection, settings().hourMode));
}

Result<> SendSettingsBlock()
{
    return SendSettingsBlock(CurrentLocalTime());
}

Result<> SendSettingsBlock(const QDateTime& localNow)
{
    const SettingsBlock block =
        BuildSettingsBlock(settings(), localNow, appState().link.modelLetter);
    if (const int code = WriteSettingsBlock(appState().link.volume, block.data()); code != 0) {
        return fail(
            QStringLiteral("The wristband did not take the settings block (code %1).").arg(code));
    }
    return {};
}

void ApplyStatusBlock(StatusBlockKind kind)
{
    const bool collection = kind == StatusBlockKind::Collection;
    const WristbandLink& link = appState().link;
    ResetWristbandSettings(collection);
    if (collection && link.volume == platform::InvalidDeviceHandle) {
        return;
    }
    if (!collection) {
        if (link.driveLetter == 0) {
            return;
        }
        if (const auto& started = appState().hooks.clockCheckStarted) {
            started();
        }
        user().setStatusText(QStringLiteral(" >> Checking ..."));
    }

    const QDateTime pcNow = CurrentLocalTime();
    std::array<std::uint8_t, RecordBlockLength> block{};
    ReadSettingsBlock(link.volume, block.data());
    const bool headerOk = collection ? HasMakerHeader(block) : HasMakerAndModelHeader(block);
    if (!headerOk) {
        if (!collection) {
            finishClockCheck();
        }
        return;
    }

    const DriftReport drift = MeasureDrift(block, pcNow);
    if (!collection) {
        user().setStatusText(QStringLiteral(" >> Time Difference = ") + drift.differenceText);
    }
    user().showMessage(FillText(GetLangText(ReportRow),
                                {QString(QChar::fromLatin1(link.driveLetter)), QStringLiteral("K7"),
                                 modelLetterText(), drift.lastUpdateText, FormatClockText(pcNow),
                                 drift.watchText, drift.differenceText}));

    TakeOverBlockSettings(block, collection ? TakeOverScope::Collection : TakeOverScope::ClockCheck,
                          settings());
    settings().clockCorrection = drift.clockCorrection;
    if (!collection) {
        finishClockCheck();
    }
}

} // namespace trek
