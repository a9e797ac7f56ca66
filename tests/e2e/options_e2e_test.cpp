// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli options: what "set" writes, what "show" prints afterwards in the new language,
// and the refusals and failures that leave the settings file as it was.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace trek {
namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class OptionCommands : public ::testing::Test
{
protected:
    CliRun run(const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(s("LC_ALL"));
        environment.remove(s("LC_MESSAGES"));
        environment.insert(s("LANG"), s("zh_TW.UTF-8")); // the user's locale, as the page shows
        return RunCli(dir.filePath(s("work")), arguments, environment);
    }
    QByteArray settings() const { return dir.read(s("work/Trekkomat2.INI")); }

    test::TempDir dir;
};

TEST_F(OptionCommands, SetWritesEveryOptionGivenAndShowSpeaksTheNewLanguage)
{
    dir.write(s("work/Trekkomat2.INI"), "[Advance]\nLanguage=0\n[Sleep]\nStartHour=21\n");

    const CliRun set =
        run({s("options"), s("set"), s("--language"), s("chs"), s("--units"), s("imperial"),
             s("--upgrade"), s("off"), s("--auto-confirm"), s("on"), s("--slight-moving"), s("3")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.lines, QStringList());
    EXPECT_EQ(settings(), QByteArray("[Advance]\nLanguage=2\nEnableUpgrade=0\nAutoConfirm=1\n"
                                     "[Sleep]\nStartHour=21\nSlightMoving=3\n\n"
                                     "[Current]\nUnitMode=1\n"));

    const CliRun show = run({s("options"), s("show")});
    EXPECT_EQ(show.exitCode, 0) << show.err.toStdString();
    ASSERT_EQ(show.lines.size(), 12) << show.lines.join(u'\n').toStdString();
    EXPECT_EQ(show.lines.first(8),
              (QStringList{s("English\toff"), s("繁體中文\toff"), s("简体中文\ton"),
                           s("公制单位\toff"), s("英制单位\ton"), s("启用更新检查\toff"),
                           s("自动确认\ton"), s("轻微移动 > \t3\t步/分")}));
    // The machine's own locale is whatever this machine is set up with; the user's is ours.
    const QString machine = show.lines.at(8).section(u'\t', 1);
    EXPECT_EQ(show.lines.mid(8),
              (QStringList{s("System:\t") + machine, s("User      :\tCHT"),
                           s("Local System:\t") + machine, s("Local User:\tCHT")}));

    // Refusals are usage errors and write nothing.
    const QByteArray before = settings();
    for (const QStringList& wrong : {QStringList{s("options"), s("set")},
                                     QStringList{s("options"), s("set"), s("--units"), s("metric"),
                                                 s("--slight-moving"), s("12abc")},
                                     QStringList{s("options"), s("set"), s("--language"), s("fr")},
                                     QStringList{s("options"), s("list")}}) {
        const CliRun refused = run(wrong);
        EXPECT_EQ(refused.exitCode, 2) << wrong.join(u' ').toStdString();
        EXPECT_EQ(refused.lines, QStringList());
        EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
        EXPECT_EQ(settings(), before);
    }

    // A settings file that is a link is never replaced through: the work failed, nothing changed.
    dir.write(s("elsewhere.INI"), before);
    QFile::remove(dir.filePath(s("work/Trekkomat2.INI")));
    dir.makeLink(s("work/Trekkomat2.INI"), dir.filePath(s("elsewhere.INI")));
    const CliRun failed = run({s("options"), s("set"), s("--language"), s("en")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_FALSE(failed.err.isEmpty());
    EXPECT_EQ(dir.read(s("elsewhere.INI")), before);
}

} // namespace
} // namespace trek
