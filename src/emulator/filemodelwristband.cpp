// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/filemodelwristband.h"

#include "emulator/recordwriters.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace trek::emu {

namespace {

const QString ClockFileName = QStringLiteral("CLOCK.TXT");
const QString MarkerFileName = QStringLiteral("USBWATCH.DAT");

QString writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("Cannot write %1: %2.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

std::optional<int> decimal(const QByteArray& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

FileModelWristband::FileModelWristband(QString root, ClockFunction hostNow)
    : m_root(std::move(root)), m_clock(std::move(hostNow))
{
    m_picture.fill(0xFF);
}

QByteArray FileModelWristband::clockFileText() const
{
    QByteArray picture;
    for (const std::uint8_t line : m_picture) {
        if (line == 0xFF) {
            break;
        }
        picture += QString::asprintf("%02X", line).toLatin1();
    }
    QByteArray display;
    for (const int entry : m_display) {
        display += static_cast<char>('A' + std::clamp(entry, 0, 10));
    }
    return "UStr=" + m_message + "\r\nUPic=" + picture + "\r\nDisp=" + display +
           "\r\nSped=" + QByteArray::number(m_scrollSpeed) +
           "\r\nTAdj=" + QByteArray::number(m_clock.correction()) +
           "\r\nHMod=" + QByteArray::number(m_hourMode) + "\r\n";
}

QString FileModelWristband::makeDisk(const StepHistory& history, DayFileKind kind)
{
    if (!QDir().mkpath(m_root)) {
        return QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(m_root));
    }
    const QDir root(m_root);
    for (const DaySteps& day : history) {
        const bool text = kind == DayFileKind::Text;
        const QString name = text ? TextDayFileName(day.date) : KdxDayFileName(day.date);
        QString error = writeWhole(root.filePath(name), text ? TextDayFile(day) : KdxDayFile(day));
        if (!error.isEmpty()) {
            return error;
        }
    }
    if (QString error = writeWhole(root.filePath(MarkerFileName), {}); !error.isEmpty()) {
        return error;
    }
    return writeWhole(root.filePath(ClockFileName), clockFileText());
}

void FileModelWristband::applyLine(const QByteArray& key, const QByteArray& value, QDate& date,
                                   QTime& time)
{
    if (key == "Date") {
        date = QDate::fromString(QString::fromLatin1(value.trimmed()), QStringLiteral("yyyyMMdd"));
    } else if (key == "Time") {
        time = QTime::fromString(QString::fromLatin1(value.trimmed()), QStringLiteral("HHmmss"));
    } else if (key == "TAdj") {
        if (const auto correction = decimal(value)) {
            m_clock.setCorrection(std::clamp(*correction, -99, 99));
        }
    } else if (key == "HMod") {
        if (const auto mode = decimal(value); mode && (*mode == 0 || *mode == 1)) {
            m_hourMode = *mode;
        }
    } else if (key == "Sped") {
        if (const auto speed = decimal(value)) {
            m_scrollSpeed = std::clamp(*speed, 0, 8);
        }
    } else if (key == "Disp") {
        for (int index = 0; index < DisplayEntryCount && index < value.size(); ++index) {
            const char letter = value[index];
            if (letter < 'A' || letter > 'K') {
                break;
            }
            m_display[static_cast<std::size_t>(index)] = letter - 'A';
        }
    } else if (key == "UStr") {
        QByteArray message;
        for (const char c : value) {
            if (c >= 32 && c < 127 && message.size() < MaxMessageLength) {
                message += c;
            }
        }
        m_message = message;
    } else if (key == "UPic") {
        m_picture.fill(0xFF);
        const QByteArray hex = value.trimmed();
        for (int line = 0; line < PictureSize && 2 * line + 1 < hex.size(); ++line) {
            bool ok = false;
            const uint byte = hex.mid(qsizetype{2} * line, 2).toUInt(&ok, 16);
            if (!ok) {
                break;
            }
            m_picture[static_cast<std::size_t>(line)] = static_cast<std::uint8_t>(byte);
        }
    }
}

QString FileModelWristband::unplug()
{
    const QString path = QDir(m_root).filePath(ClockFileName);
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("Cannot read %1: %2.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();

    QDate date;
    QTime time;
    QByteArray kept;
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const bool keyLine = line.size() >= 5 && line[4] == '=' && !line.startsWith("REM :");
        const QByteArray key = keyLine ? line.left(4) : QByteArray();
        if (keyLine) {
            applyLine(key, line.mid(5), date, time);
        }
        if (!line.isEmpty() && key != "Date" && key != "Time") {
            kept += line + "\r\n";
        }
    }
    if (!date.isValid() && !time.isValid()) {
        return {};
    }
    const QDateTime current = m_clock.now();
    const QDateTime setTo(date.isValid() ? date : current.date(),
                          time.isValid() ? time : current.time(), Qt::UTC);
    m_clock.set(setTo);
    kept += "REM : clock set to " +
            setTo.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toLatin1() + "\r\n";
    return writeWhole(path, kept);
}

} // namespace trek::emu
