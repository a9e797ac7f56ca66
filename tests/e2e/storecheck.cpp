// SPDX-License-Identifier: GPL-3.0-or-later
#include "storecheck.h"

#include "platform/inidocument.h"
#include "support/quietspawn.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace trek::test {

namespace {

const QString SettingsName = QStringLiteral("Trekkomat2.INI");

QByteArray Sha256(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The image of a "k9e:" or "k7:" drive, or nothing for a folder drive.
QString ImageOf(const QString& drive)
{
    const QString source = drive.mid(2);
    for (const QString& prefix : {QStringLiteral("k9e:"), QStringLiteral("k7:")}) {
        if (source.startsWith(prefix)) {
            return source.mid(prefix.size());
        }
    }
    return {};
}

} // namespace

CliRun RunCli(const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(TREK_CLI_PATH), arguments);
    CliRun run;
    run.finished = process.waitForFinished(timeoutMs);
    run.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(-1);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool RunCliKilledAfter(const QStringList& arguments, qint64 delayUs)
{
    // QProcess would add an event loop's latency to the moment of the kill; a plain spawn and
    // kill put it where the delay says.
    pid_t child = 0;
    const int spawned = test::SpawnQuietly(QStringLiteral(TREK_CLI_PATH), arguments, child);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start the tool: " << std::strerror(spawned);
        return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    int status = 0;
    const bool endedAlready = ::waitpid(child, &status, WNOHANG) == child;
    if (!endedAlready) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    return !endedAlready;
}

QStringList CollectArguments(const QString& work, const QString& drive)
{
    return {QStringLiteral("--workdir"), work, QStringLiteral("--drive"), drive,
            QStringLiteral("collect")};
}

QString DiskDrive(const QString& folder)
{
    return QStringLiteral("E=") + folder;
}

QString K9EDrive(const QString& image)
{
    return QStringLiteral("F=k9e:") + image;
}

QString CollectedMark(const QString& image)
{
    return image + QStringLiteral(".collected");
}

int DayFilesOn(const QString& disk)
{
    static const QRegularExpression dayFile(QStringLiteral("^\\d{8}\\.(txt|kdx)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QStringList names =
        QDir(disk).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    return static_cast<int>(std::count_if(names.begin(), names.end(), [](const QString& name) {
        return dayFile.match(name).hasMatch();
    }));
}

int CollectUntilDone(const QString& work, const QString& drive, int attempts)
{
    const QString image = ImageOf(drive);
    const auto done = [&] {
        return image.isEmpty() ? DayFilesOn(drive.mid(2)) == 0
                               : QFileInfo::exists(CollectedMark(image));
    };
    CliRun last;
    for (int run = 1; run <= attempts; ++run) {
        last = RunCli(CollectArguments(work, drive));
        if (last.exitCode == 0 && done()) {
            return run;
        }
    }
    ADD_FAILURE() << "still not collected after " << attempts << " runs; the last said "
                  << last.err.toStdString();
    return attempts;
}

StoreState ReadStore(const QString& work)
{
    StoreState state;
    const CliRun exported = RunCli(
        {QStringLiteral("--workdir"), work, QStringLiteral("export"), QStringLiteral("csv")});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QStringList lines = exported.out.split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype comma = lines[i].indexOf(u',');
        state.minutes[lines[i].left(comma)] = lines[i].mid(comma + 1).toInt();
    }
    QFile settings(work + u'/' + SettingsName);
    if (settings.open(QIODevice::ReadOnly)) {
        const platform::IniDocument document = platform::IniDocument::parse(settings.readAll());
        state.totalSteps =
            document.getInt(QStringLiteral("Summary"), QStringLiteral("TotalSteps"), 0);
        state.totalPeriod =
            document.getInt(QStringLiteral("Summary"), QStringLiteral("TotalPeriod"), 0);
    }
    return state;
}

StoreState Sum(const StoreState& a, const StoreState& b)
{
    StoreState sum = a;
    for (const auto& [minute, steps] : b.minutes) {
        sum.minutes[minute] += steps;
    }
    sum.totalSteps += b.totalSteps;
    sum.totalPeriod += b.totalPeriod;
    return sum;
}

Tally Compare(const StoreState& expected, const StoreState& actual)
{
    Tally tally;
    std::map<QString, qint64> difference;
    for (const auto& [minute, steps] : actual.minutes) {
        difference[minute] += steps;
    }
    for (const auto& [minute, steps] : expected.minutes) {
        difference[minute] -= steps;
    }
    for (const auto& [minute, steps] : difference) {
        (steps < 0 ? tally.lost : tally.twice) += std::abs(steps);
    }
    tally.stepCounterError = actual.totalSteps - expected.totalSteps;
    tally.periodCounterError = actual.totalPeriod - expected.totalPeriod;
    return tally;
}

QString Describe(const Tally& tally)
{
    return QStringLiteral("steps lost %1, counted twice %2; TotalSteps off by %3, TotalPeriod "
                          "off by %4")
        .arg(tally.lost)
        .arg(tally.twice)
        .arg(tally.stepCounterError)
        .arg(tally.periodCounterError);
}

QStringList Leftovers(const QString& work)
{
    QStringList found;
    for (const QString& folder : QStringList{work, work + QStringLiteral("/Data")}) {
        const QStringList names =
            QDir(folder).entryList({QStringLiteral(".*.tmp"), QStringLiteral("*.journal")},
                                   QDir::AllEntries | QDir::Hidden | QDir::System);
        for (const QString& name : names) {
            found << QDir(work).relativeFilePath(folder + u'/' + name);
        }
    }
    return found;
}

QMap<QString, QByteArray> Snapshot(const QString& root, const QStringList& skip)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        // A killed tool leaves the empty temporary folder its simulated pass-through drive
        // shows as a volume; the emulation's, not the collection's.
        if (relative.startsWith(QStringLiteral("tmp/trekkomat-cli-")) ||
            std::any_of(skip.begin(), skip.end(), [&relative](const QString& folder) {
                return relative == folder || relative.startsWith(folder + u'/');
            })) {
            continue;
        }
        const QByteArray native = QFile::encodeName(path);
        struct stat info
        {};
        if (::lstat(native.constData(), &info) != 0) {
            entries.insert(relative, "gone");
        } else if (S_ISLNK(info.st_mode)) {
            std::array<char, 4096> target{};
            const ssize_t length = ::readlink(native.constData(), target.data(), target.size());
            entries.insert(relative,
                           "link " + QByteArray(target.data(), std::max<ssize_t>(0, length)));
        } else if (S_ISREG(info.st_mode)) {
            QFile file(path);
            entries.insert(relative, "file " + QByteArray::number(info.st_size) + ' ' +
                                         (file.open(QIODevice::ReadOnly) ? Sha256(file.readAll())
                                                                         : QByteArray("?")));
        } else {
            entries.insert(relative, "mode " + QByteArray::number(info.st_mode & S_IFMT, 8));
        }
    }
    return entries;
}

void CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden)) {
        const QString target = to + u'/' + name;
        QFile::remove(target);
        EXPECT_TRUE(QFile::copy(from + u'/' + name, target)) << target.toStdString();
    }
}

void EmptyFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isDir() && !entry.isSymLink()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            dir.remove(entry.fileName());
        }
    }
}

} // namespace trek::test
