// SPDX-License-Identifier: GPL-3.0-or-later
// The trend commands of the command-line tool over generated weeks around a leap day: each night
// as the sleep command has it, the three outputs of the same table read back, and the ranges
// without a store file or with one that cannot be read.

#include "data/monthbuffer.h"
#include "emulator/recordgenerator.h"
#include "support/clirun.h"
#include "support/tempdir.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <map>

namespace trek {
namespace {

const QDate LastDay(2024, 3, 5);
constexpr int GeneratedDays = 20;

// Generated minutes up to LastDay in February's and March's store files, and a settings file
// whose sleep window is not the default one.
class TrendCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("Trekkomat2.INI"),
                  "[Personal]\nStepSize=72\nWeight_g=68000\n[Sleep]\nStartHour=21\nEndHour=32\n");
        std::map<int, MonthBuffer> months;
        StepCounters counters;
        for (const emu::DaySteps& day : emu::RecordGenerator(7).generate(GeneratedDays, LastDay)) {
            MonthBuffer& month = months[day.date.month()];
            if (month.year() == 0) {
                ASSERT_TRUE(month.Load(dir.path(), day.date.year(), day.date.month()).ok());
            }
            for (int minute = 0; minute < emu::DaySteps::MinutesPerDay; ++minute) {
                month.AddMinute(day.date.day(), minute / 60, minute % 60,
                                day.minutes[static_cast<std::size_t>(minute)], counters);
            }
        }
        for (const auto& [number, month] : months) {
            ASSERT_TRUE(month.Save().ok());
        }
    }

    CliRun Run(const QStringList& arguments) const
    {
        CliRun run = RunCli(dir.path(), arguments);
        EXPECT_EQ(run.exitCode, 0)
            << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
        return run;
    }

    QJsonObject Json(const QStringList& arguments) const
    {
        const CliRun run =
            Run(arguments + QStringList{QStringLiteral("--format"), QStringLiteral("json")});
        return QJsonDocument::fromJson(run.lines.join(u'\n').toUtf8()).object();
    }

    // Every file of the working folder with its content.
    std::map<QString, QByteArray> Snapshot() const
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        }
        return files;
    }

    test::TempDir dir;
};

QString Cell(const QJsonValue& value)
{
    return value.isDouble() ? QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest)
                            : value.toString();
}

// Each night is what `sleep DATE` says of it in a process of its own, the leap day's night, which
// runs into March's file, included.
TEST_F(TrendCliTest, EachNightIsWhatTheSleepCommandSaysOfIt)
{
    const QJsonObject trend = Json({QStringLiteral("trend"), QStringLiteral("sleep"),
                                    QStringLiteral("2024-02-26"), QStringLiteral("2024-03-04")});
    EXPECT_EQ(trend.value(QStringLiteral("window_start_hour")).toInt(), 21);
    const QJsonArray nights = trend.value(QStringLiteral("nights")).toArray();
    ASSERT_EQ(nights.size(), 8);
    QStringList fallAsleep;
    int worn = 0;
    for (const QJsonValue& value : nights) {
        const QJsonObject night = value.toObject();
        const QString date = night.value(QStringLiteral("date")).toString();
        const QJsonObject sleep = Json({QStringLiteral("sleep"), date});
        for (const char* field : {"fall_asleep", "wake", "sleep_minutes", "efficiency"}) {
            EXPECT_EQ(Cell(night.value(QLatin1String(field))).toStdString(),
                      Cell(sleep.value(QLatin1String(field))).toStdString())
                << date.toStdString() << " " << field;
        }
        fallAsleep << night.value(QStringLiteral("fall_asleep")).toString();
        worn += night.value(QStringLiteral("steps")).toInt() > 0 ? 1 : 0;
    }
    fallAsleep.removeDuplicates();
    EXPECT_GT(fallAsleep.size(), 1) << "the nights differ";
    EXPECT_EQ(trend.value(QStringLiteral("nights_worn")).toInt(), worn);
}

