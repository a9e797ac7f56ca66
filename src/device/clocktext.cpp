// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/clocktext.h"

#include <QList>
#include <algorithm>
#include <limits>

namespace trek {

namespace {

constexpr int MaxPictureLines = 39;
constexpr std::uint8_t PictureEnd = 0xFF;
constexpr int MaxCorrection = 99;
constexpr int MaxScrollSpeed = 8;
constexpr int MaxDisplayDigit = 9;
constexpr int MaxDisplayEffect = 10;
// The reader of the values takes lines in pieces of this length, as a fixed-size line buffer
// delivers them. The rewrite keeps lines whole: a piece cut from a long line would come back as a
// line of junk the wristband would try to read.
constexpr qsizetype ReadLineLimit = 127;
constexpr qsizetype MaxKeptText = 2048;

bool isWristbandChar(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 127;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Splits text into lines as a fixed-size line reader does: each piece ends at a line end (kept)
// or after `limit` characters.
QList<QByteArray> readPieces(const QByteArray& text, qsizetype limit)
{
    QList<QByteArray> pieces;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype lineEnd = text.indexOf('\n', at);
        const qsizetype end = lineEnd < 0 ? text.size() : lineEnd + 1;
        const qsizetype length = std::min(end - at, limit);
        pieces.append(text.mid(at, length));
        at += length;
    }
    return pieces;
}

// Leading decimal number as atoi reads it, saturating instead of overflowing.
int leadingNumber(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    constexpr long long Cap = std::numeric_limits<int>::max();
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = std::min(value * 10 + (text[i] - '0'), Cap);
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

QByteArray afterKey(const QByteArray& line, qsizetype keyAt)
{
    constexpr qsizetype KeyLength = 5;
    QByteArray value = line.mid(keyAt + KeyLength);
    if (value.endsWith('\n')) {
        value.chop(1);
    }
    return value;
}

QByteArray clockLines(const QDateTime& localNow)
{
    const QDate date = localNow.date();
    const QTime time = localNow.time();
    return QString::asprintf("Date=%04d%02d%02d\nTime=%02d%02d%02d", date.year(), date.month(),
                             date.day(), time.hour(), time.minute(), time.second())
        .toLatin1();
}

void applyLine(const QByteArray& line, WristbandSettings& settings)
{
    if (line.contains("Demo=")) {
        return;
    }
    if (const qsizetype at = line.indexOf("UStr="); at >= 0) {
        const QByteArray text = afterKey(line, at).left(WristbandSettings::MaxMessageLength);
        settings.message.fill('\0');
        std::copy(text.begin(), text.end(), settings.message.begin());
        return;
    }
    if (const qsizetype at = line.indexOf("UPic="); at >= 0) {
        const QByteArray lines = DecodeHexBytes(afterKey(line, at), MaxPictureLines);
        std::copy(lines.begin(), lines.end(), settings.picture.begin());
        return;
    }
    if (const qsizetype at = line.indexOf("Disp="); at >= 0) {
        const QList<int> entries =
            DecodeDigitLetters(afterKey(line, at), WristbandSettings::DisplayEntryCount);
        std::copy(entries.begin(), entries.end(), settings.displayEntries.begin());
        return;
    }
    if (const qsizetype at = line.indexOf("TAdj="); at >= 0) {
        settings.clockCorrection = leadingNumber(afterKey(line, at));
    } else if (const qsizetype speedAt = line.indexOf("Sped="); speedAt >= 0) {
        settings.scrollSpeed = leadingNumber(afterKey(line, speedAt));
    } else if (const qsizetype modeAt = line.indexOf("HMod="); modeAt >= 0) {
        settings.hourMode = leadingNumber(afterKey(line, modeAt));
    }
}

} // namespace

QByteArray FilterMessage(const std::array<char, WristbandSettings::MessageSize>& message)
{
    QByteArray filtered;
    for (char c : message) {
        if (c == '\0') {
            break;
        }
        if (isWristbandChar(c)) {
            filtered.append(c);
        }
    }
    return filtered.left(WristbandSettings::MaxMessageLength);
}

QByteArray FormatSetupClockText(const WristbandSettings& settings, const QDateTime& localNow)
{
    QByteArray text;
    const auto messageEnd = std::find(settings.message.begin(), settings.message.end(), '\0');
    text += "UStr=" + QByteArray(settings.message.data(), messageEnd - settings.message.begin());
    text += "\nUPic=";
    for (int i = 0; i < MaxPictureLines && settings.picture[i] != PictureEnd; ++i) {
        text += QByteArray::number(settings.picture[i], 16).toUpper().rightJustified(2, '0');
    }
    text += "\nDisp=";
    for (int effect : settings.displayEntries) {
        text += static_cast<char>('A' + effect);
    }
    text += "\nSped=" + QByteArray::number(settings.scrollSpeed);
    text += "\nTAdj=" + QByteArray::number(settings.clockCorrection);
    text += '\n' + clockLines(localNow) + '\n';
    text += "HMod=" + QByteArray::number(settings.hourMode) + '\n';
    return text;
}

QByteArray RewriteClockText(const QByteArray& oldText, const QDateTime& localNow,
                            int clockCorrection, int hourMode)
{
    static const QByteArray dropped[] = {"Date=", "Time=", "TAdj=", "HMod=", "REM :"};
    QByteArray kept;
    for (QByteArray piece : readPieces(oldText, std::numeric_limits<qsizetype>::max())) {
        const auto cut = std::find_if_not(piece.begin(), piece.end(), isWristbandChar);
        piece.truncate(cut - piece.begin());
        if (piece.isEmpty() ||
            std::any_of(std::begin(dropped), std::end(dropped),
                        [&piece](const QByteArray& key) { return piece.startsWith(key); })) {
            continue;
        }
        if (kept.size() + piece.size() + 1 > MaxKeptText) {
            break;
        }
        kept += piece + '\n';
    }
    return kept + '\n' + clockLines(localNow) + "\nTAdj=" + QByteArray::number(clockCorrection) +
           "\nHMod=" + QByteArray::number(hourMode);
}

void ParseClockText(const QByteArray& text, WristbandSettings& settings)
{
    for (const QByteArray& line : readPieces(text, ReadLineLimit)) {
        applyLine(line, settings);
    }
    for (int& entry : settings.displayEntries) {
        entry = entry < 0 ? 0 : (entry > MaxDisplayDigit ? MaxDisplayEffect : entry);
    }
    settings.clockCorrection = std::clamp(settings.clockCorrection, -MaxCorrection, MaxCorrection);
    settings.scrollSpeed = std::clamp(settings.scrollSpeed, 0, MaxScrollSpeed);
}

QByteArray DecodeHexBytes(const QByteArray& text, int maxBytes)
{
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < text.size() && bytes.size() < maxBytes; i += 2) {
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0) {
            break;
        }
        bytes.append(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

QList<int> DecodeDigitLetters(const QByteArray& text, int maxValues)
{
    QList<int> values;
    for (char c : text) {
        if (values.size() >= maxValues) {
            break;
        }
        if (c >= '0' && c <= '9') {
            values.append(c - '0');
        } else if (c >= 'A' && c <= 'Z') {
            values.append(c - 'A');
        } else if (c >= 'a' && c <= 'z') {
            values.append(c - 'a');
        } else {
            break;
        }
    }
    return values;
}

QByteArray ToDiskLineEnds(const QByteArray& text)
{
    QByteArray bytes = text;
    return bytes.replace("\n", "\r\n");
}

QByteArray FromDiskLineEnds(const QByteArray& bytes)
{
    QByteArray text = bytes;
    return text.replace("\r\n", "\n");
}

} // namespace trek
