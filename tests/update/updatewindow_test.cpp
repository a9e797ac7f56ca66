// The main window starts the update check only when "EnableUpgrade" is on and its options allow
// it; otherwise it makes no connection at all.

#include "app/appstate.h"
#include "app/window/wristbanddlg.h"
#include "loopbackserver.h"
#include "programfiles.h"
#include "update/updatesession.h"
#include "widgets/textprogressbar.h"
#include "window/windowfixture.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QTest>

namespace trek {
namespace {

using UpdateWindow = test::WindowTest;

TEST_F(UpdateWindow, ChecksOnlyWhenTheSettingAndTheOptionsAllowIt)
{
    test::LoopbackServer server;
    server.serve("/k7.exe", {test::Answer{.body = test::MakePeProgram({.stamp = 0x60000000})}});
    const QByteArray address = server.url("/k7.exe").toUtf8();
    struct Row
    {
        const char* name;
        QByteArray enable;
        bool allowed;
        int connections;
    };
    const Row rows[] = {{"setting off", "0", true, 0},
                        {"--no-update-check", "1", false, 0},
                        {"both on", "1", true, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        server.connections = 0;
        setSettings("[Advance]\nEnableUpgrade=" + row.enable + "\nUpdateURL=" + address + "\n");
        CWristbandDlg::Options options;
        options.updateCheckAllowed = row.allowed;
        options.startDiscovery = false;
        CWristbandDlg window(options);
        window.show();
        const QDeadlineTimer deadline(row.connections == 0 ? 800 : 10000);
        while (!deadline.hasExpired() &&
               !(window.Update() != nullptr && window.Update()->finished())) {
            QTest::qWait(20);
        }
        EXPECT_EQ(server.connections, row.connections);
        if (row.connections > 0) {
            // This test program has no PE header, so nothing on a server is newer than it.
            ASSERT_NE(window.Update(), nullptr);
            EXPECT_EQ(window.Update()->outcome().state, UpdateOutcome::State::NotNewer);
            EXPECT_TRUE(window.ProgressBar()->ShowText());
            EXPECT_EQ(window.ProgressBar()->DisplayedText(), QStringLiteral("No new version"));
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
    }
}

} // namespace
} // namespace trek