// The week table as tab-separated text, CSV and JSON holds the same cells, and its weeks are the
// sums of the day table's days; the goal given on the command line counts the days and the runs
// and is not stored.
TEST_F(TrendCliTest, TheTablesReadBackAlikeInEveryFormat)
{
    const std::map<QString, QByteArray> before = Snapshot();
    const QStringList weeks{QStringLiteral("trend"),      QStringLiteral("steps"),
                            QStringLiteral("2024-02-20"), QStringLiteral("2024-03-05"),
                            QStringLiteral("--by"),       QStringLiteral("week"),
                            QStringLiteral("--goal"),     QStringLiteral("14000")};
    const CliRun text = Run(weeks);
    const CliRun csv = Run(weeks + QStringList{QStringLiteral("--format"), QStringLiteral("csv")});
    const QJsonObject json = Json(weeks);
    const QJsonArray jsonWeeks = json.value(QStringLiteral("weeks")).toArray();
    ASSERT_EQ(jsonWeeks.size(), 3); // Feb 20 to 24, Feb 25 to Mar 2, Mar 3 to 5
    ASSERT_EQ(text.lines.size(), 4);
    ASSERT_EQ(csv.lines.size(), 4);
    const QStringList columns = text.lines[0].split(u'\t');
    EXPECT_EQ(csv.lines[0].split(u','), columns);
    for (qsizetype row = 0; row < jsonWeeks.size(); ++row) {
        const QStringList textCells = text.lines[row + 1].split(u'\t');
        const QStringList csvCells = csv.lines[row + 1].split(u',');
        ASSERT_EQ(textCells.size(), columns.size());
        EXPECT_EQ(csvCells, textCells);
        for (qsizetype column = 0; column < columns.size(); ++column) {
            EXPECT_EQ(Cell(jsonWeeks[row].toObject().value(columns[column])), textCells[column])
                << columns[column].toStdString();
        }
    }

    const QJsonObject byDay =
        Json(weeks.mid(0, 4) + QStringList{QStringLiteral("--goal"), QStringLiteral("14000")});
    const QJsonArray days = byDay.value(QStringLiteral("days")).toArray();
    ASSERT_EQ(days.size(), 15);
    std::map<QString, int> weekSteps;
    std::map<QString, int> weekGoalDays;
    int goalDays = 0;
    int longestRun = 0;
    for (const QJsonValue& value : days) {
        const QJsonObject day = value.toObject();
        const QDate date =
            QDate::fromString(day.value(QStringLiteral("date")).toString(), Qt::ISODate);
        const QString sunday = date.addDays(-(date.dayOfWeek() % 7)).toString(Qt::ISODate);
        const int steps = day.value(QStringLiteral("steps")).toInt();
        weekSteps[sunday] += steps;
        weekGoalDays[sunday] += steps >= 14000 ? 1 : 0;
        goalDays += steps >= 14000 ? 1 : 0;
        longestRun = std::max(longestRun, day.value(QStringLiteral("goal_run")).toInt());
    }
    for (const QJsonValue& value : jsonWeeks) {
        const QJsonObject week = value.toObject();
        const QDate first =
            QDate::fromString(week.value(QStringLiteral("first")).toString(), Qt::ISODate);
        const QString sunday = first.addDays(-(first.dayOfWeek() % 7)).toString(Qt::ISODate);
        EXPECT_EQ(week.value(QStringLiteral("steps")).toInt(), weekSteps[sunday]);
        EXPECT_EQ(week.value(QStringLiteral("goal_days")).toInt(), weekGoalDays[sunday]);
    }
    EXPECT_GT(goalDays, 0);
    EXPECT_LT(goalDays, days.size());
    EXPECT_EQ(byDay.value(QStringLiteral("goal_days")).toInt(), goalDays);
    EXPECT_EQ(byDay.value(QStringLiteral("longest_run")).toInt(), longestRun);
    EXPECT_EQ(byDay.value(QStringLiteral("current_run")).toInt(),
              days.last().toObject().value(QStringLiteral("goal_run")).toInt());
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TrendCliTest, NoStoreFileIsAnEmptyTableAndAnUnreadableOneIsNamed)
{
    for (const char* command : {"steps", "sleep"}) {
        const CliRun empty = Run({QStringLiteral("trend"), QLatin1String(command),
                                  QStringLiteral("2020-01-01"), QStringLiteral("2020-12-31")});
        EXPECT_EQ(empty.lines.size(), 1) << command; // the header
        EXPECT_TRUE(empty.err.isEmpty());
    }

    dir.write(QStringLiteral("Data/Stepo202402.BIN"), QByteArray(MonthBuffer::FileSize + 2, '\0'));
    for (const char* command : {"steps", "sleep"}) {
        const CliRun failed =
            RunCli(dir.path(), {QStringLiteral("trend"), QLatin1String(command),
                                QStringLiteral("2024-02-20"), QStringLiteral("2024-03-05")});
        EXPECT_EQ(failed.exitCode, 1) << command;
        EXPECT_TRUE(failed.lines.isEmpty()) << command;
        EXPECT_TRUE(failed.err.contains(QStringLiteral("Stepo202402.BIN"))) << command;
    }
}

} // namespace
} // namespace trek
