// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/desktop/desktopservices_linux.h"
#include "backends/linux/systemservices_linux.h"
#include "platform/localename.h"
#include "platform/processrandom.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace trek::platform;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv final
{
public:
    ScopedEnv(const char* name, const char* value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value == nullptr) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    ~ScopedEnv()
    {
        if (m_had) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }
    Q_DISABLE_COPY_MOVE(ScopedEnv)

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(ProcessRandom, StartsFromStateOneWithTheKnownSequence)
{
    ProcessRandom random;
    const std::vector<int> first = {random.next(), random.next(), random.next(), random.next(),
                                    random.next()};
    EXPECT_EQ(first, std::vector<int>({41, 18467, 6334, 26500, 19169}));

    random.seed(1);
    EXPECT_EQ(random.next(), 41);
    random.seed(0xFFFFFFFFU); // the state wraps at 32 bits
    const int value = random.next();
    EXPECT_GE(value, 0);
    EXPECT_LE(value, ProcessRandom::Max);
    EXPECT_EQ(value, static_cast<int>(((0xFFFFFFFFU * 214013U + 2531011U) >> 16) & 0x7FFFU));
}

TEST(LocaleName, AbbreviatesPosixLocaleNames)
{
    EXPECT_EQ(localeAbbreviationFor(s("zh_CN.UTF-8")), s("CHS"));
    EXPECT_EQ(localeAbbreviationFor(s("zh")), s("CHS"));
    EXPECT_EQ(localeAbbreviationFor(s("zh_TW.UTF-8")), s("CHT"));
    EXPECT_EQ(localeAbbreviationFor(s("zh_HK.Big5-HKSCS")), s("CHT"));
    EXPECT_EQ(localeAbbreviationFor(s("zh_MO")), s("CHT"));
    EXPECT_EQ(localeAbbreviationFor(s("en_US.UTF-8")), s("ENU"));
    EXPECT_EQ(localeAbbreviationFor(s("en_GB@euro")), s("ENU"));
    EXPECT_EQ(localeAbbreviationFor(s("C.UTF-8")), s("ENU"));
    EXPECT_EQ(localeAbbreviationFor(QString()), s("ENU"));
    EXPECT_EQ(localeAbbreviationFor(s("de_DE.UTF-8")), s("DEU"));
    EXPECT_EQ(localeAbbreviationFor(s("ja_JP.eucJP")), s("JPN"));
    EXPECT_EQ(localeAbbreviationFor(s("xx_YY")), s("ENU"));
}

TEST(LinuxSystemServices, LocaleFollowsTheMessageVariablesInOrder)
{
    const LinuxSystemServices system;
    {
        const ScopedEnv all("LC_ALL", "zh_TW.UTF-8");
        const ScopedEnv messages("LC_MESSAGES", "de_DE");
        const ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(system.localeAbbreviation(), s("CHT"));
    }
    {
        const ScopedEnv all("LC_ALL", nullptr);
        const ScopedEnv messages("LC_MESSAGES", "de_DE");
        const ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(system.localeAbbreviation(), s("DEU"));
    }
    {
        const ScopedEnv all("LC_ALL", "");
        const ScopedEnv messages("LC_MESSAGES", nullptr);
        const ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(system.localeAbbreviation(), s("CHS"));
    }
}

TEST(LinuxSystemServices, SystemLocaleComesFromTheMachinesFilesNotTheEnvironment)
{
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString debian = dir.filePath(s("default-locale"));
    const QString systemd = dir.filePath(s("locale.conf"));
    const auto write = [](const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const ScopedEnv all("LC_ALL", "de_DE.UTF-8");
    write(systemd, "LANG=zh_CN.UTF-8\n");
    // A file that sets nothing for messages gives way to the next one.
    write(debian, "# LANG=ja_JP\nLANGUAGE=ja_JP\nLC_TIME=ja_JP\nLC_ALL=\n");
    EXPECT_EQ(LinuxSystemServices({debian, systemd}).systemLocaleAbbreviation(), s("CHS"));
    // LC_ALL, then LC_MESSAGES, then LANG; quotes and "export" as a shell reads them.
    write(debian, "export LANG=\"en_GB.UTF-8\"\nLC_MESSAGES='zh_HK.UTF-8'\n");
    EXPECT_EQ(LinuxSystemServices({debian, systemd}).systemLocaleAbbreviation(), s("CHT"));
    EXPECT_EQ(LinuxSystemServices({debian, systemd}).localeAbbreviation(), s("DEU"));
    EXPECT_EQ(LinuxSystemServices({dir.filePath(s("missing"))}).systemLocaleAbbreviation(),
              s("ENU"));
}

TEST(LinuxSystemServices, MissionClockIsTheWallClockInMillisecondsModulo2To32)
{
    const LinuxSystemServices system;
    const std::uint32_t before = system.missionClock();
    QThread::msleep(50);
    const std::uint32_t elapsed = system.missionClock() - before; // modulo 2^32, as callers do
    EXPECT_GE(elapsed, 50U);
    EXPECT_LT(elapsed, 5000U);
    // Time since boot would be far off: the clock must agree with the date and time.
    const auto wallClock = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
    EXPECT_LT(wallClock - system.missionClock(), 5000U);
    EXPECT_EQ(system.platformGeneration(), 0);
}

TEST(LinuxDesktopServices, RefusesAddressesThatAreNotWebPages)
{
    LinuxDesktopServices desktop;
    EXPECT_FALSE(desktop.openUrl(QString()));
    EXPECT_FALSE(desktop.openUrl(s("file:///etc/passwd")));
    EXPECT_FALSE(desktop.openUrl(s("/usr/bin/xterm")));
    EXPECT_FALSE(desktop.openUrl(s("javascript:alert(1)")));
    EXPECT_FALSE(desktop.openUrl(s("http://")));
    // Offscreen, no key is held.
    EXPECT_FALSE(desktop.isLeftShiftDown());
    EXPECT_FALSE(desktop.isLeftCtrlDown());
}
