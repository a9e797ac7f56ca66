// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/inidocument.h"

#include <gtest/gtest.h>

using trek::platform::checkIniEntry;
using trek::platform::IniDocument;
using trek::platform::profileIntFromText;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

std::string value(const QByteArray& text, const char* section, const char* key)
{
    const std::optional<QString> found = IniDocument::parse(text).value(s(section), s(key));
    return found ? found->toStdString() : std::string("<missing>");
}

// The file's bytes after setting one key, or why that was refused.
std::string edited(const QByteArray& text, const QString& section, const QString& key,
                   const QString& value)
{
    IniDocument document = IniDocument::parse(text);
    const trek::Result<> result = document.set({{section, key, value}});
    return result ? document.bytes().toStdString() : "<refused: " + result.error().toStdString();
}

const QByteArray handMade = "; settings written by hand\r\n"
                            "[Advance]\r\n"
                            "  Language =  2  \r\n"
                            ";EnableUpgrade=0\r\n"
                            "EnableUpgrade=1\r\n"
                            "\r\n"
                            "[ Personal ]\r\n"
                            "Height=170\r\n"
                            "Note=a=b\r\n"
                            "\r\n"
                            "[advance]\r\n"
                            "AutoConfirm=1\r\n";

} // namespace

TEST(IniText, FindsValuesWithoutRegardToCaseOrBlanks)
{
    EXPECT_EQ(value(handMade, "Advance", "Language"), "2");
    EXPECT_EQ(value(handMade, "ADVANCE", "language"), "2");
    EXPECT_EQ(value(handMade, "personal", "HEIGHT"), "170");
    EXPECT_EQ(value(handMade, " Personal ", " Height "), "170");
    // Only the first '=' separates key and value.
    EXPECT_EQ(value(handMade, "Personal", "Note"), "a=b");
}

TEST(IniText, CommentsMissingNamesAndLaterDuplicateSectionsGiveNothing)
{
    EXPECT_EQ(value(handMade, "Advance", "EnableUpgrade"), "1"); // not the commented-out 0
    EXPECT_EQ(value(handMade, "Advance", ";EnableUpgrade"), "<missing>");
    EXPECT_EQ(value(handMade, "Advance", "Height"), "<missing>");
    EXPECT_EQ(value(handMade, "Mission", "A_Mode"), "<missing>");
    // The first section of a name is the one that counts, as with the profile functions.
    EXPECT_EQ(value(handMade, "Advance", "AutoConfirm"), "<missing>");
    EXPECT_EQ(value(QByteArray(), "Advance", "Language"), "<missing>");
    // A key above every section belongs to none.
    EXPECT_EQ(value("Language=1\n[Advance]\n", "Advance", "Language"), "<missing>");
}

TEST(IniText, ReadsFilesWithByteOrderMarkAndWithoutFinalLineEnd)
{
    EXPECT_EQ(value("\xEF\xBB\xBF[Advance]\nLanguage=1", "Advance", "Language"), "1");
    EXPECT_EQ(value("[Advance]\r\nLanguage=1\r", "Advance", "Language"), "1");
    EXPECT_EQ(value("[Mission]\nA_Goes=\xE4\xB8\x80\n", "Mission", "A_Goes"),
              "\xE4\xB8\x80"); // UTF-8 text survives
}

TEST(IniText, IntegerReadingTakesSignAndLeadingDigits)
{
    EXPECT_EQ(profileIntFromText(s("12abc")), 12);
    EXPECT_EQ(profileIntFromText(s("abc")), 0);
    EXPECT_EQ(profileIntFromText(s("-3")), -3);
    EXPECT_EQ(profileIntFromText(s("+42")), 42);
    EXPECT_EQ(profileIntFromText(s("  7 ")), 7);
    EXPECT_EQ(profileIntFromText(s("")), 0);
    EXPECT_EQ(profileIntFromText(s("-")), 0);
    EXPECT_EQ(profileIntFromText(s("1.9")), 1);
    EXPECT_EQ(profileIntFromText(s("- 5")), 0);
    EXPECT_EQ(profileIntFromText(s("2147483647")), 2147483647);
    EXPECT_EQ(profileIntFromText(s("-2147483648")), -2147483647 - 1);
    // A tick count past 2^31 is written as a negative number and must come back the same.
    EXPECT_EQ(static_cast<std::uint32_t>(profileIntFromText(s("-294967296"))), 4000000000U);
    EXPECT_EQ(profileIntFromText(s("4294967297")), 1); // 32-bit wrap, never undefined behaviour
}

