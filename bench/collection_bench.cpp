// SPDX-License-Identifier: GPL-3.0-or-later
// Medians of the two heaviest collections: a leap year of KDX day files (366 imports, saved
// durably before the day files go) and a K9E stream of 99 blocks. The year is set beside its
// floor, measured in the same run between its rounds: the bytes it leaves in the working folder
// written as one synced file. Run as root, the folders lie on a journaled ext4 image of their own,
// mounted through a loop device, so that neither tmpfs nor the writes of other programs decide
// the figures; otherwise they lie on the build folder's file system, and the output says which.

#include "app/appstate.h"
#include "backends/linux/iniprofile.h"
#include "backends/sim/simulateddriveservices.h"
#include "backends/sim/singletargettransport.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordwriters.h"
#include "median.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

using namespace trek;

namespace {

constexpr int LeapYearDays = 366;
constexpr qint64 KdxFileSize = 3072;
// A wristband writes a day file when the day ends, long before it is collected; the collection
// trusts a file's version not to hide a change only when the file is some seconds old.
constexpr unsigned long SettlingMs = 3500;

platform::IniProfile profile;

bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Where the runs' folders go: a fresh ext4 image mounted through a loop device when the bench may
// mount one, else the build folder.
class ScratchFileSystem final
{
public:
    explicit ScratchFileSystem(const QString& buildFolder)
        : m_holder(buildFolder + QStringLiteral("/scratch-XXXXXX"))
    {
        if (!m_holder.isValid()) {
            m_description = QStringLiteral("nothing: %1 cannot be written").arg(buildFolder);
            return;
        }
        m_root = m_holder.path();
        const QString type = QString::fromUtf8(QStorageInfo(m_root).fileSystemType());
        m_description =
            QStringLiteral("the build folder's file system (%1) at %2").arg(type, m_root);
        if (::geteuid() != 0) {
            m_description += QStringLiteral(", not being root");
            return;
        }
        const QString image = m_holder.filePath(QStringLiteral("ext4.img"));
        const QString mountPoint = m_holder.filePath(QStringLiteral("mnt"));
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64{512} * 1024 * 1024) ||
            !QDir().mkpath(mountPoint) ||
            !Run(QStringLiteral("mkfs.ext4"),
                 {QStringLiteral("-q"), QStringLiteral("-F"), image})) {
            m_description += QStringLiteral(", as no ext4 image could be made");
            return;
        }
        file.close();
        // In a mount namespace of its own, the image's mount goes with the bench however it
        // ends, a crash or a kill included, and nobody else ever sees it.
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            m_description += QStringLiteral(", as no mount namespace could be made");
            return;
        }
        if (!Run(QStringLiteral("mount"),
                 {QStringLiteral("-o"), QStringLiteral("loop"), image, mountPoint})) {
            m_description += QStringLiteral(", as the ext4 image could not be mounted");
            return;
        }
        // The loop device holds the image open: gone from the folder, it takes its space with it
        // when the device lets go.
        QFile::remove(image);
        m_mountPoint = mountPoint;
        m_root = mountPoint;
        m_description = QStringLiteral("a fresh journaled ext4 image on a loop device, backed by "
                                       "the build folder's %1")
                            .arg(type);
    }
    ~ScratchFileSystem()
    {
        if (!m_mountPoint.isEmpty() && !Run(QStringLiteral("umount"), {m_mountPoint})) {
            (void)Run(QStringLiteral("umount"), {QStringLiteral("-l"), m_mountPoint});
        }
    }
    Q_DISABLE_COPY_MOVE(ScratchFileSystem)

    const QString& root() const { return m_root; }
    const QString& description() const { return m_description; }

private:
    QTemporaryDir m_holder;
    QString m_root;
    QString m_mountPoint;
    QString m_description;
};

// Starts each run from a fresh state, so nothing from the previous run is carried over.
void UseWorkingFolder(const QString& folder)
{
    resetAppState();
    appState().services.profile = &profile;
    appState().workingFolder = folder;
    appState().settingsPath = folder + QStringLiteral("/Trekkomat2.INI");
}

// A wristband's disk with the year's day files.
std::unique_ptr<QTemporaryDir> MakeDisk(const QString& root, const emu::StepHistory& year, bool& ok)
{
    auto disk = std::make_unique<QTemporaryDir>(root + QStringLiteral("/disk-XXXXXX"));
    for (const emu::DaySteps& day : year) {
        QFile file(disk->filePath(emu::KdxDayFileName(day.date)));
        ok = ok && file.open(QIODevice::WriteOnly) &&
             file.write(emu::KdxDayFile(day)) == KdxFileSize;
    }
    return disk;
}

