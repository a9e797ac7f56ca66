// SPDX-License-Identifier: GPL-3.0-or-later
// The update check and download against a server on 127.0.0.1 that the test starts: the stamp
// comparison and the "Update" keys, the question, the progress and the wait cursor, and every
// way a download can go wrong, none of which may leave a file under the downloaded name.

#include "app/appstate.h"
#include "app/startup.h"
#include "doubles/memoryprofile.h"
#include "doubles/simsystemservices.h"
#include "loopbackserver.h"
#include "programfiles.h"
#include "support/recordingui.h"
#include "support/scratchmount.h"
#include "support/tempdir.h"
#include "update/updateaddress.h"
#include "update/updatesession.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

namespace trek {
namespace {

using State = UpdateOutcome::State;

const QByteArray ProgramPath = "/UploadFiles%5CDownLoads%5CTrekkomat_K7.exe";
const QByteArray SignaturePath = ProgramPath + ".sig";

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class UpdateSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetAppState();
        appState().services.profile = &profile;
        appState().services.system = &system;
        InitialiseStartupValues(dir.filePath(QStringLiteral("work")));
        ASSERT_TRUE(QDir().mkpath(appState().workingFolder));
        appState().ui = &ui;
        program = test::MakePeProgram({.stamp = 0x50000000});
        programFile = dir.write(QStringLiteral("app/Trekkomat_K7.exe"), program);
    }
    void TearDown() override { resetAppState(); }

    UpdateSettings settings() const
    {
        UpdateSettings settings;
        settings.address = server.url(ProgramPath);
        settings.programPath = programFile;
        settings.workingFolder = appState().workingFolder;
        settings.publicKey = key.publicPem();
        settings.autoConfirm = true;
        settings.checkTimeoutMs = 5000;
        settings.downloadTimeoutMs = 5000;
        settings.stallTimeoutMs = 5000;
        return settings;
    }

