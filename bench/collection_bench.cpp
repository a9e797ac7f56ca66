// Medians of the two heaviest collections: a leap year of KDX day files (366 imports, each one
// saved durably before its day file goes) and a K9E stream of 99 blocks. The working folder lies
// on the file system of TMPDIR, so that the fsyncs reach a real disk unless TMPDIR says otherwise.

#include "app/appstate.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordwriters.h"
#include "median.h"
#include "platform/linux/iniprofile.h"
#include "platform/sim/simulateddriveservices.h"
#include "platform/sim/singletargettransport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace trek;

namespace {

platform::IniProfile profile;

// Starts each run from a fresh state, so nothing from the previous run is carried over.
void UseWorkingFolder(const QString& folder)
{
    resetAppState();
    appState().services.profile = &profile;
    appState().workingFolder = folder;
    appState().settingsPath = folder + QStringLiteral("/Trekkomat2.INI");
}

// One run: a fresh disk with 366 day files and an empty working folder; answers milliseconds.
double ImportLeapYear(const emu::StepHistory& year, bool& ok)
{
    QTemporaryDir scratch;
    const QString disk = scratch.filePath(QStringLiteral("disk"));
    QDir().mkpath(disk);
    for (const emu::DaySteps& day : year) {
        QFile file(disk + u'/' + emu::KdxDayFileName(day.date));
        ok = ok && file.open(QIODevice::WriteOnly) && file.write(emu::KdxDayFile(day)) == 3072;
    }
    UseWorkingFolder(scratch.filePath(QStringLiteral("work")));
    auto drives = platform::createSimulatedDriveServices({QStringLiteral("E=") + disk});
    (*drives)->installInto(appState().services);
    QDir().mkpath(appState().workingFolder);

    CollectionReport report;
    QElapsedTimer timer;
    timer.start();
    const int imported = CopyDayFiles('E', report);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    ok = ok && imported == 366 && QDir(disk).entryList(QDir::Files).isEmpty();
    appState().services.drives = nullptr;
    appState().services.scsi = nullptr;
    return ms;
}

double ReadStream(const QByteArray& image, bool& ok)
{
    QTemporaryDir scratch;
    UseWorkingFolder(scratch.path());
    emu::PassThroughWristband device(emu::PassThroughWristband::Model::K9E, image);
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;

    CollectionReport report;
    QElapsedTimer timer;
    timer.start();
    ok = ok && ReadK9EBlocks(1, report) && device.endCollectionCount() == 1;
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    appState().services.scsi = nullptr;
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const emu::RecordGenerator generator(2024);
    const emu::StepHistory year = generator.generate(366, QDate(2024, 12, 31));
    // 49.5 days of twelve-hour blocks: the 99th carries the end mark.
    QByteArray stream = emu::MakeK9EImage(generator.generate(50, QDate(2024, 2, 19)));
    stream.truncate(qsizetype{99} * 512);
    stream[98 * 512 + 292] = 15;

    bool ok = true;
    std::vector<double> yearMs;
    std::vector<double> streamMs;
    for (int run = 0; run < runs; ++run) {
        yearMs.push_back(ImportLeapYear(year, ok));
        streamMs.push_back(ReadStream(stream, ok));
    }
    std::printf("working folders under %s\n", qPrintable(QDir::tempPath()));
    std::printf("leap year of KDX day files (366 imports): median %.1f ms over %d runs "
                "(%.2f ms a file)\n",
                Median(yearMs), runs, Median(yearMs) / 366.0);
    std::printf("K9E stream of 99 blocks: median %.1f ms over %d runs\n", Median(streamMs), runs);
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not collect everything\n");
        return 1;
    }
    return 0;
}
