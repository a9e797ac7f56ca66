// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/wristbandstate.h"

#include "emulator/passthroughwristband.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace trek::emu {

namespace {

// A few lines of text; anything far larger is no state of ours.
constexpr qint64 MaxStateSize = 4096;
const QString WallFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
constexpr int CorrectionOffset = 31;

QString wallText(const QDateTime& wall)
{
    return wall.toString(WallFormat);
}

QDateTime wallFrom(const QByteArray& text)
{
    return DeviceClock::wallTime(QDateTime::fromString(QString::fromLatin1(text), WallFormat));
}

Failure notOurs(const QString& path, const QString& why)
{
    return fail(QStringLiteral("The wristband state %1 cannot be read: %2.")
                    .arg(QDir::toNativeSeparators(path), why));
}

} // namespace

QString WristbandStatePath(const QString& imagePath)
{
    return imagePath + QStringLiteral(".state");
}

Result<std::optional<WristbandState>> LoadWristbandState(const QString& imagePath)
{
    const QString path = WristbandStatePath(imagePath);
    QFile file(path);
    if (!file.exists()) {
        return std::optional<WristbandState>();
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxStateSize) {
        return notOurs(path, QStringLiteral("it cannot be opened or is too large"));
    }
    WristbandState state;
    bool hasWatch = false;
    bool hasHost = false;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) {
            continue;
        }
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "model" && value.size() == 1) {
            state.modelLetter = value.at(0);
        } else if (key == "watch") {
            state.clock.wall = wallFrom(value);
            hasWatch = state.clock.wall.isValid();
        } else if (key == "host") {
            state.clock.host = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
            hasHost = state.clock.host.isValid();
        } else if (key == "last-set" && value != "never") {
            state.lastSet = wallFrom(value);
        } else if (key == "drift") {
            state.driftSecondsPerDay = value.toDouble();
        } else if (key == "settings") {
            state.settings = QByteArray::fromHex(value);
        }
    }
    if (!hasWatch || !hasHost || state.settings.size() != PassThroughWristband::SettingsSize ||
        (state.lastSet && !state.lastSet->isValid())) {
        return notOurs(path, QStringLiteral("a line is missing or malformed"));
    }
    return std::optional(state);
}

Result<> SaveWristbandState(const QString& imagePath, const WristbandState& state)
{
    QByteArray text;
    if (state.modelLetter != 0) {
        text += QByteArray("model=") + state.modelLetter + '\n';
    }
    text += "watch=" + wallText(state.clock.wall).toLatin1() + '\n';
    // The host's moment with its offset, so a reading survives a change of the zone.
    text += "host=" +
            state.clock.host.toOffsetFromUtc(state.clock.host.offsetFromUtc())
                .toString(Qt::ISODateWithMs)
                .toLatin1() +
            '\n';
    text += "last-set=" + (state.lastSet ? wallText(*state.lastSet).toLatin1() : "never") + '\n';
    text += "drift=" + QByteArray::number(state.driftSecondsPerDay) + '\n';
    text += "settings=" + state.settings.toHex() + '\n';

    const QString path = WristbandStatePath(imagePath);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        return fail(QStringLiteral("The wristband state %1 cannot be written: %2.")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return {};
}

WristbandState CaptureState(const PassThroughWristband& wristband)
{
    WristbandState state;
    state.modelLetter = wristband.modelLetter();
    state.settings = wristband.settings();
    state.clock = wristband.clock().reading();
    state.lastSet = wristband.clock().lastSet();
    state.driftSecondsPerDay = wristband.clock().driftSecondsPerDay();
    return state;
}

void RestoreState(PassThroughWristband& wristband, const WristbandState& state)
{
    wristband.restoreSettings(state.settings);
    DeviceClock& clock = wristband.clock();
    clock.setDriftSecondsPerDay(state.driftSecondsPerDay);
    clock.setCorrection(static_cast<std::int8_t>(state.settings.at(CorrectionOffset)));
    clock.restore(state.clock, state.lastSet);
}

} // namespace trek::emu
