// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli update check and update download against a loopback server: the lines they
// print, the keys they write, the file they leave, and a refused download leaving none.

#include "loopbackserver.h"
#include "programfiles.h"
#include "support/clirun.h"
#include "support/tempdir.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <gtest/gtest.h>

namespace trek {
namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

const QByteArray ProgramPath = "/UploadFiles%5CDownLoads%5CTrekkomat_K7.exe";

class UpdateCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write(s("work/Trekkomat2.INI"), "[Advance]\nLanguage=0\n");
        program = dir.write(s("app/Trekkomat_K7.exe"), test::MakePeProgram({.stamp = 0x50000000}));
        publicKey = dir.write(s("key.pem"), key.publicPem());
        newer = test::MakePeProgram({.stamp = 0x60000000, .size = 6000});
        server.serve(ProgramPath, {test::Answer{.body = newer}});
    }

    // Runs the tool while this process's event loop serves its requests.
    CliRun run(const QString& command)
    {
        QProcess process;
        StartCli(process, dir.filePath(s("work")),
                 {s("update"), command, s("--url"), server.url(ProgramPath), s("--program"),
                  program, s("--public-key"), publicKey});
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        if (process.waitForStarted() && process.state() == QProcess::Running) {
            loop.exec();
        }
        return FinishedCliRun(process);
    }

    test::TempDir dir;
    test::LoopbackServer server;
    test::SigningKey key;
    QString program;
    QString publicKey;
    QByteArray newer;
};

TEST_F(UpdateCommands, CheckPrintsTheStampsAndDownloadKeepsOnlyASignedFile)
{
    const CliRun check = run(s("check"));
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.lines,
              (QStringList{s("local\t0x50000000"), s("server\t0x60000000"), s("newer\tyes")}));
    const QByteArray settings = dir.read(s("work/Trekkomat2.INI"));
    EXPECT_TRUE(settings.contains("\n[Update]\nLocal=0x50000000 --> ")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("\nServer=0x60000000 --> ")) << settings.toStdString();
    EXPECT_FALSE(dir.exists(s("work/tmp")));

    server.serve(ProgramPath + ".sig", {test::Answer{.body = key.sign("another file")}});
    const CliRun refused = run(s("download"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(s("signature"))) << refused.err.toStdString();
    EXPECT_FALSE(dir.exists(s("work/tmp/Trekkomat_K7_TMP.BIN")));

    server.serve(ProgramPath + ".sig", {test::Answer{.body = key.sign(newer)}});
    const CliRun download = run(s("download"));
    EXPECT_EQ(download.exitCode, 0) << download.err.toStdString();
    EXPECT_EQ(download.lines, (QStringList{s("local\t0x50000000"), s("server\t0x60000000"),
                                           s("newer\tyes"), s("New Ver 2.10.0.7 (6000)")}));
    EXPECT_EQ(dir.read(s("work/tmp/Trekkomat_K7_TMP.BIN")), newer);
    EXPECT_FALSE(dir.exists(s("work/tmp/TrekkomatUpdater.BIN"))); // nothing handed over
}

} // namespace
} // namespace trek
