// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/langtable.h"
#include "app/lang/languages.h"

#include <QRegularExpression>
#include <QStringList>
#include <climits>
#include <gtest/gtest.h>

namespace trek {
namespace {

// The languages' indexes as the settings file stores them.
constexpr int English = 0;
constexpr int Traditional = 1;
constexpr int Simplified = 2;
constexpr int AllLanguages[] = {English, Traditional, Simplified};

QString Utf8(const char8_t* text)
{
    return QString::fromUtf8(text);
}

// The printf conversions of a format, in order ("%%" included, since a translation that drops
// it would print a stray character). Anything after a '%' that is not a conversion is kept as
// "%?" so that it can never match a real one.
QStringList Placeholders(const QString& format)
{
    static const QRegularExpression conversion(
        QStringLiteral("%(%|[-+ #0]*[0-9]*(?:\\.[0-9]+)?(?:hh|h|ll|l|L)?[cdiouxXfeEgGsp])"));
    QStringList found;
    for (qsizetype at = format.indexOf(u'%'); at >= 0; at = format.indexOf(u'%', at)) {
        const QRegularExpressionMatch match =
            conversion.match(format, at, QRegularExpression::NormalMatch,
                             QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch()) {
            found << match.captured(0);
            at += match.capturedLength(0);
        } else {
            found << QStringLiteral("%?");
            ++at;
        }
    }
    return found;
}

TEST(LangTable, EnglishRowsKeepTheirExactWording)
{
    const struct
    {
        TextRow row;
        const char8_t* text;
    } expected[] = {
        {TextRow::ProgramName, u8" Trekkomat_2 "},
        {TextRow::Steps, u8"Steps"},
        {TextRow::OldInch, u8"inch"},
        {TextRow::Distance, u8"Distance(%s)"},
        {TextRow::WeekReport, u8"Day Report(Count)"},
        {TextRow::CollectFromDiskQuestion,
         u8"Find Stepo USB Disk (Disk-%c), Start to collect data ?"},
        {TextRow::Saturday, u8"Sat"},
        {TextRow::MinutesUnit, u8"Mintues"},
        {TextRow::KindSteps, u8"Steps"},
        {TextRow::PercentCompleted, u8"%d %% Compeleted"},
        {TextRow::Congratulation, u8"Congraturation !!!"},
        {TextRow::RunningTime, u8"Running %d Days %d Hours %d Minutes"},
        {TextRow::FasterPerDay, u8"Faster %d sec/day"},
        {TextRow::SlowerPerDay, u8"Slower %d sec/day"},
        {TextRow::Execute, u8"Excute"},
        {TextRow::DiskNotFound, u8"Not found %s Stepo-Disk"},
        {TextRow::DataCollectionError, u8"### Data Collection Error ###"},
        {TextRow::ClockCheckReport,
         u8"Driver %c:\nModel: %s%c\n\nLast Update: %s\n\nCurrent Time:%s\nWatch Time:  "
         u8"%s\n\nDifference: %s"},
        {TextRow::NewVersionQuestion, u8"Find a NEW version, start upgrade (Yes/No) ?"},
        {TextRow::DiskConstructing, u8"Disk-%c Constructing ... ..."},
        {TextRow::SetupOk, u8">>> Setup OK, Remove Disk <<<"},
        {TextRow::SleepQuality, u8"Sleep Quaility"},
        {TextRow::SlightMove, u8"Slight Move > "},
        {TextRow::MetricUnits, u8"Metric  Units"},
        {TextRow::ImperialUnits, u8"Imperial units"},
        {TextRow::Mile, u8"Mile"},
        {TextRow::Kilometre, u8"Km"},
        {TextRow::SimplifiedKilometre, u8"Km"},
    };
    for (const auto& [row, text] : expected) {
        EXPECT_EQ(GetLangText(row, English), Utf8(text)) << "row " << static_cast<int>(row);
    }
}

TEST(LangTable, ChineseRowsThatScreensDependOn)
{
    const struct
    {
        TextRow row;
        const char8_t* traditional;
        const char8_t* simplified;
    } expected[] = {
        {TextRow::Hours, u8"時刻", u8"时刻"},
        {TextRow::Days, u8"日期", u8"日期"},
        {TextRow::OldPound, u8"公斤", u8"公斤"},
        {TextRow::OldInch, u8"公分", u8"公分"},
        {TextRow::OldMetre, u8"公尺", u8"公尺"},
        {TextRow::OldKilometre, u8"公里", u8"公里"},
        {TextRow::WeekReport, u8"周報表", u8"周报表"},
        {TextRow::Week, u8"星期", u8"星期"},
        {TextRow::TimeSet, u8"時間設定", u8"时间设定"},
        {TextRow::ClockCheckReport,
         u8"Driver %c:\nModel: %s%c\n\n前次設定: %s\n\n目前時間: %s\n手表時間: %s\n\n誤差: %s",
         u8"Driver %c:\nModel: %s%c\n\n前次设定: %s\n\n目前时间: %s\n手表时间: %s\n\n误差: %s"},
        {TextRow::MetricUnits, u8"公制單位", u8"公制单位"},
        {TextRow::ImperialUnits, u8"英制單位", u8"英制单位"},
        {TextRow::Feet, u8"英呎", u8"英尺"},
        {TextRow::Kilogram, u8"公斤", u8"公斤"},
        {TextRow::Centimetre, u8"公分", u8"公分"},
        {TextRow::Metre, u8"公尺", u8"公尺"},
        {TextRow::Kilometre, u8"公里", u8"公里"},
        {TextRow::SimplifiedKilogram, u8"千克", u8"千克"},
        {TextRow::SimplifiedCentimetre, u8"厘米", u8"厘米"},
        {TextRow::SimplifiedMetre, u8"米", u8"米"},
        {TextRow::SimplifiedKilometre, u8"千米", u8"千米"},
    };
    for (const auto& [row, traditional, simplified] : expected) {
        EXPECT_EQ(GetLangText(row, Traditional), Utf8(traditional))
            << "row " << static_cast<int>(row);
        EXPECT_EQ(GetLangText(row, Simplified), Utf8(simplified))
            << "row " << static_cast<int>(row);
    }
}

TEST(LangTable, EveryRowIsFilledAndFormatsMatchAcrossLanguages)
{
    for (int row = 0; row < LangRowCount; ++row) {
        const QString english = GetLangText(static_cast<TextRow>(row), English);
        for (const Language& each : Languages) {
            const int language = each.index;
            const QString text = GetLangText(static_cast<TextRow>(row), language);
            EXPECT_FALSE(text.trimmed().isEmpty()) << "row " << row << " language " << language;
            // Callers fill one argument list whatever the language: a placeholder missing,
            // added or moved in a translation prints garbage or reads the wrong argument.
            EXPECT_EQ(Placeholders(text), Placeholders(english))
                << "row " << row << " language " << language << ": " << text.toStdString();
        }
    }
}

TEST(LangTable, ChineseColumnsDoNotMixScripts)
{
    // Characters that exist in only one of the two scripts; a cell copied into the wrong column
    // shows up here.
    const QString simplifiedOnly = Utf8(u8"数时间设资据个总钟标开执显电图讯发误检线级启动认单厂监测"
                                        u8"败预复质寝浅轻闹务维护请选择计统归确盘删传报离体护关后");
    const QString traditionalOnly =
        Utf8(u8"數時間設資據個總鐘標開執顯電圖訊發誤檢線級啟動認單廠監測"
             u8"敗預複質寢淺輕鬧務維護請選擇計統歸確刪傳報離體關後");
    for (int row = 0; row < LangRowCount; ++row) {
        const QString traditional = GetLangText(static_cast<TextRow>(row), Traditional);
        const QString simplified = GetLangText(static_cast<TextRow>(row), Simplified);
        for (const QChar c : traditional) {
            EXPECT_FALSE(simplifiedOnly.contains(c))
                << "row " << row << " Traditional holds " << QString(c).toStdString();
        }
        for (const QChar c : simplified) {
            EXPECT_FALSE(traditionalOnly.contains(c))
                << "row " << row << " Simplified holds " << QString(c).toStdString();
        }
    }
}

TEST(LangTable, LanguageIndexOtherThanOneOrTwoMeansEnglish)
{
    for (const int language : {0, LanguageCount, -1, 99, INT_MIN, INT_MAX}) {
        EXPECT_EQ(GetLangText(TextRow::TimeSet, language), QStringLiteral("Time Set")) << language;
    }
    EXPECT_EQ(GetLangText(TextRow::TimeSet, Traditional), Utf8(u8"時間設定"));
    EXPECT_EQ(GetLangText(TextRow::TimeSet, Simplified), Utf8(u8"时间设定"));
}

TEST(LangTable, RowsOutsideTheTableGiveEmptyText)
{
    for (const int row : {-1, LangRowCount, LangRowCount + 1, INT_MIN, INT_MAX}) {
        for (const int language : AllLanguages) {
            EXPECT_TRUE(GetLangText(static_cast<TextRow>(row), language).isEmpty())
                << row << " " << language;
        }
    }
}

TEST(LangTable, DefaultLanguageFollowsTheLocaleAbbreviation)
{
    EXPECT_EQ(DefaultLanguageForLocale(QStringLiteral("CHS")), Simplified);
    EXPECT_EQ(DefaultLanguageForLocale(QStringLiteral("CHT")), Traditional);
    // Only the first three letters are compared.
    EXPECT_EQ(DefaultLanguageForLocale(QStringLiteral("CHSX")), Simplified);
    EXPECT_EQ(DefaultLanguageForLocale(QStringLiteral("CHTW")), Traditional);
    for (const QString& other : {QStringLiteral("ENU"), QStringLiteral("JPN"), QStringLiteral("CH"),
                                 QStringLiteral("C"), QString(), QStringLiteral("XCHS")}) {
        EXPECT_EQ(DefaultLanguageForLocale(other), English) << other.toStdString();
    }
}

TEST(LangTable, UnitBlockGivesEachInterfaceItsUnitWords)
{
    EXPECT_EQ(LanguageAt(Simplified).unitBlock, TextRow::SimplifiedKilogram);
    for (const int language : {English, Traditional, LanguageCount, -1}) {
        EXPECT_EQ(LanguageAt(language).unitBlock, TextRow::Kilogram) << language;
    }
    // Kilogram and centimetre labels as the personal page picks them.
    const auto unit = [](int language, int offset) {
        return GetLangText(RowAfter(LanguageAt(language).unitBlock, offset), language);
    };
    EXPECT_EQ(unit(Simplified, 0), Utf8(u8"千克"));
    EXPECT_EQ(unit(Simplified, 1), Utf8(u8"厘米"));
    EXPECT_EQ(unit(Traditional, 0), Utf8(u8"公斤"));
    EXPECT_EQ(unit(Traditional, 1), Utf8(u8"公分"));
    EXPECT_EQ(unit(English, 0), QStringLiteral("Kg"));
    EXPECT_EQ(unit(English, 1), QStringLiteral("cm"));
}

TEST(LangTable, ClockCheckReportHasTheSameLinesInEveryLanguage)
{
    const QString lastUpdate = QStringLiteral("2014-09-01 10:00:00");
    const QString pcTime = QStringLiteral("2014-09-02 12:34:56");
    const QString watchTime = QStringLiteral("2014-09-02 12:34:50");
    const QString difference = QStringLiteral("-6 sec");
    QList<QStringList> reports;
    for (const int language : AllLanguages) {
        const QByteArray format = GetLangText(TextRow::ClockCheckReport, language).toUtf8();
        const QString report =
            QString::asprintf(format.constData(), 'E', "K7", 'B', lastUpdate.toUtf8().constData(),
                              pcTime.toUtf8().constData(), watchTime.toUtf8().constData(),
                              difference.toUtf8().constData());
        EXPECT_FALSE(report.contains(u'%')) << language;
        reports << report.split(u'\n');
    }
    const QStringList& english = reports.front();
    ASSERT_EQ(english.size(), 9);
    EXPECT_EQ(english.at(0), QStringLiteral("Driver E:"));
    EXPECT_EQ(english.at(1), QStringLiteral("Model: K7B"));
    EXPECT_EQ(english.at(5), QStringLiteral("Current Time:") + pcTime);
    EXPECT_EQ(english.at(6), QStringLiteral("Watch Time:  ") + watchTime);
    for (const QStringList& lines : reports) {
        ASSERT_EQ(lines.size(), english.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines.at(i).isEmpty(), english.at(i).isEmpty()) << "line " << i;
        }
        EXPECT_EQ(lines.at(0), english.at(0));
        EXPECT_EQ(lines.at(1), english.at(1));
        EXPECT_TRUE(lines.at(3).endsWith(lastUpdate));
        EXPECT_TRUE(lines.at(5).endsWith(pcTime));
        EXPECT_TRUE(lines.at(6).endsWith(watchTime));
        EXPECT_TRUE(lines.at(8).endsWith(difference));
    }
}

} // namespace
} // namespace trek