// The processor time of this thread: what the collection costs apart from waiting for the disk
// and for the other processes of a busy machine.
double ThreadCpuMs()
{
    struct timespec now
    {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The machine's load when the runs start, which the figures depend on.
QString LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("unknown");
    }
    return QString::fromLatin1(file.readAll()).section(u' ', 0, 2);
}

qint64 BytesUnder(const QString& folder)
{
    qint64 bytes = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        bytes += files.nextFileInfo().size();
    }
    return bytes;
}

// One run: the year taken off `disk` into an empty working folder; answers milliseconds and the
// bytes the working folder then holds.
double ImportLeapYear(const QString& root, const QString& disk, qint64& written, double& cpuMs,
                      bool& ok)
{
    const QTemporaryDir work(root + QStringLiteral("/work-XXXXXX"));
    UseWorkingFolder(work.path());
    auto drives = platform::createSimulatedDriveServices({QStringLiteral("E=") + disk});
    (*drives)->installInto(appState().services);

    CollectionReport report;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = ThreadCpuMs();
    const int imported = CopyDayFiles('E', report);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    cpuMs = ThreadCpuMs() - cpuBefore;
    ok = ok && imported == LeapYearDays && QDir(disk).entryList(QDir::Files).isEmpty();
    written = BytesUnder(work.path());
    appState().services.drives = nullptr;
    appState().services.scsi = nullptr;
    return ms;
}

// The floor: `bytes` written as one new file and made durable with its folder entry.
double WriteOneSyncedFile(const QString& root, const QByteArray& bytes, bool& ok)
{
    const QTemporaryDir folder(root + QStringLiteral("/floor-XXXXXX"));
    QElapsedTimer timer;
    timer.start();
    ok = platform::createRegularFile(folder.filePath(QStringLiteral("floor")), bytes, true).ok() &&
         ok;
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double ReadStream(const QString& root, const QByteArray& image, bool& ok)
{
    const QTemporaryDir work(root + QStringLiteral("/stream-XXXXXX"));
    UseWorkingFolder(work.path());
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
    const emu::StepHistory year = generator.generate(LeapYearDays, QDate(2024, 12, 31));
    // 49.5 days of twelve-hour blocks: the 99th carries the end mark.
    QByteArray stream = emu::MakeK9EImage(generator.generate(50, QDate(2024, 2, 19)));
    stream.truncate(qsizetype{99} * 512);
    stream[98 * 512 + 292] = 15;

    bool ok = true;
    std::vector<double> yearMs;
    std::vector<double> floorMs;
    std::vector<double> cpuMs;
    std::vector<double> streamMs;
    qint64 written = 0;
    {
        const ScratchFileSystem scratch(QCoreApplication::applicationDirPath());
        std::printf("folders on %s; load average %s\n", qPrintable(scratch.description()),
                    qPrintable(LoadAverage()));
        if (scratch.root().isEmpty()) {
            return 1;
        }
        std::vector<std::unique_ptr<QTemporaryDir>> disks;
        disks.reserve(static_cast<std::size_t>(runs));
        for (int run = 0; run < runs; ++run) {
            disks.push_back(MakeDisk(scratch.root(), year, ok));
        }
        ::sync();
        QThread::msleep(SettlingMs);
        for (int run = 0; run < runs && ok; ++run) {
            double cpu = 0;
            yearMs.push_back(ImportLeapYear(scratch.root(), disks[run]->path(), written, cpu, ok));
            cpuMs.push_back(cpu);
            const QByteArray same(written, '\x5a');
            floorMs.push_back(WriteOneSyncedFile(scratch.root(), same, ok));
            streamMs.push_back(ReadStream(scratch.root(), stream, ok));
        }
    }
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not collect everything\n");
        return 1;
    }
    const double yearMedian = Median(yearMs);
    const double floorMedian = Median(floorMs);
    std::printf("leap year of KDX day files (366 imports): median %.1f ms over %d runs "
                "(%.2f ms a file), %.1f ms of it on the processor\n",
                yearMedian, runs, yearMedian / LeapYearDays, Median(cpuMs));
    std::printf("the same %lld bytes as one synced file: median %.1f ms; the year takes %.1fx "
                "that floor (goal: at most 150 ms and 8x)\n",
                static_cast<long long>(written), floorMedian, yearMedian / floorMedian);
    std::printf("K9E stream of 99 blocks: median %.1f ms over %d runs\n", Median(streamMs), runs);
    return 0;
}
