// SPDX-License-Identifier: GPL-3.0-or-later
// The report commands of the command-line tool over a store written byte by byte here: what
// they print, line by line, whatever the locale, and what they refuse without touching a file.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace trek {
namespace {

QByteArray MonthFile(const std::map<int, int>& slotValues)
{
    QByteArray bytes(89280, '\0');
    for (const auto& [index, value] : slotValues) {
        bytes[qsizetype{2} * index] = static_cast<char>(value & 0xFF);
        bytes[qsizetype{2} * index + 1] = static_cast<char>(value >> 8);
    }
    return bytes;
}

int Slot(int day, int hour, int minute)
{
    return ((day - 1) * 24 + hour) * 60 + minute;
}

// Every file under `folder` with its content, to show that nothing changed.
std::map<QString, QByteArray> Snapshot(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
    }
    return files;
}

// Line by line, so that a failure names the line and shows it as text.
void ExpectLines(const QStringList& actual, const QStringList& expected, const QStringList& command)
{
    const std::string name = command.join(u' ').toStdString();
    EXPECT_EQ(actual.size(), expected.size()) << name;
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(actual[i].toStdString(), expected[i].toStdString()) << name << ", line " << i;
    }
}

// A --format csv output as one map of column to cell per row; these outputs quote nothing.
std::vector<std::map<QString, QString>> CsvRows(const CliRun& run)
{
    std::vector<std::map<QString, QString>> rows;
    const QStringList header = run.lines.value(0).split(u',');
    for (const QString& line : run.lines.mid(1)) {
        const QStringList cells = line.split(u',');
        EXPECT_EQ(cells.size(), header.size()) << line.toStdString();
        std::map<QString, QString>& row = rows.emplace_back();
        for (qsizetype i = 0; i < std::min(cells.size(), header.size()); ++i) {
            row[header[i]] = cells[i];
        }
    }
    return rows;
}

QJsonObject JsonOutput(const CliRun& run)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.lines.join(u'\n').toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

// The numbers of a page's cell: "0.434   " and "  700.000 Km" read as 0.434 and 700.
double Number(const QString& cell)
{
    return cell.trimmed().section(u' ', 0, 0).toDouble();
}

class ReportCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_work = dir.filePath(QStringLiteral("work"));
        writeSettings("StepSize=70\nWeight_g=60000\n", 0, 0);
        std::map<int, int> march;
        for (int m = 0; m < 5; ++m) {
            march[Slot(5, 10, m)] = 100;
        }
        march[Slot(5, 10, 5)] = 5; // shaken, not walked
        march[Slot(5, 10, 6)] = 120;
        for (int m = 50; m < 60; ++m) {
            march[Slot(31, 23, m)] = 60;
        }
        dir.write(QStringLiteral("work/Data/Stepo202403.BIN"), MonthFile(march));
        dir.write(QStringLiteral("work/Data/Stepo202404.BIN"),
                  MonthFile({{Slot(6, 8, 0), 50}, {Slot(6, 8, 1), 50}}));
    }

    void writeSettings(const char* personal, int unitMode, int language)
    {
        dir.write(QStringLiteral("work/Trekkomat2.INI"),
                  QByteArray("[Personal]\n") + personal +
                      QStringLiteral("[Sleep]\nSlightMoving=5\n[Summary]\nTotalSteps=1000000\n"
                                     "TotalPeriod=1500\n[Current]\nUnitMode=%1\n[Advance]\n"
                                     "Language=%2\n")
                          .arg(unitMode)
                          .arg(language)
                          .toUtf8());
    }

    CliRun run(const QStringList& arguments, const QProcessEnvironment& environment = {}) const
    {
        return RunCli(m_work, arguments, environment);
    }

    // The commands compared below, each with the lines it must print.
    std::vector<std::pair<QStringList, QStringList>> expectedOutputs() const
    {
        const QString titles = QStringLiteral(
            "   No\tHours\tSteps\tSteps/s\tDistance(Km)\tSpeed(Km/H)\tCalorie(KCal)");
        return {
            {{QStringLiteral("report"), QStringLiteral("month"), QStringLiteral("2024-03")},
             {titles,
              QStringLiteral("   1\t2024/03/05\t620   \t2.07   \t0.434   \t5.208   \t26.463   "),
              QStringLiteral("   2\t2024/03/31\t600   \t1.11   \t0.420   \t2.800   \t25.610   ")}},
            {{QStringLiteral("report"), QStringLiteral("day"), QStringLiteral("2024-03-05")},
             {titles,
              QStringLiteral("   1\t2024/03/05 10:00 ~ 10:04\t500   \t2.08   \t0.350   \t5.250   "
                             "\t21.341   "),
              QStringLiteral("   2\t2024/03/05 10:06 ~ 10:06\t120   \t2.00   \t0.084   \t5.040   "
                             "\t5.122   ")}},
            {{QStringLiteral("report"), QStringLiteral("week"), QStringLiteral("2024-04-02")},
             {titles,
              QStringLiteral("   1\t2024/03/31 23:50 ~ 23:59\t600   \t1.11   \t0.420   \t2.800   "
                             "\t25.610   "),
              QStringLiteral("   2\t2024/04/06 08:00 ~ 08:01\t100   \t1.67   \t0.070   \t4.200   "
                             "\t4.268   ")}},
            {{QStringLiteral("summary")},
             {QStringLiteral("Total Steps:\t1000000"),
              QStringLiteral("Total Distance:\t  700.000 Km"),
              QStringLiteral("Total Time:\t1 Days 1 Hours 0 Mintues"),
              QStringLiteral("Total KCal:\t31500.000 KCal")}},
        };
    }

    test::TempDir dir;
    QString m_work;
};

