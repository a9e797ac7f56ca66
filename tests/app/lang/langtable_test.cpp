// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/langtable.h"

#include <QRegularExpression>
#include <QStringList>
#include <climits>
#include <gtest/gtest.h>

namespace trek {
namespace {

constexpr int English = static_cast<int>(Language::English);
constexpr int Traditional = static_cast<int>(Language::TraditionalChinese);
constexpr int Simplified = static_cast<int>(Language::SimplifiedChinese);
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
        int row;
        const char8_t* text;
    } expected[] = {
        {0, u8" Trekkomat_2 "},
        {6, u8"Steps"},
        {12, u8"inch"},
        {17, u8"Distance(%s)"},
        {20, u8"Day Report(Count)"},
        {22, u8"Find Stepo USB Disk (Disk-%c), Start to collect data ?"},
        {33, u8"Sat"},
        {40, u8"Mintues"},
        {42, u8"Steps"},
        {55, u8"%d %% Compeleted"},
        {56, u8"Congraturation !!!"},
        {58, u8"Running %d Days %d Hours %d Minutes"},
        {61, u8"Faster %d sec/day"},
        {62, u8"Slower %d sec/day"},
        {63, u8"Excute"},
        {77, u8"Not found %s Stepo-Disk"},
        {79, u8"### Data Collection Error ###"},
        {88, u8"Driver %c:\nModel: %s%c\n\nLast Update: %s\n\nCurrent Time:%s\nWatch Time:  "
             u8"%s\n\nDifference: %s"},
        {96, u8"Find a NEW version, start upgrade (Yes/No) ?"},
        {107, u8"Disk-%c Constructing ... ..."},
        {108, u8">>> Setup OK, Remove Disk <<<"},
        {114, u8"Sleep Quaility"},
        {122, u8"Slight Move > "},
        {133, u8"Metric  Units"},
        {134, u8"Imperial units"},
        {138, u8"Mile"},
        {142, u8"Km"},
        {146, u8"Km"},
    };
    for (const auto& [row, text] : expected) {
        EXPECT_EQ(GetLangText(row, English), Utf8(text)) << "row " << row;
    }
}

TEST(LangTable, ChineseRowsThatScreensDependOn)
{
    const struct
    {
        int row;
        const char8_t* traditional;
        const char8_t* simplified;
    } expected[] = {
        {7, u8"時刻", u8"时刻"},
        {8, u8"日期", u8"日期"},
        {11, u8"公斤", u8"公斤"},
        {12, u8"公分", u8"公分"},
        {13, u8"公尺", u8"公尺"},
        {14, u8"公里", u8"公里"},
        {20, u8"周報表", u8"周报表"},
        {54, u8"星期", u8"星期"},
        {86, u8"時間設定", u8"时间设定"},
        {88, u8"Driver %c:\nModel: %s%c\n\n前次設定: %s\n\n目前時間: %s\n手表時間: %s\n\n誤差: %s",
         u8"Driver %c:\nModel: %s%c\n\n前次设定: %s\n\n目前时间: %s\n手表时间: %s\n\n误差: %s"},
        {133, u8"公制單位", u8"公制单位"},
        {134, u8"英制單位", u8"英制单位"},
        {137, u8"英呎", u8"英尺"},
        {139, u8"公斤", u8"公斤"},
        {140, u8"公分", u8"公分"},
        {141, u8"公尺", u8"公尺"},
        {142, u8"公里", u8"公里"},
        {143, u8"千克", u8"千克"},
        {144, u8"厘米", u8"厘米"},
        {145, u8"米", u8"米"},
        {146, u8"千米", u8"千米"},
    };
    for (const auto& [row, traditional, simplified] : expected) {
        EXPECT_EQ(GetLangText(row, Traditional), Utf8(traditional)) << "row " << row;
        EXPECT_EQ(GetLangText(row, Simplified), Utf8(simplified)) << "row " << row;
    }
}

TEST(LangTable, EveryRowIsFilledAndFormatsMatchAcrossLanguages)
{
    for (int row = 0; row < LangRowCount; ++row) {
        const QString english = GetLangText(row, English);
        for (const int language : AllLanguages) {
            const QString text = GetLangText(row, language);
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
        const QString traditional = GetLangText(row, Traditional);
        const QString simplified = GetLangText(row, Simplified);
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
    for (const int language : {0, 3, -1, 99, INT_MIN, INT_MAX}) {
        EXPECT_EQ(GetLangText(86, language), QStringLiteral("Time Set")) << language;
    }
    EXPECT_EQ(GetLangText(86, Traditional), Utf8(u8"時間設定"));
    EXPECT_EQ(GetLangText(86, Simplified), Utf8(u8"时间设定"));
}

TEST(LangTable, RowsOutsideTheTableGiveEmptyText)
{
    for (const int row : {-1, LangRowCount, LangRowCount + 1, INT_MIN, INT_MAX}) {
        for (const int language : AllLanguages) {
            EXPECT_TRUE(GetLangText(row, language).isEmpty()) << row << " " << language;
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
    EXPECT_EQ(UnitBlockRow(Simplified), 143);
    for (const int language : {English, Traditional, 3, -1}) {
        EXPECT_EQ(UnitBlockRow(language), 139) << language;
    }
    // Kilogram and centimetre labels as the personal page picks them.
    EXPECT_EQ(GetLangText(UnitBlockRow(Simplified), Simplified), Utf8(u8"千克"));
    EXPECT_EQ(GetLangText(UnitBlockRow(Simplified) + 1, Simplified), Utf8(u8"厘米"));
    EXPECT_EQ(GetLangText(UnitBlockRow(Traditional), Traditional), Utf8(u8"公斤"));
    EXPECT_EQ(GetLangText(UnitBlockRow(Traditional) + 1, Traditional), Utf8(u8"公分"));
    EXPECT_EQ(GetLangText(UnitBlockRow(English), English), QStringLiteral("Kg"));
    EXPECT_EQ(GetLangText(UnitBlockRow(English) + 1, English), QStringLiteral("cm"));
}

TEST(LangTable, ClockCheckReportHasTheSameLinesInEveryLanguage)
{
    const QString lastUpdate = QStringLiteral("2014-09-01 10:00:00");
    const QString pcTime = QStringLiteral("2014-09-02 12:34:56");
    const QString watchTime = QStringLiteral("2014-09-02 12:34:50");
    const QString difference = QStringLiteral("-6 sec");
    QList<QStringList> reports;
    for (const int language : AllLanguages) {
        const QByteArray format = GetLangText(88, language).toUtf8();
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
