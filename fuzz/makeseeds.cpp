// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seeds of the fuzz targets from the emulator: what its wristbands write and answer,
// framed as each target reads its input. scripts/fuzz.sh --seeds runs it; the program-file seeds
// are not the emulator's and stay as they are.
//   makeseeds CORPUS-FOLDER

#include "app/appstate.h"
#include "app/wristbandsettings.h"
#include "backends/sim/singletargettransport.h"
#include "device/clocktext.h"
#include "device/settingsblock.h"
#include "device/vendorcommands.h"
#include "emulator/filemodelwristband.h"
#include "emulator/inquiryanswer.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordimage.h"
#include "emulator/recordwriters.h"
#include "platform/inidocument.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

using namespace trek;

const QDate LastDay(2026, 5, 31);
const QDateTime Now(QDate(2026, 6, 15), QTime(14, 30, 15));

bool failed = false;

void Write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        (void)std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        failed = true;
    }
}

// Kind and day in the first byte, month and year in the second, as the day-file target reads them.
QByteArray DayFileSeed(bool kdx, const QDate& date, const QByteArray& file)
{
    QByteArray seed;
    seed.append(static_cast<char>(((date.day() - 1) << 1) | (kdx ? 1 : 0)));
    seed.append(static_cast<char>(((date.year() - 2012) << 4) | (date.month() - 1)));
    return seed + file;
}

void DayFiles(const QString& folder)
{
    const emu::DaySteps day = emu::RecordGenerator(7).day(LastDay);
    Write(folder, QStringLiteral("text-day"), DayFileSeed(false, LastDay, emu::TextDayFile(day)));
    Write(folder, QStringLiteral("kdx-day"), DayFileSeed(true, LastDay, emu::KdxDayFile(day)));
}

QByteArray Blocks(const QByteArray& image, std::initializer_list<int> numbers)
{
    QByteArray blocks;
    for (const int number : numbers) {
        blocks += emu::ImageBlock(image, number);
    }
    return blocks;
}

void RecordImages(const QString& folder)
{
    const emu::RecordGenerator generator(11);
    // One day fits the first region; two more days than it holds go to the second.
    const QByteArray oneDay = emu::MakeK7Image(generator.generate(1, LastDay)).bytes;
    Write(folder, QStringLiteral("k7-first-region"), '\0' + Blocks(oneDay, {8, 10, 12, 14}));
    QByteArray secondRegion = emu::MakeK7Image(generator.generate(3, LastDay)).bytes;
    Write(folder, QStringLiteral("k7-second-region"),
          '\0' + QByteArray(qsizetype{4} * emu::RecordBlockSize, '\0') +
              Blocks(secondRegion, {96, 98}));
    // Two days across the turn of a month.
    Write(folder, QStringLiteral("k9e-stream"),
          '\1' + emu::MakeK9EImage(generator.generate(2, LastDay.addDays(1))));
}

void ClockFile(const QString& folder)
{
    emu::FileModelWristband wristband(QDir::tempPath() + QStringLiteral("/makeseeds-unused"),
                                      [] { return Now; });
    Write(folder, QStringLiteral("wristband-clock"), wristband.clockFileText());

    ResetWristbandSettings(true);
    WristbandSettings settings = appState().wristband;
    const QByteArray message = "Keep walking!";
    std::copy(message.begin(), message.end(), settings.message.begin());
    for (std::size_t i = 0; i < 8; ++i) {
        settings.picture.at(i) = static_cast<std::uint8_t>(0x18 << (i % 3));
    }
    settings.clockCorrection = -12;
    settings.hourMode = 1;
    const QByteArray setup = FormatSetupClockText(settings, Now);
    Write(folder, QStringLiteral("setup-clock"), ToDiskLineEnds(setup));
    Write(folder, QStringLiteral("rewritten-clock"),
          ToDiskLineEnds(RewriteClockText("; the user's own line\n" + setup, Now, 5, 0)));
}

void SettingsBlocks(const QString& folder)
{
    // As the wristband answers it, clock included.
    emu::PassThroughWristband wristband(emu::PassThroughWristband::Model::K9E, {},
                                        [] { return Now; });
    platform::SingleTargetTransport transport(wristband);
    appState().services.scsi = &transport;
    std::array<std::uint8_t, RecordBlockLength> answer{};
    ReadSettingsBlock(platform::SingleTargetTransport::Handle, answer.data());
    Write(folder, QStringLiteral("wristband-answer"),
          QByteArray(reinterpret_cast<const char*>(answer.data()), SettingsBlockLength));
    appState().services.scsi = nullptr;

    ResetWristbandSettings(true);
    WristbandSettings settings = appState().wristband;
    settings.sleepMonitorOn = true;
    settings.sleepStartHour = 22;
    settings.ledPowerControl = true;
    const SettingsBlock sent = BuildSettingsBlock(settings, Now, '7');
    Write(folder, QStringLiteral("sent-block"),
          QByteArray(reinterpret_cast<const char*>(sent.data()), sent.size()));
}

void Inquiry(const QString& folder)
{
    const auto bytes = [](const emu::InquiryData& data) {
        return QByteArray(reinterpret_cast<const char*>(data.data()), data.size());
    };
    Write(folder, QStringLiteral("k7-new-data"), bytes(emu::WristbandInquiry('7', true)));
    Write(folder, QStringLiteral("k9e"), bytes(emu::WristbandInquiry('E', false)));
    Write(folder, QStringLiteral("plain-disk"), bytes(emu::PlainDiskInquiry()));
}

void SettingsFiles(const QString& folder)
{
    const QList<platform::ProfileEntry> entries{
        {QStringLiteral("Summary"), QStringLiteral("TotalSteps"), QStringLiteral("123456")},
        {QStringLiteral("Mission"), QStringLiteral("A_Status"), QStringLiteral("1")},
        {QStringLiteral("Advance"), QStringLiteral("Language"), QStringLiteral("2")},
        {QStringLiteral("Personal"), QStringLiteral("Name"), QStringLiteral(" Zo\u00eb ")},
    };
    const std::pair<const char*, QByteArray> starts[] = {
        {"utf8", QByteArray("; settings\n")},
        {"utf8-mark-crlf", QByteArray("\xEF\xBB\xBF[Summary]\r\nTotalPeriod = \"90\"\r\n")},
        {"utf16le-mark", QByteArray("\xFF\xFE", 2)},
        {"one-byte", QByteArray("[Personal]\nCity=M\xFCnster\n")},
    };
    for (const auto& [name, start] : starts) {
        platform::IniDocument document = platform::IniDocument::parse(start);
        if (!document.set(entries)) {
            failed = true;
        }
        Write(folder, QString::fromLatin1(name), document.bytes());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        (void)std::fprintf(stderr, "usage: makeseeds CORPUS-FOLDER\n");
        return 2;
    }
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    DayFiles(corpus + QStringLiteral("/day-files"));
    RecordImages(corpus + QStringLiteral("/record-images"));
    ClockFile(corpus + QStringLiteral("/clock-file"));
    SettingsBlocks(corpus + QStringLiteral("/settings-block"));
    Inquiry(corpus + QStringLiteral("/inquiry"));
    SettingsFiles(corpus + QStringLiteral("/settings-file"));
    return failed ? 1 : 0;
}