TEST_F(ReportCommands, ListsAndSummaryLineByLine)
{
    for (const auto& [arguments, expected] : expectedOutputs()) {
        const CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        ExpectLines(result.lines, expected, arguments);
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    }

    const CliRun month = run({QStringLiteral("report"), QStringLiteral("month"),
                              QStringLiteral("2024-03"), QStringLiteral("--series")});
    ASSERT_EQ(month.lines.size(), 1 + 744);
    EXPECT_EQ(month.lines[0].toStdString(), "620\t26.463");
    EXPECT_EQ(month.lines[1 + 4 * 24 + 10].toStdString(), "106\t620");
    EXPECT_EQ(month.lines[744].toStdString(), "743\t600");
    EXPECT_EQ(run({QStringLiteral("report"), QStringLiteral("week"), QStringLiteral("2024-03-31"),
                   QStringLiteral("--series")})
                  .lines.size(),
              1 + 168);

    // Minute data: the day's chart is the moving hour of each minute.
    dir.write(QStringLiteral("work/Trekkomat2.INI"),
              dir.read(QStringLiteral("work/Trekkomat2.INI")) + "DisplayMode=1\n");
    const CliRun minutes = run({QStringLiteral("report"), QStringLiteral("day"),
                                QStringLiteral("2024-03-31"), QStringLiteral("--series")});
    ASSERT_EQ(minutes.lines.size(), 1 + 1440);
    EXPECT_EQ(minutes.lines[0].toStdString(), "700\t25.610");
    EXPECT_EQ(minutes.lines[1 + 1409].toStdString(), "1409\t540");
    EXPECT_EQ(minutes.lines[1440].toStdString(), "1439\t600");

    // The language and units of the settings file.
    writeSettings("StepSize=70\nWeight_g=60000\n", 1, 1);
    const CliRun chinese =
        run({QStringLiteral("report"), QStringLiteral("month"), QStringLiteral("2024-03")});
    ASSERT_EQ(chinese.lines.size(), 3);
    ExpectLines(
        chinese.lines.first(2),
        {QStringLiteral("   No\t時刻\t步數\t步/秒\t距離(英哩)\t速度(英哩/時)\t卡路里(大卡)"),
         QStringLiteral("   1\t2024/03/05\t620   \t2.07   \t0.271   \t3.255   \t26.463   ")},
        {QStringLiteral("report month in Chinese and miles")});
}

