#include "platform/linux/iniprofile.h"
#include "scratchmount.h"
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

using trek::platform::IniProfile;
using trek::test::ScratchMount;
using trek::test::TempDir;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Nothing but the expected files: a failed write must not leave its temporary file behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QByteArray settings = "; hand-made\n"
                            "[Advance]\n"
                            "Language = 1\n"
                            "EnableUpgrade=0\n"
                            "\n"
                            "[Personal]\n"
                            "Height=12abc\n"
                            "Weight=-3\n"
                            "Birthday=abc\n";

} // namespace

TEST(IniProfile, ReadsAHandMadeFile)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    const IniProfile profile;
    EXPECT_EQ(profile.getInt(s("advance"), s("LANGUAGE"), 9, path), 1);
    EXPECT_EQ(profile.getInt(s("Advance"), s("EnableUpgrade"), 1, path), 0);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Height"), 9, path), 12);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Weight"), 9, path), -3);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Birthday"), 9, path), 0); // present: not default
    EXPECT_EQ(profile.getInt(s("Personal"), s("StepSize"), 9, path), 9);
    EXPECT_EQ(profile.getString(s("Personal"), s("Height"), s("d"), path), s("12abc"));
    EXPECT_EQ(profile.getString(s("Mission"), s("A_Goes"), s("0.0"), path), s("0.0"));
    EXPECT_EQ(profile.getString(s("Advance"), s("Language"), s("d"), dir.filePath(s("none.INI"))),
              s("d"));
}

TEST(IniProfile, WritesCreateTheFileAndKeepEveryOtherLine)
{
    const TempDir dir;
    IniProfile profile;
    const QString fresh = dir.filePath(s("new.INI"));
    ASSERT_TRUE(profile.writeString(s("Advance"), s("Language"), s("2"), fresh));
    EXPECT_EQ(readAll(fresh).toStdString(), "[Advance]\nLanguage=2\n");

    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    ASSERT_TRUE(profile.writeString(s("ADVANCE"), s("language"), s("0"), path));
    ASSERT_TRUE(profile.writeString(s("Personal"), s("StepSize"), s("75"), path));
    ASSERT_TRUE(profile.writeString(s("Mission"), s("A_Goes"), s("12.500000"), path));
    EXPECT_EQ(readAll(path).toStdString(), "; hand-made\n"
                                           "[Advance]\n"
                                           "Language = 0\n"
                                           "EnableUpgrade=0\n"
                                           "\n"
                                           "[Personal]\n"
                                           "Height=12abc\n"
                                           "Weight=-3\n"
                                           "Birthday=abc\n"
                                           "StepSize=75\n"
                                           "\n"
                                           "[Mission]\n"
                                           "A_Goes=12.500000\n");
    EXPECT_EQ(entries(dir.path()), QStringList({s("Trekkomat2.INI"), s("new.INI")}));
}

TEST(IniProfile, RefusedEntryLeavesTheFileAlone)
{
    const TempDir dir;
    const QString path = dir.write(s("Trekkomat2.INI"), settings);
    IniProfile profile;
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("1\n[Advance]"), path));
    EXPECT_FALSE(profile.lastError().isEmpty());
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("1"), QString()));
    EXPECT_EQ(readAll(path), settings);
}

TEST(IniProfile, FailedWriteIntoAReadOnlyFolderKeepsTheOldFile)
{
    ScratchMount mount(s("64k"));
    const bool root = ::geteuid() == 0;
    if (root && !mount.mounted()) {
        GTEST_SKIP() << "root ignores folder permissions and " << mount.error().toStdString();
    }
    const TempDir dir;
    const QString folder = mount.mounted() ? mount.path() : dir.path();
    const QString path = folder + s("/Trekkomat2.INI");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(settings), settings.size());
    }
    if (mount.mounted()) {
        ASSERT_TRUE(mount.remountReadOnly()) << mount.error().toStdString();
    } else {
        ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    IniProfile profile;
    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), s("2"), path));
    EXPECT_FALSE(profile.lastError().isEmpty());
    EXPECT_EQ(readAll(path), settings);
    EXPECT_EQ(entries(folder), QStringList({s("Trekkomat2.INI")}));
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, path), 1);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(IniProfile, FailedWriteOntoAFullFileSystemKeepsTheOldFile)
{
    ScratchMount mount(s("64k"));
    if (!mount.mounted()) {
        GTEST_SKIP() << mount.error().toStdString();
    }
    const QString path = mount.filePath(s("Trekkomat2.INI"));
    IniProfile profile;
    ASSERT_TRUE(profile.writeString(s("Advance"), s("Language"), s("1"), path));
    ASSERT_TRUE(profile.writeString(s("Personal"), s("Height"), s("170"), path));
    const QByteArray before = readAll(path);
    ASSERT_TRUE(mount.fill());

    EXPECT_FALSE(profile.writeString(s("Advance"), s("Language"), QString(3000, u'7'), path));
    EXPECT_FALSE(profile.lastError().isEmpty());
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(entries(mount.path()), QStringList({s("Trekkomat2.INI"), s("filler")}));

    // Room again: the next write goes through.
    ASSERT_TRUE(QFile::remove(mount.filePath(s("filler"))));
    EXPECT_TRUE(profile.writeString(s("Advance"), s("Language"), s("2"), path));
    EXPECT_EQ(profile.getInt(s("Advance"), s("Language"), 9, path), 2);
    EXPECT_EQ(profile.getInt(s("Personal"), s("Height"), 9, path), 170);
}

TEST(IniProfile, FourProcessesWritingAtOnceKeepAllTheirKeys)
{
    const TempDir dir;
    const QString path = dir.filePath(s("Trekkomat2.INI"));
    constexpr int writers = 4;
    constexpr int keysEach = 50;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 0; w < writers; ++w) {
        auto process = std::make_unique<QProcess>();
        process->start(s(TREK_PROFILE_WRITER),
                       {path, QStringLiteral("W%1_").arg(w), QString::number(keysEach)});
        processes.push_back(std::move(process));
    }
    for (auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }

    const IniProfile profile;
    int found = 0;
    for (int w = 0; w < writers; ++w) {
        for (int n = 0; n < keysEach; ++n) {
            const QString key = QStringLiteral("W%1_%2").arg(w).arg(n);
            found += profile.getInt(s("Shared"), key, -1, path) == n ? 1 : 0;
        }
    }
    EXPECT_EQ(found, writers * keysEach);
    EXPECT_EQ(readAll(path).count("[Shared]"), 1);
    EXPECT_EQ(entries(dir.path()), QStringList({s("Trekkomat2.INI")}));
}
