// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/workingfolder.h"
#include "tempdir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using trek::ChooseWorkingFolder;
using trek::WorkingFolderFacts;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(DefaultWorkingFolder, OnlyAProgramFromItsBuildTreeInAWritableFolderStaysThere)
{
    const QString here = s("/home/ann/steps");
    const QString data = s("/home/ann/.local/share/trekkomat");
    EXPECT_EQ(ChooseWorkingFolder({here, true, true, data}), here);
    // Installed: a menu starts it in the home folder, which must not fill with store files.
    EXPECT_EQ(ChooseWorkingFolder({here, true, false, data}), data);
    EXPECT_EQ(ChooseWorkingFolder({here, false, true, data}), data);
    EXPECT_EQ(ChooseWorkingFolder({here, false, false, data}), data);
}

// The test program lies in the build tree, as the programs the tests and the demo start do.
TEST(DefaultWorkingFolder, ThisBuildTreeProgramKeepsTheCurrentFolderAndLeavesTheDataFolderAlone)
{
    const trek::test::TempDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));

    const WorkingFolderFacts facts = trek::CurrentWorkingFolderFacts();
    EXPECT_TRUE(facts.fromBuildTree);
    EXPECT_EQ(facts.dataFolder, home.filePath(s("trekkomat")));
    EXPECT_EQ(facts.currentFolder, QDir::currentPath());

    const trek::Result<QString> chosen = trek::DefaultWorkingFolder();
    ASSERT_TRUE(chosen) << chosen.error().toStdString();
    EXPECT_EQ(*chosen, facts.currentWritable ? QDir::currentPath() : facts.dataFolder);
    EXPECT_EQ(QFileInfo::exists(facts.dataFolder), !facts.currentWritable);

    if (saved.isEmpty()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", saved);
    }
}

} // namespace