// For scripts: the numbers of the pages' texts, plain, under English names in a Chinese
// interface.
TEST_F(ReportCommands, CsvAndJsonCarryThePagesNumbers)
{
    writeSettings("StepSize=70\nWeight_g=60000\n", 0, 1);
    const auto formatted = [this](const QStringList& arguments, const char* format) {
        const CliRun result =
            run(arguments + QStringList{QStringLiteral("--format"), QString::fromLatin1(format)});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return result;
    };
    const QStringList columns{QStringLiteral("steps"), QStringLiteral("cadence"),
                              QStringLiteral("distance_km"), QStringLiteral("speed_kmh"),
                              QStringLiteral("calories")};
    const std::pair<const char*, const char*> reports[] = {
        {"month", "2024-03"}, {"day", "2024-03-05"}, {"week", "2024-04-02"}};
    for (const auto& [mode, date] : reports) {
        const QStringList arguments{QStringLiteral("report"), QString::fromLatin1(mode),
                                    QString::fromLatin1(date)};
        const QStringList text = run(arguments).lines.mid(1);
        const auto csv = CsvRows(formatted(arguments, "csv"));
        const QJsonArray json = JsonOutput(formatted(arguments, "json"))[u"rows"].toArray();
        ASSERT_EQ(csv.size(), std::size_t(text.size())) << mode;
        ASSERT_EQ(json.size(), text.size()) << mode;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QStringList cells = text[i].split(u'\t');
            const auto& row = csv[std::size_t(i)];
            const QJsonObject object = json[i].toObject();
            const QString when = QString(cells[1]).replace(u'/', u'-');
            EXPECT_EQ(row.at(QStringLiteral("date")), when.left(10));
            EXPECT_EQ(object[u"date"].toString(), when.left(10));
            if (when.size() > 10) {
                EXPECT_EQ(row.at(QStringLiteral("start")), when.mid(11, 5));
                EXPECT_EQ(object[u"end"].toString(), when.right(5));
            }
            for (qsizetype c = 0; c < columns.size(); ++c) {
                EXPECT_EQ(row.at(columns[c]).toDouble(), Number(cells[2 + c]))
                    << text[i].toStdString();
                EXPECT_EQ(object[columns[c]].toDouble(), Number(cells[2 + c]))
                    << text[i].toStdString();
            }
        }
    }

    const QStringList summary = run({QStringLiteral("summary")}).lines;
    ASSERT_EQ(summary.size(), 4);
    const QStringList time = summary[2].section(u'\t', 1).split(u' ');
    const std::map<QString, double> expected{
        {QStringLiteral("steps"), Number(summary[0].section(u'\t', 1))},
        {QStringLiteral("distance_km"), Number(summary[1].section(u'\t', 1))},
        {QStringLiteral("minutes"),
         time[0].toInt() * 1440 + time[2].toInt() * 60 + time[4].toInt()},
        {QStringLiteral("calories"), Number(summary[3].section(u'\t', 1))}};
    const auto csvSummary = CsvRows(formatted({QStringLiteral("summary")}, "csv"));
    const QJsonObject jsonSummary = JsonOutput(formatted({QStringLiteral("summary")}, "json"));
    ASSERT_EQ(csvSummary.size(), 1U);
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(csvSummary[0].at(name).toDouble(), value) << name.toStdString();
        EXPECT_EQ(jsonSummary[name].toDouble(), value) << name.toStdString();
    }

    // The sleep figures as times of the night and minutes, then each minute's depth.
    const QStringList night{QStringLiteral("sleep"), QStringLiteral("2024-03-05")};
    const QStringList sleep = run(night).lines;
    const QJsonObject jsonSleep = JsonOutput(formatted(night, "json"));
    EXPECT_EQ(jsonSleep[u"fall_asleep"].toString(),
              QStringLiteral("2024-03-05T") + sleep.value(1).left(5));
    EXPECT_EQ(jsonSleep[u"wake"].toString(),
              QStringLiteral("2024-03-06T") + sleep.value(2).left(5));
    EXPECT_EQ(jsonSleep[u"sleep_minutes"].toInt(),
              sleep.value(3).left(2).toInt() * 60 + sleep.value(3).mid(3, 2).toInt());
    EXPECT_EQ(jsonSleep[u"efficiency"].toInt(), Number(sleep.value(4).section(u'%', 0, 0)));
    const auto minutes = CsvRows(formatted(night, "csv"));
    ASSERT_EQ(minutes.size(), std::size_t(sleep.size() - 5));
    EXPECT_EQ(minutes.front().at(QStringLiteral("time")), QStringLiteral("2024-03-05T20:00"));
    EXPECT_EQ(minutes.back().at(QStringLiteral("time")), QStringLiteral("2024-03-06T09:00"));
    EXPECT_EQ(minutes.back().at(QStringLiteral("depth")), sleep.last().section(u'\t', 1, 1));
    EXPECT_EQ(jsonSleep[u"minutes"].toArray().size(), sleep.size() - 5);

    // The personal values, the options and a running mission.
    const QJsonObject person =
        JsonOutput(formatted({QStringLiteral("personal"), QStringLiteral("show")}, "json"));
    const QStringList personal = run({QStringLiteral("personal"), QStringLiteral("show")}).lines;
    EXPECT_EQ(person[u"weight_kg"].toDouble(), Number(personal.value(2).section(u'\t', 1, 1)));
    EXPECT_EQ(person[u"step_length_cm"].toDouble(), Number(personal.value(3).section(u'\t', 1, 1)));
    const auto options =
        CsvRows(formatted({QStringLiteral("options"), QStringLiteral("show")}, "csv"));
    ASSERT_EQ(options.size(), 1U);
    EXPECT_EQ(options[0].at(QStringLiteral("language")), QStringLiteral("cht"));
    EXPECT_EQ(options[0].at(QStringLiteral("slight_moving")), QStringLiteral("5"));
    ASSERT_EQ(run({QStringLiteral("mission"), QStringLiteral("start"), QStringLiteral("B"),
                   QStringLiteral("--kind"), QStringLiteral("steps"), QStringLiteral("--target"),
                   QStringLiteral("5000"), QStringLiteral("--tick"), QStringLiteral("0")})
                  .exitCode,
              0);
    const QStringList show{QStringLiteral("mission"), QStringLiteral("show"),
                           QStringLiteral("--tick"), QStringLiteral("5400000")};
    const QJsonArray missions = JsonOutput(formatted(show, "json"))[u"missions"].toArray();
    ASSERT_EQ(missions.size(), 2);
    const QJsonObject b = missions[1].toObject();
    EXPECT_EQ(b[u"mission"].toString(), QStringLiteral("B"));
    EXPECT_EQ(b[u"target"].toDouble(), Number(run(show).lines.value(3).section(u'\t', 1)));
    EXPECT_EQ(b[u"running_minutes"].toInt(), 90);
    EXPECT_TRUE(missions[0].toObject()[u"running_minutes"].isNull());
    EXPECT_EQ(CsvRows(formatted(show, "csv")).at(1).at(QStringLiteral("running")),
              QStringLiteral("true"));
}

