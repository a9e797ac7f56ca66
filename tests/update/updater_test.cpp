// SPDX-License-Identifier: GPL-3.0-or-later
// The updater program run as the main program starts it: replacing a program that is running,
// and failing on a missing or foreign file, a read-only folder and a full disk without the
// program ever missing or changed.

#include "app/appstate.h"
#include "app/startup.h"
#include "backends/linux/systemservices_linux.h"
#include "support/scratchmount.h"
#include "support/tempdir.h"
#include "update/updaterimage.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace trek {
namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
}

struct UpdaterRun
{
    int exitCode = -1;
    QString out;
};

// Runs the updater from `workFolder`'s tmp folder as the main program would, without its waits.
UpdaterRun RunUpdater(const QString& workFolder, const QString& program, const QString& newFile)
{
    const QString updater = workFolder + s("/tmp/TrekkomatUpdater.BIN");
    QDir().mkpath(workFolder + s("/tmp"));
    QFile::remove(updater);
    EXPECT_TRUE(QFile::copy(s(TREK_UPDATER_PATH), updater));
    QProcess process;
    process.setWorkingDirectory(workFolder);
    process.start(updater,
                  {program, newFile, s("--first-wait"), s("0"), s("--retry-wait"), s("0")});
    EXPECT_TRUE(process.waitForFinished(60000));
    UpdaterRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(QString::fromUtf8(ReadFile(workFolder + s("/tmp/TrekkomatUpdater.log"))), run.out)
        << "the log beside the updater holds what the console showed";
    return run;
}

const QByteArray NewProgram = ReadFile(s("/bin/true"));
const QByteArray OldProgram = ReadFile(s("/bin/sleep"));

TEST(Updater, ReplacesTheRunningProgramItIsGivenAndKeepsItsAccessRights)
{
    const test::TempDir dir;
    const QString work = dir.filePath(s("work"));
    const QString program = dir.filePath(s("opt/trekkomat"));
    dir.write(s("opt/trekkomat"), {});
    WriteFile(program, OldProgram,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                  QFile::ExeGroup);
    const QString newFile = dir.write(s("work/tmp/Trekkomat_K7_TMP.BIN"), NewProgram);
    // A file of the program's name in the working folder is not the program.
    dir.write(s("work/trekkomat"), "not the program");

    QProcess running;
    running.start(program, {s("30")});
    ASSERT_TRUE(running.waitForStarted());

    const UpdaterRun run = RunUpdater(work, program, newFile);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, s("\n+====================================+"
                         "\n| Small Updater for Trekkomat K7C    |"
                         "\n|                         2014.05.19 |"
                         "\n+====================================+\n\n") +
                           work + s("\n\n  Check Old File : ") + program + s(" ...\n  Update: ") +
                           newFile +
                           s(" --> trekkomat\n  ** Done, Remove temp file **\n\n>>> Update OK "
                             "<<<\n\n"));
    EXPECT_EQ(ReadFile(program), NewProgram);
    struct stat info
    {};
    ASSERT_EQ(::stat(QFile::encodeName(program).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750U);
    EXPECT_FALSE(QFile::exists(newFile));
    EXPECT_EQ(dir.read(s("work/trekkomat")), QByteArray("not the program"));
    EXPECT_EQ(QDir(dir.filePath(s("opt")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{s("trekkomat")});
    // The old program ran on undisturbed.
    EXPECT_EQ(running.state(), QProcess::Running);
    running.kill();
    running.waitForFinished();
}

TEST(Updater, FailsWithoutEverLeavingTheProgramMissingOrChanged)
{
    const test::TempDir dir;
    const QString work = dir.filePath(s("work"));
    const QString foreign = dir.write(s("foreign.exe"), QByteArray("MZ") + QByteArray(510, '\0'));
    const QString missing = dir.filePath(s("work/tmp/gone.BIN"));
    const QString good = dir.write(s("new.BIN"), OldProgram + QByteArray(64 * 1024, 'x'));

    struct Row
    {
        const char* name;
        QString newFile;
        const char* mount; // "": an ordinary folder; "ro": read-only; "full": no space left
        int attempts;      // "Check Old File" lines: a file that may come free is tried again
    };
    const Row rows[] = {{"missing file", missing, "", 1},
                        {"foreign file", foreign, "", 1},
                        {"read-only folder", good, "ro", 10},
                        {"full disk", good, "full", 10}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::ScratchMount mount(s("512k"));
        const QString folder = qstrlen(row.mount) == 0 ? dir.filePath(s("opt")) : mount.path();
        if (qstrlen(row.mount) != 0 && !mount.mounted()) {
            std::printf("skipped: %s\n", qPrintable(mount.error())); // needs root
            continue;
        }
        QDir().mkpath(folder);
        const QString program = folder + s("/trekkomat");
        WriteFile(program, NewProgram, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (qstrcmp(row.mount, "ro") == 0) {
            ASSERT_TRUE(mount.remountReadOnly());
        } else if (qstrcmp(row.mount, "full") == 0) {
            ASSERT_TRUE(mount.fill());
        }

        const UpdaterRun run = RunUpdater(work, program, row.newFile);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.endsWith(s("\n\n### Err: Update failed ###\n\n")))
            << run.out.toStdString();
        EXPECT_EQ(run.out.count(s("Check Old File")), row.attempts) << run.out.toStdString();
        EXPECT_EQ(ReadFile(program), NewProgram);
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : left) {
            EXPECT_FALSE(name.startsWith(s(".TrekkomatUpdate"))) << name.toStdString();
        }
    }
}

TEST(Updater, TheImageTheProgramCarriesIsHandedOverAndPutsTheDownloadInPlace)
{
    const test::TempDir dir;
    platform::LinuxSystemServices system;
    resetAppState();
    appState().services.system = &system;
    appState().workingFolder = dir.filePath(s("work"));
    appState().updateReady = true;
    const QString program = dir.filePath(s("opt/trekkomat"));
    dir.write(s("opt/trekkomat"), {});
    WriteFile(program, OldProgram, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    dir.write(s("work/tmp/Trekkomat_K7_TMP.BIN"), NewProgram);

    const Result<> handed = HandOverToUpdater(UpdaterImage(), program);
    resetAppState();
    ASSERT_TRUE(handed.ok()) << handed.error().toStdString();
    const QString log = dir.filePath(s("work/tmp/TrekkomatUpdater.log"));
    const QDeadlineTimer deadline(30000); // the updater first waits two seconds
    while (!ReadFile(log).contains("Update OK") && !deadline.hasExpired()) {
        QThread::msleep(50);
    }
    QThread::msleep(50); // the last line end
    EXPECT_TRUE(ReadFile(log).endsWith(">>> Update OK <<<\n\n")) << ReadFile(log).toStdString();
    EXPECT_EQ(ReadFile(program), NewProgram);
    EXPECT_FALSE(dir.exists(s("work/tmp/Trekkomat_K7_TMP.BIN")));
}

} // namespace
} // namespace trek