TEST(IniText, WriteReplacesTheValueInPlaceAndKeepsEverythingElse)
{
    QByteArray expected = handMade;
    expected.replace("  Language =  2  \r\n", "  Language =  0\r\n");
    EXPECT_EQ(edited(handMade, s("advance"), s("LANGUAGE"), s("0")), expected.toStdString());

    expected = handMade;
    expected.replace("Note=a=b\r\n", "Note=x\r\n");
    EXPECT_EQ(edited(handMade, s("Personal"), s("Note"), s("x")), expected.toStdString());
}

TEST(IniText, WriteAppendsAMissingKeyToTheEndOfItsSection)
{
    QByteArray expected = handMade;
    // The new line keeps the file's CR LF and lands before the blank line that ends the section.
    expected.replace("Note=a=b\r\n", "Note=a=b\r\nStepSize=75\r\n");
    EXPECT_EQ(edited(handMade, s("PERSONAL"), s("StepSize"), s("75")), expected.toStdString());

    EXPECT_EQ(edited("[A]\nx=1", s("A"), s("y"), s("2")), "[A]\nx=1\ny=2\n");
    EXPECT_EQ(edited("[A]\n[B]\n", s("A"), s("y"), s("2")), "[A]\ny=2\n[B]\n");
}

TEST(IniText, WriteAppendsAMissingSectionAtTheEnd)
{
    EXPECT_EQ(edited(QByteArray(), s("Advance"), s("Language"), s("2")), "[Advance]\nLanguage=2\n");
    EXPECT_EQ(edited("[A]\nx=1", s("B"), s("y"), s("2")), "[A]\nx=1\n\n[B]\ny=2\n");
    EXPECT_EQ(edited("[A]\r\nx=1\r\n\r\n", s(" B "), s(" y "), s("2")),
              "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
}

TEST(IniText, RefusesEntriesThatWouldReadBackAsSomethingElse)
{
    EXPECT_TRUE(checkIniEntry(s("Advance"), s("Language"), s("2")).ok());
    EXPECT_TRUE(checkIniEntry(s("Update"), s("Local"), s("0x1234ABCD --> 2014/09/01")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), s("Language"), s("2\n[Evil]")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), s("Lang\r"), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s("Adv]ance"), s("Language"), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), s("a=b"), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), s(";x"), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s(" "), s("x"), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), QString(), s("2")).ok());
    EXPECT_FALSE(checkIniEntry(s("Advance"), s("Language"), QString(1, QChar(0))).ok());

    // Several entries go in together or not at all.
    IniDocument document = IniDocument::parse("[A]\nx=1\n");
    EXPECT_FALSE(document.set({{s("A"), s("x"), s("2")}, {s("B"), s("y"), s("3\n")}}).ok());
    EXPECT_EQ(document.bytes().toStdString(), "[A]\nx=1\n");
}

TEST(IniText, LinesEndInCrLfLfOrALoneCr)
{
    const QByteArray mixed = "[Advance]\rLanguage=1\r[Mission]\r\nA_Goes=3\nA_CurSteps=40\r\r\n";
    EXPECT_EQ(value(mixed, "Advance", "Language"), "1");
    EXPECT_EQ(value(mixed, "Mission", "A_Goes"), "3");
    // The CR before CR LF ends a line of its own; it is no part of the value.
    EXPECT_EQ(value(mixed, "Mission", "A_CurSteps"), "40");
    EXPECT_EQ(value(mixed, "Advance", "A_Goes"), "<missing>");

    // A rewrite keeps every ending, and the header after a lone CR stays a header.
    QByteArray expected = mixed;
    expected.replace("Language=1", "Language=7");
    EXPECT_EQ(edited(mixed, s("Advance"), s("Language"), s("7")), expected.toStdString());

    // New lines take the ending most lines have, the earliest one between equals.
    EXPECT_EQ(edited("[A]\r\nx=1\ny=2\r\n", s("A"), s("z"), s("3")), "[A]\r\nx=1\ny=2\r\nz=3\r\n");
    EXPECT_EQ(edited("[A]\rx=1\r\n", s("B"), s("z"), s("3")), "[A]\rx=1\r\n\r[B]\rz=3\r");
    EXPECT_EQ(edited("[A]\rx=1", s("A"), s("z"), s("3")), "[A]\rx=1\rz=3\r");
}

