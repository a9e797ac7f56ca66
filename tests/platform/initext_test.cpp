#include "platform/initext.h"

#include <gtest/gtest.h>

using trek::platform::findIniValue;
using trek::platform::iniEntryProblem;
using trek::platform::profileIntFromText;
using trek::platform::setIniValue;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

std::string value(const QByteArray& text, const char* section, const char* key)
{
    const std::optional<QString> found = findIniValue(text, s(section), s(key));
    return found ? found->toStdString() : std::string("<missing>");
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
    const QByteArray edited = setIniValue(handMade, s("advance"), s("LANGUAGE"), s("0"));
    QByteArray expected = handMade;
    expected.replace("  Language =  2  \r\n", "  Language =  0\r\n");
    EXPECT_EQ(edited.toStdString(), expected.toStdString());

    const QByteArray second = setIniValue(handMade, s("Personal"), s("Note"), s("x"));
    expected = handMade;
    expected.replace("Note=a=b\r\n", "Note=x\r\n");
    EXPECT_EQ(second.toStdString(), expected.toStdString());
}

TEST(IniText, WriteAppendsAMissingKeyToTheEndOfItsSection)
{
    const QByteArray edited = setIniValue(handMade, s("PERSONAL"), s("StepSize"), s("75"));
    QByteArray expected = handMade;
    // The new line keeps the file's CR LF and lands before the blank line that ends the section.
    expected.replace("Note=a=b\r\n", "Note=a=b\r\nStepSize=75\r\n");
    EXPECT_EQ(edited.toStdString(), expected.toStdString());

    EXPECT_EQ(setIniValue("[A]\nx=1", s("A"), s("y"), s("2")).toStdString(), "[A]\nx=1\ny=2\n");
    EXPECT_EQ(setIniValue("[A]\n[B]\n", s("A"), s("y"), s("2")).toStdString(), "[A]\ny=2\n[B]\n");
}

TEST(IniText, WriteAppendsAMissingSectionAtTheEnd)
{
    EXPECT_EQ(setIniValue(QByteArray(), s("Advance"), s("Language"), s("2")).toStdString(),
              "[Advance]\nLanguage=2\n");
    EXPECT_EQ(setIniValue("[A]\nx=1", s("B"), s("y"), s("2")).toStdString(),
              "[A]\nx=1\n\n[B]\ny=2\n");
    EXPECT_EQ(setIniValue("[A]\r\nx=1\r\n\r\n", s(" B "), s(" y "), s("2")).toStdString(),
              "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
}

TEST(IniText, RefusesEntriesThatWouldReadBackAsSomethingElse)
{
    EXPECT_TRUE(iniEntryProblem(s("Advance"), s("Language"), s("2")).isEmpty());
    EXPECT_TRUE(iniEntryProblem(s("Update"), s("Local"), s("0x1234ABCD --> 2014/09/01")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Advance"), s("Language"), s("2\n[Evil]")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Advance"), s("Lang\r"), s("2")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Adv]ance"), s("Language"), s("2")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Advance"), s("a=b"), s("2")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Advance"), s(";x"), s("2")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s(" "), s("x"), s("2")).isEmpty());
    EXPECT_FALSE(iniEntryProblem(s("Advance"), QString(), s("2")).isEmpty());
}
