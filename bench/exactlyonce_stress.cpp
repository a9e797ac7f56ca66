// SPDX-License-Identifier: GPL-3.0-or-later
// Exactly-once under stress: N collections by the command-line tool killed with SIGKILL at random
// moments (a day-file disk and a K9E wristband by turns), each run again until it finishes, and
// M in-process collections whose wristband is pulled out at a random day file or record block
// and plugged in again. Then N / 4 rounds in which two tools collect one K9E wristband into one
// folder at once, and N / 2 kills of a day-file collection after which the working folder is
// copied elsewhere and collected there. Every one is compared minute by minute, and by its
// counters, with an undisturbed collection of the same wristband. Arguments: N M [seed]; the seed
// fixes every random choice. Exits 1 when a step was lost or counted twice, or a temporary file was
// left.

#include "app/appstate.h"
#include "app/userinterface.h"
#include "backends/linux/iniprofile.h"
#include "backends/sim/singletargettransport.h"
#include "data/collectionreport.h"
#include "data/csvexport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "emulator/filemodelwristband.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordwriters.h"
#include "median.h"
#include "platform/drivetable.h"
#include "platform/inidocument.h"
#include "support/quietspawn.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace trek;

namespace {

// What a working folder holds: steps per minute and the two counters.
struct Store
{
    std::map<QString, int> minutes;
    qint64 totalSteps = 0;
    qint64 totalPeriod = 0;
};

struct Figures
{
    int collectRuns = 0;
    int kills = 0;
    int endedBeforeKill = 0;
    int killsInCommit = 0; // a journal was left, and the next run finished it
    int killsInWrite = 0;  // a temporary file was left
    qint64 stepsLost = 0;
    qint64 stepsTwice = 0;
    int counterMismatches = 0;
    int leftovers = 0;
    int wristbandLeftovers = 0; // temporary files a killed write left on the wristband's disk
    int unplugCycles = 0;
    int twoCollectorRounds = 0;
    int movedFolderRounds = 0;
    int movedWithJournal = 0; // the copy held a journal, finished in its new place
    int oldFolderChanged = 0; // the folder a copy was made from changed afterwards
    std::vector<double> diskMs;
    std::vector<double> imageMs;
};

Store ReadStore(const QString& work)
{
    Store store;
    const Result<> exported = ExportCsv(work, {}, [&store](const QString& line) {
        const qsizetype comma = line.indexOf(u',');
        if (line.at(0).isDigit()) {
            store.minutes[line.left(comma)] = line.mid(comma + 1).toInt();
        }
    });
    if (!exported) {
        (void)std::fprintf(stderr, "export failed: %s\n", qPrintable(exported.error()));
    }
    QFile settings(work + QStringLiteral("/Trekkomat2.INI"));
    if (settings.open(QIODevice::ReadOnly)) {
        const auto document = platform::IniDocument::parse(settings.readAll());
        store.totalSteps =
            document.getInt(QStringLiteral("Summary"), QStringLiteral("TotalSteps"), 0);
        store.totalPeriod =
            document.getInt(QStringLiteral("Summary"), QStringLiteral("TotalPeriod"), 0);
    }
    return store;
}

// Adds the difference to the figures; true when there was none.
bool Compare(const Store& expected, const Store& actual, Figures& figures)
{
    std::map<QString, qint64> difference;
    for (const auto& [minute, steps] : actual.minutes) {
        difference[minute] += steps;
    }
    for (const auto& [minute, steps] : expected.minutes) {
        difference[minute] -= steps;
    }
    bool same = true;
    for (const auto& [minute, steps] : difference) {
        (steps < 0 ? figures.stepsLost : figures.stepsTwice) += std::abs(steps);
        same = same && steps == 0;
    }
    if (expected.totalSteps != actual.totalSteps || expected.totalPeriod != actual.totalPeriod) {
        ++figures.counterMismatches;
        same = false;
    }
    return same;
}

QStringList Leftovers(const QString& work)
{
    QStringList found;
    for (const QString& folder : QStringList{work, work + QStringLiteral("/Data")}) {
        found += QDir(folder).entryList({QStringLiteral(".*.tmp"), QStringLiteral("*.journal")},
                                        QDir::AllEntries | QDir::Hidden | QDir::System);
    }
    return found;
}

int DayFilesOn(const QString& disk)
{
    static const QRegularExpression dayFile(QStringLiteral("^\\d{8}\\.(txt|kdx)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QStringList names = QDir(disk).entryList(QDir::Files);
    return static_cast<int>(std::count_if(names.begin(), names.end(), [](const QString& name) {
        return dayFile.match(name).hasMatch();
    }));
}

void Refill(const QString& folder, const QString& from)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        QFile::copy(from + u'/' + name, folder + u'/' + name);
    }
}

// ---- the command-line tool as a process ----

// Starts the tool, its output thrown away; 0 when it cannot be started.
pid_t Spawn(const QStringList& arguments)
{
    pid_t child = 0;
    return test::SpawnQuietly(QStringLiteral(TREK_CLI_PATH), arguments, child) == 0 ? child : 0;
}

// Runs the tool to its end; answers milliseconds.
double RunCli(const QStringList& arguments, int* exitCode = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t child = Spawn(arguments);
    int status = 0;
    const bool ended = child != 0 && ::waitpid(child, &status, 0) == child;
    if (exitCode != nullptr) {
        *exitCode = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Starts the tool and kills it after `delayUs`; false when it had ended by then.
bool KilledAfter(const QStringList& arguments, qint64 delayUs)
{
    const pid_t child = Spawn(arguments);
    if (child == 0) {
        return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
        return false;
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return true;
}

// One wristband the tool collects from: a disk folder or a K9E image in its own folder.
struct ToolWristband
{
    QString templatePath;
    QString wristband; // the folder the collection may change
    bool image = false;
    Store reference;

    QString drive() const
    {
        return image ? QString(QStringLiteral("F=k9e:") + wristband + QStringLiteral("/k9e.img"))
                     : QString(QStringLiteral("E=") + wristband);
    }
    bool done() const
    {
        return image ? QFile::exists(wristband + QStringLiteral("/k9e.img.collected"))
                     : DayFilesOn(wristband) == 0;
    }
    void fresh(const QString& work) const
    {
        QDir(work).removeRecursively();
        QDir().mkpath(work);
        QDir(wristband).removeRecursively();
        QDir().mkpath(wristband);
        if (image) {
            QFile::copy(templatePath, wristband + QStringLiteral("/k9e.img"));
        } else {
            Refill(wristband, templatePath);
        }
    }
};

QStringList Collect(const QString& work, const ToolWristband& band)
{
    return {QStringLiteral("--workdir"), work, QStringLiteral("--drive"), band.drive(),
            QStringLiteral("collect")};
}

// Runs the tool until it succeeds with nothing left; false when five runs did not do it.
bool CollectUntilDone(const QString& work, const ToolWristband& band, Figures& figures)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        int exitCode = -1;
        RunCli(Collect(work, band), &exitCode);
        ++figures.collectRuns;
        if (exitCode == 0 && band.done()) {
            return true;
        }
    }
    return false;
}

// One collection from a fresh start, killed after each of `delaysUs` in turn (a later kill hits
// the run that finishes what the one before left), then run until it is done and compared.
void KillRound(const QString& work, const ToolWristband& band, const std::vector<qint64>& delaysUs,
               Figures& figures)
{
    band.fresh(work);
    for (const qint64 delayUs : delaysUs) {
        ++figures.collectRuns;
        if (!KilledAfter(Collect(work, band), delayUs)) {
            ++figures.endedBeforeKill;
            continue;
        }
        ++figures.kills;
        const QStringList left = Leftovers(work);
        figures.killsInCommit += left.contains(QStringLiteral("Trekkomat2.journal")) ? 1 : 0;
        figures.killsInWrite +=
            std::any_of(left.begin(), left.end(),
                        [](const QString& name) { return name.endsWith(QStringLiteral(".tmp")); })
                ? 1
                : 0;
    }
    const long long firstUs = delaysUs.empty() ? 0 : delaysUs.front();
    if (!CollectUntilDone(work, band, figures)) {
        (void)std::fprintf(stderr, "killed after %lld us: not collected after five runs\n",
                           firstUs);
    }
    if (!Compare(band.reference, ReadStore(work), figures)) {
        (void)std::fprintf(stderr, "killed after %lld us (%zu kills): the store differs\n", firstUs,
                           delaysUs.size());
    }
    figures.leftovers += static_cast<int>(Leftovers(work).size());
    if (!band.image) {
        figures.wristbandLeftovers +=
            static_cast<int>(QDir(band.wristband)
                                 .entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden)
                                 .size());
    }
}

// Two tools collect the same wristband into the same folder at once.
void TwoCollectorsRound(const QString& work, const ToolWristband& band, Figures& figures)
{
    band.fresh(work);
    const pid_t first = Spawn(Collect(work, band));
    const pid_t second = Spawn(Collect(work, band));
    for (const pid_t child : {first, second}) {
        int status = 0;
        if (child != 0) {
            ::waitpid(child, &status, 0);
        }
        ++figures.collectRuns;
    }
    if (!CollectUntilDone(work, band, figures)) {
        (void)std::fprintf(stderr, "two collectors: not collected after five runs\n");
    }
    if (!Compare(band.reference, ReadStore(work), figures)) {
        (void)std::fprintf(stderr, "two collectors: the store differs\n");
    }
    figures.leftovers += static_cast<int>(Leftovers(work).size());
    ++figures.twoCollectorRounds;
}

QByteArray FolderContent(const QString& folder)
{
    QByteArray content;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    QStringList paths;
    while (entries.hasNext()) {
        paths << entries.next();
    }
    paths.sort();
    for (const QString& path : paths) {
        QFile file(path);
        content += path.toUtf8() + '\0';
        if (file.open(QIODevice::ReadOnly)) {
            content += QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        }
    }
    return content;
}

// A collection killed at a random moment; its working folder is then copied to `moved` and
// collected there, and the folder it was copied from must not change.
void MovedFolderRound(const QString& work, const QString& moved, const ToolWristband& disk,
                      qint64 delayUs, Figures& figures)
{
    disk.fresh(work);
    ++figures.collectRuns;
    (void)KilledAfter(Collect(work, disk), delayUs);
    QDir(moved).removeRecursively();
    QDir().mkpath(moved);
    figures.movedWithJournal += QFile::exists(work + QStringLiteral("/Trekkomat2.journal")) ? 1 : 0;
    Refill(moved, work);
    QDirIterator subfolders(work, QDir::Dirs | QDir::NoDotAndDotDot);
    while (subfolders.hasNext()) {
        const QString name = QFileInfo(subfolders.next()).fileName();
        Refill(moved + u'/' + name, work + u'/' + name);
    }
    const QByteArray before = FolderContent(work);
    if (!CollectUntilDone(moved, disk, figures)) {
        (void)std::fprintf(stderr, "moved folder: not collected after five runs\n");
    }
    if (!Compare(disk.reference, ReadStore(moved), figures)) {
        (void)std::fprintf(stderr, "moved folder, killed after %lld us: the store differs\n",
                           static_cast<long long>(delayUs));
    }
    figures.oldFolderChanged += FolderContent(work) != before ? 1 : 0;
    figures.leftovers += static_cast<int>(Leftovers(moved).size());
    ++figures.movedFolderRounds;
}

// ---- in process: the wristband pulled out and plugged in again ----

class FolderDrive final : public platform::DriveTable
{
public:
    explicit FolderDrive(QString root) : m_root(std::move(root)) {}
    std::uint32_t logicalDriveMask() const override { return platform::driveBit('E'); }
    QString driveRoot(char letter) const override { return letter == 'E' ? m_root : QString(); }
    QStringList diskDevicePaths() const override { return {}; }

private:
    QString m_root;
};

class PumpHook final : public UserInterface
{
public:
    void setStatusText(const QString&) override {}
    void setDriveLabel(const QString&) override {}
    int askYesNo(const QString&, const QString&) override { return Yes; }
    void showMessage(const QString&) override {}
    void pumpMessages() override
    {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void notifyDataChanged() override {}
    void notifyRefresh() override {}

    int pumps = 0;
    std::function<void()> onPump;
};

platform::IniProfile profile;

void UseWorkingFolder(const QString& work)
{
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    appState().workingFolder = work;
    appState().settingsPath = work + QStringLiteral("/Trekkomat2.INI");
}

// Collects the disk at `root`, pulled out at pump `unplugAt` (0: never) and plugged in again;
// answers the pumps of the run.
int UnpluggedDayFiles(const QString& work, const QString& root, int unplugAt, PumpHook& ui)
{
    UseWorkingFolder(work);
    const QString away = root + QStringLiteral("-away");
    ui.pumps = 0;
    ui.onPump = [&] {
        if (ui.pumps == unplugAt) {
            QDir().rename(root, away);
        }
    };
    CollectionReport cut;
    CopyDayFiles('E', cut);
    const int pumps = ui.pumps;
    ui.onPump = nullptr;
    if (QFileInfo::exists(away)) {
        QDir().rename(away, root);
    }
    for (int attempt = 0; attempt < 3 && DayFilesOn(root) > 0; ++attempt) {
        CollectionReport again;
        CopyDayFiles('E', again);
    }
    return pumps;
}

void UnpluggedK9E(const QString& work, const QByteArray& image, int unplugAfter)
{
    UseWorkingFolder(work);
    emu::PassThroughWristband device(emu::PassThroughWristband::Model::K9E, image);
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;
    device.disappearAfterBlocks(unplugAfter);
    CollectionReport cut;
    (void)ReadK9EBlocks(1, cut);
    device.reconnect();
    for (int attempt = 0; attempt < 3 && device.hasNewData(); ++attempt) {
        CollectionReport again;
        (void)ReadK9EBlocks(1, again);
    }
    appState().services.scsi = nullptr;
}

QString MakeDisk(const QString& folder)
{
    // ~60 day files of both kinds over two months: two commits a collection.
    RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"), folder,
            QStringLiteral("--days"), QStringLiteral("30"), QStringLiteral("--kind"),
            QStringLiteral("text"), QStringLiteral("--seed"), QStringLiteral("21"),
            QStringLiteral("--end"), QStringLiteral("2024-03-05")});
    RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"), folder,
            QStringLiteral("--days"), QStringLiteral("30"), QStringLiteral("--kind"),
            QStringLiteral("kdx"), QStringLiteral("--seed"), QStringLiteral("22"),
            QStringLiteral("--end"), QStringLiteral("2024-03-20")});
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int killCount = argc > 1 ? std::max(0, std::atoi(argv[1])) : 20;
    const int unplugCount = argc > 2 ? std::max(0, std::atoi(argv[2])) : 5;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoll(argv[3])) : 2026U;
    std::mt19937 random(seed);
    QTemporaryDir scratch;
    // The simulated pass-through drive of a killed tool leaves its temporary volume folder.
    QDir().mkpath(scratch.filePath(QStringLiteral("tmp")));
    qputenv("TMPDIR", QFile::encodeName(scratch.filePath(QStringLiteral("tmp"))));
    const QString work = scratch.filePath(QStringLiteral("work"));
    Figures figures;

    ToolWristband disk{MakeDisk(scratch.filePath(QStringLiteral("template-disk"))),
                       scratch.filePath(QStringLiteral("disk")),
                       false,
                       {}};
    ToolWristband band{scratch.filePath(QStringLiteral("template.img")),
                       scratch.filePath(QStringLiteral("band")),
                       true,
                       {}};
    RunCli({QStringLiteral("emulate"), QStringLiteral("make-image"), QStringLiteral("k9e"),
            band.templatePath, QStringLiteral("--days"), QStringLiteral("20"),
            QStringLiteral("--seed"), QStringLiteral("23"), QStringLiteral("--end"),
            QStringLiteral("2024-03-10")});
    for (ToolWristband* wristband : {&disk, &band}) {
        std::vector<double>& times = wristband->image ? figures.imageMs : figures.diskMs;
        for (int run = 0; run < 5; ++run) {
            wristband->fresh(work);
            int exitCode = -1;
            times.push_back(RunCli(Collect(work, *wristband), &exitCode));
            if (exitCode != 0 || !wristband->done()) {
                (void)std::fprintf(stderr, "the undisturbed collection failed\n");
                return 1;
            }
        }
        wristband->reference = ReadStore(work);
    }

    // One round in four kills the run after the first kill as well, once or twice, so that the
    // roll-forward of an unfinished commit is killed too.
    std::uniform_int_distribution<int> quarter(0, 3);
    std::uniform_int_distribution<int> further(1, 2);
    for (int round = 0, issued = 0; issued < killCount; ++round) {
        const ToolWristband& wristband = round % 2 == 0 ? disk : band;
        const double medianMs = Median(wristband.image ? figures.imageMs : figures.diskMs);
        std::uniform_int_distribution<qint64> delay(0, static_cast<qint64>(medianMs * 1000));
        const int kills =
            std::min(killCount - issued, 1 + (quarter(random) == 0 ? further(random) : 0));
        std::vector<qint64> delaysUs;
        delaysUs.reserve(static_cast<std::size_t>(kills));
        for (int kill = 0; kill < kills; ++kill) {
            delaysUs.push_back(delay(random));
        }
        issued += kills;
        KillRound(work, wristband, delaysUs, figures);
    }

    for (int round = 0; round < std::max(2, killCount / 4); ++round) {
        TwoCollectorsRound(work, band, figures);
    }
    std::uniform_int_distribution<qint64> diskDelay(
        0, static_cast<qint64>(Median(figures.diskMs) * 1000));
    for (int round = 0; round < std::max(2, killCount / 2); ++round) {
        MovedFolderRound(work, scratch.filePath(QStringLiteral("moved")), disk, diskDelay(random),
                         figures);
    }

    // The unplug cycles run in this process, against the same wristbands made in memory.
    appState().services.profile = &profile;
    PumpHook ui;
    appState().ui = &ui;
    const QString root = scratch.filePath(QStringLiteral("unplug-disk"));
    FolderDrive drive(root);
    appState().services.drives = &drive;
    Refill(root, disk.templatePath);
    const QString referenceWork = scratch.filePath(QStringLiteral("reference"));
    const int pumpsPerRun = UnpluggedDayFiles(referenceWork, root, 0, ui);
    const Store diskReference = ReadStore(referenceWork);
    QFile imageFile(band.templatePath);
    imageFile.open(QIODevice::ReadOnly);
    const QByteArray image = imageFile.readAll();
    const int blocks = static_cast<int>(image.size() / 512);
    UnpluggedK9E(referenceWork + u'2', image, -1);
    const Store imageReference = ReadStore(referenceWork + u'2');
    for (int cycle = 0; cycle < unplugCount; ++cycle, ++figures.unplugCycles) {
        const bool dayFiles = cycle % 2 == 0;
        // A folder of its own each time: the profile knows a settings file by its path.
        const QString cycleWork = work + QStringLiteral("-%1").arg(cycle);
        if (dayFiles) {
            Refill(root, disk.templatePath);
            std::uniform_int_distribution<int> at(1, pumpsPerRun);
            UnpluggedDayFiles(cycleWork, root, at(random), ui);
        } else {
            std::uniform_int_distribution<int> after(0, blocks);
            UnpluggedK9E(cycleWork, image, after(random));
        }
        if (!Compare(dayFiles ? diskReference : imageReference, ReadStore(cycleWork), figures)) {
            (void)std::fprintf(stderr, "unplug cycle %d: the store differs\n", cycle);
        }
        figures.leftovers += static_cast<int>(Leftovers(cycleWork).size());
        QDir(cycleWork).removeRecursively();
    }
    appState().services = platform::Services{};
    appState().ui = nullptr;

    std::printf("working folders under %s, seed %u\n", qPrintable(scratch.path()), seed);
    std::printf("collect runs of the tool:           %d\n", figures.collectRuns);
    std::printf("kills (SIGKILL):                    %d\n",
                figures.kills + figures.endedBeforeKill);
    std::printf("  landed in a running collection:   %d\n", figures.kills);
    std::printf("  came after the run had ended:     %d\n", figures.endedBeforeKill);
    std::printf("  hit the commit (journal left):    %d\n", figures.killsInCommit);
    std::printf("  hit a file write (.tmp left):     %d\n", figures.killsInWrite);
    std::printf("unplug/replug cycles:               %d\n", figures.unplugCycles);
    std::printf("two collectors at once (K9E):       %d rounds\n", figures.twoCollectorRounds);
    std::printf("working folder copied after a kill: %d rounds, %d with a journal\n",
                figures.movedFolderRounds, figures.movedWithJournal);
    std::printf("  folder copied from changed after: %d\n", figures.oldFolderChanged);
    std::printf("steps lost:                         %lld\n",
                static_cast<long long>(figures.stepsLost));
    std::printf("steps counted twice:                %lld\n",
                static_cast<long long>(figures.stepsTwice));
    std::printf("counter mismatches:                 %d\n", figures.counterMismatches);
    std::printf("leftover temporary files, journals: %d\n", figures.leftovers);
    std::printf("temporary files left on the disk:   %d\n", figures.wristbandLeftovers);
    std::printf("median undisturbed collection:      %.1f ms (60 day files), %.1f ms (K9E, 40 "
                "blocks)\n",
                Median(figures.diskMs), Median(figures.imageMs));
    const bool exact = figures.stepsLost == 0 && figures.stepsTwice == 0 &&
                       figures.counterMismatches == 0 && figures.leftovers == 0 &&
                       figures.oldFolderChanged == 0;
    return exact ? 0 : 1;
}