TEST(IniText, HandEditedFormsKeepTheirValues)
{
    const QByteArray text = "[Mission]\n"
                            "A_CurSteps='40'\n"
                            "A_Goes = \" 12.5 \" \n"
                            "Odd='7\"\n"
                            "Lone=\"\n"
                            "[Unfinished\n"
                            "A_Mode=2\n";
    EXPECT_EQ(value(text, "Mission", "A_CurSteps"), "40");
    EXPECT_EQ(IniDocument::parse(text).getInt(s("Mission"), s("A_CurSteps"), -1), 40);
    EXPECT_EQ(value(text, "Mission", "A_Goes"), " 12.5 "); // one pair only, the inside kept
    EXPECT_EQ(value(text, "Mission", "Odd"), "'7\"");      // quotes that do not match stay
    EXPECT_EQ(value(text, "Mission", "Lone"), "\"");
    // A line with '[' but no ']' is no header: the keys after it stay in [Mission].
    EXPECT_EQ(value(text, "Mission", "A_Mode"), "2");
    EXPECT_EQ(value(text, "Unfinished", "A_Mode"), "<missing>");
    QByteArray expected = text;
    expected.replace("A_Mode=2\n", "A_Mode=2\nA_Total=9\n");
    EXPECT_EQ(edited(text, s("Mission"), s("A_Total"), s("9")), expected.toStdString());
}

TEST(IniText, RewritesKeepTheQuotesAndValuesReadBackAsWritten)
{
    EXPECT_EQ(edited("[M]\nA_CurSteps = '40'\n", s("M"), s("A_CurSteps"), s("41")),
              "[M]\nA_CurSteps = '41'\n");
    // Outer blanks or quotes would be lost on reading, so such a value goes inside quotes.
    for (const char* given : {" padded ", "'quoted'", "\"\"", "", "x", "'", "a \"b\""}) {
        IniDocument document = IniDocument::parse("[M]\nKey=1\n");
        ASSERT_TRUE(document.set({{s("M"), s("Key"), s(given)}, {s("M"), s("New"), s(given)}}));
        const IniDocument reread = IniDocument::parse(document.bytes());
        EXPECT_EQ(reread.value(s("M"), s("Key")).value_or(s("<missing>")), s(given));
        EXPECT_EQ(reread.value(s("M"), s("New")).value_or(s("<missing>")), s(given));
    }
}

TEST(IniText, OneByteFileKeepsItsOtherValuesOrRefusesTheEdit)
{
    // Without a mark only the invalid UTF-8 byte of "Old" shows the file is one byte a character;
    // replacing it would make "Ã«" of Name read back as UTF-8 "ë".
    const QByteArray file = "[P]\nOld=\xF3\nName=Zo\xC3\xAB\n";
    EXPECT_EQ(value(file, "P", "Name"), "Zo\xC3\x83\xC2\xAB");
    EXPECT_EQ(edited(file, s("P"), s("Old"), s("x")).rfind("<refused: ", 0), 0U);
    // An edit that leaves such a byte, or a file that is plain ASCII afterwards, goes through.
    EXPECT_EQ(edited(file, s("P"), s("New"), s("1")), "[P]\nOld=\xF3\nName=Zo\xC3\xAB\nNew=1\n");
    EXPECT_EQ(edited("[P]\nOld=\xF3\n", s("P"), s("Old"), s("x")), "[P]\nOld=x\n");
}

TEST(IniText, AKeyAloneOnItsLineTakesTheValueWhereItStands)
{
    // Without '=' it holds no value, yet it is the user's line for that key.
    EXPECT_EQ(value("[A]\nfoo\n", "A", "foo"), "<missing>");
    EXPECT_EQ(edited("[A]\nfoo\nx=1\n", s("A"), s("FOO"), s("v")), "[A]\nfoo=v\nx=1\n");
    EXPECT_EQ(edited("[A]\r\n  foo \t\r\n", s("A"), s("foo"), s(" v")), "[A]\r\n  foo=\" v\"\r\n");
    // Only in its own section; a key with a value already is the one that reads and changes.
    EXPECT_EQ(edited("[B]\nfoo\n[A]\n", s("A"), s("foo"), s("v")), "[B]\nfoo\n[A]\nfoo=v\n");
    EXPECT_EQ(edited("[A]\nfoo\nfoo=1\n", s("A"), s("foo"), s("v")), "[A]\nfoo\nfoo=v\n");

    IniDocument document = IniDocument::parse("[A]\nfoo\nbar\n");
    ASSERT_TRUE(document.set({{s("A"), s("foo"), s("1")}, {s("A"), s("bar"), s("2")}}));
    EXPECT_EQ(document.bytes().toStdString(), "[A]\nfoo=1\nbar=2\n");
    EXPECT_EQ(document.getInt(s("A"), s("bar"), 9), 2);
}
