// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli personal: the page's texts and its Save from a script, and what it refuses
// without touching the settings file.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

class PersonalCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_work = dir.filePath(QStringLiteral("work"));
        dir.write(QStringLiteral("work/Trekkomat2.INI"),
                  "[Personal]\nBirthday=19800615\nHeight=183\nWeight_g=70000\nStepSize=70\n"
                  "[Advance]\nLanguage=0\n");
    }

    CliRun run(const QStringList& arguments) const { return RunCli(m_work, arguments); }

    QByteArray settings() const { return dir.read(QStringLiteral("work/Trekkomat2.INI")); }

    test::TempDir dir;
    QString m_work;
};

TEST_F(PersonalCommands, ShowSetAndRefusals)
{
    const QStringList show{QStringLiteral("personal"), QStringLiteral("show")};
    CliRun shown = run(show);
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(
        shown.lines,
        (QStringList{QStringLiteral("Birthday\t1980-06-15"), QStringLiteral("Height\t183\tcm"),
                     QStringLiteral("Weight\t70.0\tKg"), QStringLiteral("StepSize\t70\tcm")}));

    // Switching units and saving with nothing typed keeps every stored value.
    CliRun set = run({QStringLiteral("personal"), QStringLiteral("set"), QStringLiteral("--units"),
                      QStringLiteral("imperial")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_TRUE(set.lines.isEmpty());
    shown = run(show);
    EXPECT_EQ(shown.lines, (QStringList{QStringLiteral("Birthday\t1980-06-15"),
                                        QStringLiteral("Height\t6\tFeet\t0\tInch"),
                                        QStringLiteral("Weight\t154.2\tPound"),
                                        QStringLiteral("StepSize\t27\tInch")}));
    const QStringList raw{QStringLiteral("personal"), QStringLiteral("show"),
                          QStringLiteral("--raw")};
    EXPECT_EQ(run(raw).lines,
              (QStringList{QStringLiteral("Birthday\t19800615"), QStringLiteral("Height\t183"),
                           QStringLiteral("Weight_g\t70000"), QStringLiteral("StepSize\t70"),
                           QStringLiteral("UnitMode\t1")}));

    // Typed boxes go through the imperial conversions; the others keep their values.
    set = run({QStringLiteral("personal"), QStringLiteral("set"), QStringLiteral("--inches"),
               QStringLiteral("2"), QStringLiteral("--weight"), QStringLiteral("150"),
               QStringLiteral("--birthday"), QStringLiteral("1979-01-02")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(run(raw).lines,
              (QStringList{QStringLiteral("Birthday\t19790102"), QStringLiteral("Height\t190"),
                           QStringLiteral("Weight_g\t68100"), QStringLiteral("StepSize\t70"),
                           QStringLiteral("UnitMode\t1")}));

    // Refusals write nothing: a number too large, a box of the other form, a bad date.
    const QByteArray before = settings();
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--feet"), QStringLiteral("99999999999")},
          QStringList{QStringLiteral("--step"), QStringLiteral("900000000")},
          QStringList{QStringLiteral("--units"), QStringLiteral("metric"),
                      QStringLiteral("--weight"), QStringLiteral("inf")},
          QStringList{QStringLiteral("--height"), QStringLiteral("180")},
          QStringList{QStringLiteral("--birthday"), QStringLiteral("1979-02-30")}}) {
        const CliRun refused =
            run(QStringList{QStringLiteral("personal"), QStringLiteral("set")} + arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.lines.isEmpty());
        EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
    }
    EXPECT_EQ(settings(), before);
}

} // namespace
} // namespace trek
