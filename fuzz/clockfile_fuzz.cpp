// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary CLOCK.TXT files as a file-model wristband's disk holds them and checks what the
// reader and the two writers promise: the values it takes are held to their ranges, a file the
// set-up writes from them reads back as the same settings, and rewriting the clock keeps every
// line the program does not own, in order, and changes nothing when done twice.

#include "app/appstate.h"
#include "app/wristbandsettings.h"
#include "device/clocktext.h"
#include "fuzzcheck.h"

#include <QDateTime>
#include <QList>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using trek::WristbandSettings;

using trek::fuzz::check;

WristbandSettings Parsed(const QByteArray& text)
{
    trek::ResetWristbandSettings(true);
    WristbandSettings settings = trek::appState().wristband;
    trek::ParseClockText(text, settings);
    return settings;
}

QByteArray PictureLines(const WristbandSettings& settings)
{
    QByteArray lines;
    for (int i = 0; i < WristbandSettings::PictureSize - 1 && settings.picture[i] != 0xFF; ++i) {
        lines.append(static_cast<char>(settings.picture[i]));
    }
    return lines;
}

void CheckRanges(const WristbandSettings& settings)
{
    check(settings.clockCorrection >= -99 && settings.clockCorrection <= 99);
    check(settings.scrollSpeed >= 0 && settings.scrollSpeed <= 8);
    check(std::all_of(settings.displayEntries.begin(), settings.displayEntries.end(),
                      [](int entry) { return entry >= 0 && entry <= 10; }));
    // Room for the terminating zero after the longest message the wristband shows.
    check(std::all_of(settings.message.begin() + WristbandSettings::MaxMessageLength,
                      settings.message.end(), [](char c) { return c == '\0'; }));
}

// The set-up file written from what was read gives the same settings back.
void CheckSetupRoundTrip(WristbandSettings settings, const QDateTime& now)
{
    const QByteArray message = trek::FilterMessage(settings.message);
    // The wristband skips a line that names its demonstration mode, message or not.
    if (message.contains("Demo=")) {
        return;
    }
    settings.message.fill('\0');
    std::copy(message.begin(), message.end(), settings.message.begin());
    const WristbandSettings again = Parsed(trek::FormatSetupClockText(settings, now));
    check(again.message == settings.message);
    check(PictureLines(again) == PictureLines(settings));
    check(again.displayEntries == settings.displayEntries);
    check(again.scrollSpeed == settings.scrollSpeed);
    check(again.clockCorrection == settings.clockCorrection);
    check(again.hourMode == settings.hourMode);
}

bool OwnedLine(const QByteArray& line)
{
    for (const char* key : {"Date=", "Time=", "TAdj=", "HMod=", "REM :"}) {
        if (line.startsWith(key)) {
            return true;
        }
    }
    return false;
}

// The start of each line up to its first character the wristband cannot show.
QList<QByteArray> ShowableLines(const QByteArray& text)
{
    QList<QByteArray> lines;
    for (QByteArray line : text.split('\n')) {
        const auto cut = std::find_if(line.begin(), line.end(), [](char c) {
            const auto code = static_cast<unsigned char>(c);
            return code < 32 || code > 127;
        });
        line.truncate(cut - line.begin());
        lines.append(line);
    }
    return lines;
}

void CheckRewrite(const QByteArray& text, const QDateTime& now, int correction, int hourMode)
{
    const QByteArray rewritten = trek::RewriteClockText(text, now, correction, hourMode);
    check(trek::RewriteClockText(rewritten, now, correction, hourMode) == rewritten);

    // What precedes the program's own lines are lines of the old file, in their order.
    const qsizetype ownAt = rewritten.lastIndexOf("\nDate=");
    check(ownAt >= 0);
    const QList<QByteArray> kept = ShowableLines(rewritten.first(ownAt));
    const QList<QByteArray> old = ShowableLines(text);
    qsizetype next = 0;
    qsizetype wanted = 0;
    for (const QByteArray& line : old) {
        wanted += !line.isEmpty() && !OwnedLine(line) ? 1 : 0;
    }
    qsizetype keptCount = 0;
    for (const QByteArray& line : kept) {
        if (line.isEmpty()) {
            continue;
        }
        check(!OwnedLine(line));
        while (next < old.size() && old[next] != line) {
            ++next;
        }
        check(next < old.size());
        ++next;
        ++keptCount;
    }
    // A file well inside the size limit loses none of them.
    if (text.size() < 1024) {
        check(keptCount == wanted);
    }
    const WristbandSettings read = Parsed(rewritten);
    check(read.clockCorrection == std::clamp(correction, -99, 99));
    check(read.hourMode == hourMode);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray disk(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray text = trek::FromDiskLineEnds(disk);
    check(trek::ToDiskLineEnds(text).size() >= disk.size());

    const WristbandSettings settings = Parsed(text);
    CheckRanges(settings);
    const QDateTime now(QDate(2026, 6, 15), QTime(14, 30, 15));
    CheckSetupRoundTrip(settings, now);
    CheckRewrite(text, now, settings.clockCorrection, settings.hourMode);
    return 0;
}