    UpdateOutcome run(const UpdateSettings& settings)
    {
        UpdateSession session(settings);
        QEventLoop loop;
        QObject::connect(&session, &UpdateSession::done, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        session.start();
        if (!session.finished()) {
            loop.exec();
        }
        EXPECT_TRUE(session.finished());
        return session.outcome();
    }

    // A newer program on the server with its signature.
    QByteArray serveNewer(quint32 stamp = 0x60000000)
    {
        QByteArray file = test::MakePeProgram({.stamp = stamp, .size = 6000});
        server.serve(ProgramPath, {test::Answer{.body = file}});
        server.serve(SignaturePath, {test::Answer{.body = key.sign(file)}});
        return file;
    }

    QString downloaded() const { return DownloadedProgramPath(appState().workingFolder); }
    QStringList tmpEntries() const
    {
        return QDir(appState().workingFolder + QStringLiteral("/tmp"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QByteArray settingsText() const { return profile.fileText(appState().settingsPath); }

    test::TempDir dir;
    test::LoopbackServer server;
    test::SigningKey key;
    test::RecordingUi ui;
    platform::MemoryProfile profile;
    platform::SimSystemServices system;
    QByteArray program;
    QString programFile;
};

TEST_F(UpdateSessionTest, ComparesStampsUnsignedAndWritesBothKeys)
{
    struct Row
    {
        quint32 local;
        quint32 server;
        State state;
    };
    // 0x90000000 is negative as a signed number and must still count as newer.
    const Row rows[] = {{0x50000000, 0x50000000, State::NotNewer},
                        {0x50000000, 0x4FFFFFFF, State::NotNewer},
                        {0x50000000, 0x90000000, State::Newer},
                        {0xFFFFFFFF, 0xFFFFFFFE, State::NotNewer}};
    for (const Row& row : rows) {
        ui.clear();
        profile.setFileText(appState().settingsPath, {});
        dir.write(QStringLiteral("app/Trekkomat_K7.exe"),
                  row.local == NoProgramStamp ? QByteArray(1024, 'e')
                                              : test::MakePeProgram({.stamp = row.local}));
        server.serve(ProgramPath,
                     {test::Answer{.body = test::MakePeProgram({.stamp = row.server})}});
        UpdateSettings check = settings();
        check.download = false;
        const UpdateOutcome outcome = run(check);
        SCOPED_TRACE(row.server);
        EXPECT_EQ(outcome.state, row.state);
        EXPECT_EQ(outcome.localStamp, row.local);
        EXPECT_EQ(outcome.serverStamp, row.server);
        const QByteArray keys = settingsText();
        const QByteArray local = "Local=0x" + QByteArray::number(row.local, 16).toUpper() + " --> ";
        const QByteArray remote =
            "Server=0x" + QByteArray::number(row.server, 16).toUpper() + " --> ";
        EXPECT_TRUE(keys.contains(local)) << keys.toStdString();
        EXPECT_TRUE(keys.contains(remote)) << keys.toStdString();
        EXPECT_EQ(ui.progress, row.state == State::NotNewer
                                   ? QStringList{QStringLiteral("0|No new version")}
                                   : QStringList{});
        EXPECT_EQ(ui.busyTimes, 1);
        EXPECT_EQ(ui.busyDepth, 0);
    }
    // The address went out as given, %5C and all.
    EXPECT_EQ(server.requests.first(), ProgramPath);
}

TEST_F(UpdateSessionTest, NothingReadableOnTheServerWritesNothingAndSaysNothing)
{
    const QByteArray html = "<html>not a program</html>";
    const test::Answer hops{.status = 302, .location = "/hop"};
    for (const QList<test::Answer>& answers :
         {QList<test::Answer>{{.status = 404, .body = html}}, QList<test::Answer>{{.body = html}},
          QList<test::Answer>{{.status = 302, .location = "file:///etc/passwd"}}}) {
        ui.clear();
        server.serve(ProgramPath, answers);
        server.serve("/hop", {hops});
        EXPECT_EQ(run(settings()).state, State::ServerUnread);
        EXPECT_EQ(settingsText(), QByteArray());
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_EQ(ui.busyDepth, 0);
    }
    // A redirect loop ends the check instead of running for ever.
    server.serve(ProgramPath, {hops});
    server.serve("/hop", {hops});
    EXPECT_EQ(run(settings()).state, State::ServerUnread);
}

TEST_F(UpdateSessionTest, AVerifiedDownloadFollowsALoopbackRedirectAndAsksFirst)
{
    const QByteArray file = serveNewer();
    server.serve("/moved", {test::Answer{.status = 301, .location = ProgramPath}});
    UpdateSettings asking = settings();
    asking.address = server.url("/moved");
    asking.autoConfirm = false;
    server.serve("/moved.sig", {test::Answer{.body = key.sign(file)}});

    const UpdateOutcome outcome = run(asking);
    ASSERT_EQ(outcome.state, State::Downloaded) << outcome.reason.toStdString();
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral(
                                "Upgrade ...|Find a NEW version, start upgrade (Yes/No) ?")});
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Tool is updated, Close and ReStart it")});
    EXPECT_EQ(ReadFile(downloaded()), file);
    EXPECT_EQ(tmpEntries(), QStringList{QStringLiteral("Trekkomat_K7_TMP.BIN")});
    EXPECT_TRUE(appState().updateReady);
    ASSERT_GE(ui.progress.size(), 3);
    EXPECT_EQ(ui.progress.first(), QStringLiteral("0|"));
    EXPECT_EQ(ui.progress.last(), QStringLiteral("100|New Ver 2.10.0.7 (6000)"));
    for (const QString& step : ui.progress.mid(0, ui.progress.size() - 1)) {
        EXPECT_LE(step.section(u'|', 0, 0).toInt(), 99) << step.toStdString();
    }
    EXPECT_EQ(server.requests,
              (QList<QByteArray>{"/moved", ProgramPath, "/moved", ProgramPath, "/moved.sig"}));

    // Declined: nothing more is fetched.
    ui.clear();
    ui.answer = UserInterface::No;
    server.requests.clear();
    EXPECT_EQ(run(asking).state, State::Declined);
    EXPECT_EQ(server.requests, (QList<QByteArray>{"/moved", ProgramPath}));
}

// Every hop of a chain is asked for once, and the download comes whole; a chain one hop too
// long, a loop and a silent server each end with a reason the user can act on.
TEST_F(UpdateSessionTest, RedirectChainsArriveWholeAndLongOnesLoopsAndStallsSayWhy)
{
    const QByteArray file = serveNewer();
    // A chain of `hops` redirects to the program, the signature beside its start.
    const auto chain = [&](int hops) {
        QList<QByteArray> paths;
        for (int hop = 0; hop < hops; ++hop) {
            paths << "/c" + QByteArray::number(hops) + "-" + QByteArray::number(hop);
        }
        for (int hop = 0; hop < hops; ++hop) {
            server.serve(paths[hop], {test::Answer{.status = hop % 2 == 0 ? 302 : 307,
                                                   .location = paths.value(hop + 1, ProgramPath)}});
        }
        server.serve(paths.first() + ".sig", {test::Answer{.body = key.sign(file)}});
        server.requests.clear();
        UpdateSettings chained = settings();
        chained.address = server.url(paths.first());
        return std::pair{chained, paths << ProgramPath};
    };
    for (const int hops : {2, 3, 5}) {
        SCOPED_TRACE(hops);
        const auto [chained, paths] = chain(hops);
        const UpdateOutcome outcome = run(chained);
        EXPECT_EQ(outcome.state, State::Downloaded) << outcome.reason.toStdString();
        EXPECT_EQ(ReadFile(downloaded()), file);
        EXPECT_EQ(server.requests, paths + paths + QList<QByteArray>{paths.first() + ".sig"});
    }

    const auto [tooLong, paths] = chain(6);
    UpdateOutcome outcome = run(tooLong);
    EXPECT_EQ(outcome.state, State::ServerUnread);
    EXPECT_TRUE(outcome.reason.contains(u"more than 5 times")) << outcome.reason.toStdString();
    EXPECT_EQ(server.requests, paths.mid(0, 6)); // the seventh address is never asked for

    server.serve("/a", {test::Answer{.status = 302, .location = "/b"}});
    server.serve("/b", {test::Answer{.status = 301, .location = "/a"}});
    UpdateSettings loop = settings();
    loop.address = server.url("/a");
    outcome = run(loop);
    EXPECT_EQ(outcome.state, State::ServerUnread);
    EXPECT_TRUE(outcome.reason.contains(u"in a loop")) << outcome.reason.toStdString();

    // The answer's head, then not one byte of the file for far longer than the stall time.
    server.serve(ProgramPath,
                 {test::Answer{.body = file},
                  test::Answer{.body = file, .trickleBytes = 1000, .trickleMs = 60'000}});
    UpdateSettings stalling = settings();
    stalling.stallTimeoutMs = 1000;
    outcome = run(stalling);
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_TRUE(outcome.reason.contains(u"stalled")) << outcome.reason.toStdString();
    EXPECT_EQ(tmpEntries(), QStringList());
}

TEST_F(UpdateSessionTest, EveryBadDownloadIsRemovedAndTheUserToldWhy)
{
    const QByteArray good = test::MakePeProgram({.stamp = 0x60000000, .size = 6000});
    const QByteArray goodSignature = key.sign(good);
    const test::Answer check{.body = good};
    struct Row
    {
        const char* name;
        QList<test::Answer> program;
        QByteArray signature;
        const char* reason;
    };
    const QByteArray shortFile = test::MakePeProgram({.stamp = 0x60000000, .size = 2000});
    const QByteArray otherStamp = test::MakePeProgram({.stamp = 0x60000001, .size = 6000});
    const QByteArray otherMachine =
        test::MakePeProgram({.stamp = 0x60000000, .machine = 0x8664, .size = 6000});
    const Row rows[] = {
        {"short", {check, {.body = shortFile}}, key.sign(shortFile), "less than half"},
        {"404", {check, {.status = 404, .body = "gone"}}, goodSignature, "404"},
        {"500 mid-way", {check, {.status = 500, .body = "broken"}}, goodSignature, "500"},
        {"truncated", {check, {.body = good, .sendBytes = 5000}}, goodSignature, "download"},
        {"early close",
         {check, {.body = good, .declareLength = false, .sendBytes = 1500}},
         goodSignature,
         "less than half"},
        {"trickle",
         {check, {.body = good, .trickleBytes = 200, .trickleMs = 100}},
         goodSignature,
         "in time"},
        {"wrong stamp", {check, {.body = otherStamp}}, key.sign(otherStamp), "stamp"},
        {"wrong signature", {check, {.body = good}}, key.sign(otherStamp), "signature"},
        {"other machine", {check, {.body = otherMachine}}, key.sign(otherMachine), "no program"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ui.clear();
        // A file of an earlier run under the final name must not survive as this one.
        dir.write(QStringLiteral("work/tmp/Trekkomat_K7_TMP.BIN"), "earlier");
        server.serve(ProgramPath, row.program);
        server.serve(SignaturePath, {test::Answer{.body = row.signature}});
        UpdateSettings bounded = settings();
        bounded.downloadTimeoutMs = 1500;
        const UpdateOutcome outcome = run(bounded);
        EXPECT_EQ(outcome.state, State::Failed);
        EXPECT_TRUE(outcome.reason.contains(QLatin1String(row.reason)))
            << outcome.reason.toStdString();
        EXPECT_EQ(ui.messages, QStringList{outcome.reason});
        EXPECT_EQ(tmpEntries(), QStringList());
        EXPECT_EQ(ui.progress.last(), QStringLiteral("0|-"));
        EXPECT_FALSE(appState().updateReady);
        EXPECT_EQ(ReadFile(programFile), program);
    }
}

TEST_F(UpdateSessionTest, ABadAddressOrAnUnreadableProgramMakesNoConnection)
{
    serveNewer();
    UpdateSettings tooLong = settings();
    tooLong.address += QString(MaxUpdateAddressChars, u'a');
    EXPECT_EQ(run(tooLong).state, State::NotChecked);

    UpdateSettings missing = settings();
    missing.programPath = dir.filePath(QStringLiteral("app/gone.exe"));
    EXPECT_EQ(run(missing).state, State::NotChecked);
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Open Fail")});

    EXPECT_EQ(server.connections, 0);
    EXPECT_EQ(ui.busyTimes, 0);
}

TEST_F(UpdateSessionTest, APackagedInstallChecksButDownloadsNothing)
{
    test::ScratchMount mount(QStringLiteral("256k"));
    if (!mount.mounted()) {
        GTEST_SKIP() << mount.error().toStdString();
    }
    UpdateSettings packaged = settings();
    packaged.programPath = mount.filePath(QStringLiteral("Trekkomat_K7.exe"));
    QFile file(packaged.programPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(program), program.size());
    file.close();
    ASSERT_TRUE(mount.remountReadOnly());
    serveNewer();

    const UpdateOutcome outcome = run(packaged);
    EXPECT_EQ(outcome.state, State::NotWritable);
    EXPECT_EQ(outcome.serverStamp, 0x60000000U);
    EXPECT_EQ(server.requests, QList<QByteArray>{ProgramPath});
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(appState().workingFolder + QStringLiteral("/tmp")));
}

} // namespace
} // namespace trek
