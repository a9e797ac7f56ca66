// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <map>
#include <ostream>

// Failing comparisons show file names and messages as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The command-line tool run as a separate process, and what a working folder holds afterwards,
// for the tests that disturb collections and compare them with an undisturbed one.

namespace trek::test {

struct CliRun
{
    bool finished = false; // within the time allowed, not killed
    int exitCode = -1;
    QString out;
    QString err;
    double ms = 0;
};

// Runs the tool to its end, or kills it after `timeoutMs`.
CliRun RunCli(const QStringList& arguments, int timeoutMs = 60000);
// Starts the tool and kills it with SIGKILL after `delayUs` microseconds; true when the kill
// came before the tool had ended on its own.
bool RunCliKilledAfter(const QStringList& arguments, qint64 delayUs);

// "--workdir WORK --drive DRIVE collect".
QStringList CollectArguments(const QString& work, const QString& drive);
// "E=DIR" for a folder, "F=k9e:FILE" for a pass-through image.
QString DiskDrive(const QString& folder);
QString K9EDrive(const QString& image);
QString CollectedMark(const QString& image);

// Entries named like day files ("YYYYMMDD.txt", ".KDX") still on a wristband's disk.
int DayFilesOn(const QString& disk);
// Collects until a run succeeds with nothing left to take (no day file on the disk, or the image
// marked collected), at most `attempts` runs. Answers the runs made; fails the test when the
// last one did not finish the work.
int CollectUntilDone(const QString& work, const QString& drive, int attempts = 5);

// Steps per minute and the two running counters of a working folder.
struct StoreState
{
    std::map<QString, int> minutes; // "YYYY-MM-DD HH:MM" -> steps
    qint64 totalSteps = 0;
    qint64 totalPeriod = 0;
};
StoreState ReadStore(const QString& work);
StoreState Sum(const StoreState& a, const StoreState& b);

// How a store differs from the expected one, minute by minute.
struct Tally
{
    qint64 lost = 0;
    qint64 twice = 0;
    qint64 stepCounterError = 0;   // TotalSteps minus the expected value
    qint64 periodCounterError = 0; // TotalPeriod minus the expected value
    bool exact() const
    {
        return lost == 0 && twice == 0 && stepCounterError == 0 && periodCounterError == 0;
    }
};
Tally Compare(const StoreState& expected, const StoreState& actual);
// "lost 0, twice 0, ..." for failure messages.
QString Describe(const Tally& tally);

// Temporary files (".*.tmp") and journals ("*.journal") in the working folder and its Data.
QStringList Leftovers(const QString& work);

// Every entry under `root` except the folders named in `skip` (relative to root): its kind,
// its size and content hash or its link target. Links are never followed, FIFOs never opened.
QMap<QString, QByteArray> Snapshot(const QString& root, const QStringList& skip);

// Copies the files of `from` into `to` (created), replacing what is there.
void CopyFolder(const QString& from, const QString& to);
// Removes everything in `folder` but the folder itself.
void EmptyFolder(const QString& folder);

} // namespace trek::test