TEST_F(ReportCommands, CommaDecimalLocalePrintsTheSameLines)
{
    // The machine may not have a German locale installed; one is compiled into a folder here.
    const QString locales = dir.filePath(QStringLiteral("locales"));
    QDir().mkpath(locales);
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), locales + QStringLiteral("/de_DE.UTF-8")});
    localedef.waitForFinished(60000);
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    german.insert(QStringLiteral("LOCPATH"), locales);
    german.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    QProcess printf;
    printf.setProcessEnvironment(german);
    printf.start(QStringLiteral("/usr/bin/printf"),
                 {QStringLiteral("%.1f"), QStringLiteral("1,5")});
    printf.waitForFinished(10000);
    if (printf.readAllStandardOutput() != "1,5") {
        GTEST_SKIP() << "no comma-decimal locale can be made here";
    }

    for (const auto& [arguments, expected] : expectedOutputs()) {
        const CliRun result = run(arguments, german);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        ExpectLines(result.lines, expected, arguments);
    }
    const CliRun series = run({QStringLiteral("report"), QStringLiteral("month"),
                               QStringLiteral("2024-03"), QStringLiteral("--series")},
                              german);
    EXPECT_EQ(series.lines.value(0).toStdString(), "620\t26.463");
}

TEST_F(ReportCommands, DeleteClearsASpanAndRefusalsChangeNothing)
{
    const QStringList span{QStringLiteral("delete"), QStringLiteral("2024-03-05"),
                           QStringLiteral("10:00-10:04")};
    const CliRun deleted = run(span);
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.lines, QStringList{QStringLiteral(
                                 "Cleared 500 steps in 5 minutes on 2024-03-05 from 10:00 to "
                                 "10:04.")});
    EXPECT_EQ(run(span).lines,
              QStringList{QStringLiteral("Nothing to clear on 2024-03-05 from 10:00 to 10:04.")});
    const CliRun day =
        run({QStringLiteral("report"), QStringLiteral("day"), QStringLiteral("2024-03-05")});
    ASSERT_EQ(day.lines.size(), 2);
    EXPECT_TRUE(day.lines[1].startsWith(QStringLiteral("   1\t2024/03/05 10:06 ~ 10:06\t120   ")));
    EXPECT_EQ(run({QStringLiteral("delete"), QStringLiteral("2024-03-31")}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("report"), QStringLiteral("month"), QStringLiteral("2024-03")})
                  .lines.size(),
              2);

    const auto before = Snapshot(dir.path());
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("delete"), QStringLiteral("2024-02-30")},
          QStringList{QStringLiteral("delete"), QStringLiteral("2024-04-06"),
                      QStringLiteral("08:01-08:00")},
          QStringList{QStringLiteral("delete"), QStringLiteral("2024-04-06"),
                      QStringLiteral("24:00-24:30")},
          QStringList{QStringLiteral("report"), QStringLiteral("month"), QStringLiteral("2024-13")},
          QStringList{QStringLiteral("report"), QStringLiteral("day"),
                      QStringLiteral("2023-02-29")},
          QStringList{QStringLiteral("report"), QStringLiteral("week")},
          QStringList{QStringLiteral("summary"), QStringLiteral("now")}}) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.lines.isEmpty());
        EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
    }
    EXPECT_EQ(Snapshot(dir.path()), before);
    QFile::remove(m_work + QStringLiteral("/Trekkomat2.INI"));
    const auto withoutSettings = Snapshot(dir.path());
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("delete"), QStringLiteral("2024-04-06")},
          QStringList{QStringLiteral("summary")},
          QStringList{QStringLiteral("sleep"), QStringLiteral("2024-03-05")}}) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.err.contains(QStringLiteral("settings file")));
    }
    EXPECT_EQ(Snapshot(dir.path()), withoutSettings);
}

