// SPDX-License-Identifier: GPL-3.0-or-later
// The main window starts the update check only when "EnableUpgrade" is on, its options allow it
// and its program file is one a server's file could replace (a PE file with a stamp); otherwise
// it makes no connection at all.

#include "app/appstate.h"
#include "loopbackserver.h"
#include "programfiles.h"
#include "support/tempdir.h"
#include "update/updatesession.h"
#include "widgets/textprogressbar.h"
#include "window/windowfixture.h"
#include "window/wristbanddlg.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QTest>

namespace trek {
namespace {

using UpdateWindow = test::WindowTest;

TEST_F(UpdateWindow, ChecksOnlyWhenTheSettingTheOptionsAndTheProgramFileAllowIt)
{
    test::LoopbackServer server;
    server.serve("/k7.exe", {test::Answer{.body = test::MakePeProgram({.stamp = 0x60000000})}});
    const QByteArray address = server.url("/k7.exe").toUtf8();
    const test::TempDir dir;
    const QString peProgram =
        dir.write(QStringLiteral("k7.exe"), test::MakePeProgram({.stamp = 0x70000000}));
    struct Row
    {
        const char* name;
        QByteArray enable;
        QString program; // empty: this test program, an ELF file
        int connections;
        bool allowed;
    };
    const Row rows[] = {{"setting off", "0", peProgram, 0, true},
                        {"--no-update-check", "1", peProgram, 0, false},
                        {"an ELF program", "1", QString(), 0, true},
                        {"a PE program, both on", "1", peProgram, 1, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        server.connections = 0;
        setSettings("[Advance]\nEnableUpgrade=" + row.enable + "\nUpdateURL=" + address + "\n");
        CWristbandDlg::Options options;
        options.updateCheckAllowed = row.allowed;
        options.updateProgram = row.program;
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
            ASSERT_NE(window.Update(), nullptr);
            EXPECT_EQ(window.Update()->outcome().state, UpdateOutcome::State::NotNewer);
            EXPECT_TRUE(window.ProgressBar()->ShowText());
            EXPECT_EQ(window.ProgressBar()->DisplayedText(), QStringLiteral("No new version"));
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        } else {
            EXPECT_EQ(window.Update(), nullptr);
        }
    }
}

} // namespace
} // namespace trek