TEST_F(ReportCommands, SleepPrintsTitleFiguresAndEveryMinuteOfTheWindow)
{
    const QByteArray settings = dir.read(QStringLiteral("work/Trekkomat2.INI"));
    const QStringList night{QStringLiteral("sleep"), QStringLiteral("2024-03-05")};
    const CliRun quiet = run(night);
    EXPECT_EQ(quiet.exitCode, 0) << quiet.err.toStdString();
    ASSERT_EQ(quiet.lines.size(), 1 + 4 + 781);
    ExpectLines(quiet.lines.first(5),
                {QStringLiteral("2024-3-5 Sleep Quaility ..."), QStringLiteral("20:05 | Bad Time"),
                 QStringLiteral("09:01 | Awake Time"), QStringLiteral("12:55 | Sleep Time"),
                 QStringLiteral("99% | Efficiency")},
                night);
    static const QRegularExpression minute(QStringLiteral("^\\d\\d:\\d\\d\\t[0-2]\\tDeep-Sleep$"));
    for (const QString& line : quiet.lines.mid(5)) {
        ASSERT_TRUE(minute.match(line).hasMatch()) << line.toStdString();
    }
    EXPECT_TRUE(quiet.lines[5].startsWith(QStringLiteral("20:00\t")));
    EXPECT_TRUE(quiet.lines.last().startsWith(QStringLiteral("09:00\t")));
    EXPECT_EQ(run(night).lines, quiet.lines) << "every run starts the generator afresh";

    // Given hours replace the settings file's and leave it as it was; the walk up to 23:59 on
    // the 31st is awake, and the night runs on into April.
    const CliRun given =
        run({QStringLiteral("sleep"), QStringLiteral("2024-03-31"), QStringLiteral("--start"),
             QStringLiteral("22"), QStringLiteral("--end"), QStringLiteral("30")});
    EXPECT_EQ(given.exitCode, 0) << given.err.toStdString();
    ASSERT_EQ(given.lines.size(), 1 + 4 + 481);
    EXPECT_TRUE(given.lines[5 + 120].startsWith(QStringLiteral("00:00\t")));
    EXPECT_EQ(given.lines[5 + 119].section(u'\t', 2).toStdString(), "Awake");
    EXPECT_EQ(dir.read(QStringLiteral("work/Trekkomat2.INI")), settings);

    writeSettings("StepSize=70\n", 0, 1);
    const CliRun chinese = run(night);
    ASSERT_EQ(chinese.lines.size(), 1 + 4 + 781);
    EXPECT_EQ(chinese.lines[0].toStdString(), "2024-3-5 睡眠品質 ...");
    EXPECT_EQ(chinese.lines[5].section(u'\t', 2).toStdString(), "深眠");

    for (const QStringList& arguments :
         {QStringList{QStringLiteral("sleep"), QStringLiteral("2026-02-30")},
          QStringList{QStringLiteral("sleep"), QStringLiteral("2026-02-03"),
                      QStringLiteral("--start"), QStringLiteral("21.5")},
          QStringList{QStringLiteral("sleep"), QStringLiteral("2026-02-03"),
                      QStringLiteral("--start"), QStringLiteral("22"), QStringLiteral("--end"),
                      QStringLiteral("22")}}) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.lines.isEmpty());
        EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
    }
}

} // namespace
} // namespace trek
