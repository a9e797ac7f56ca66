// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "tempdir.h"
#include "widgets/browseforfolder.h"
#include "widgets/completionbox.h"
#include "widgets/pictures.h"
#include "widgets/yesnobox.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace trek {
namespace {

// Runs `act` on the modal box once it is up, the way a person would answer it. A box that is
// still open long after that fails the test instead of hanging it.
void WhenModalShows(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
        QTimer::singleShot(5000, modal, [modal] {
            ADD_FAILURE() << "the box did not close";
            modal->close();
        });
    });
}

class BoxesTest : public ::testing::Test
{
protected:
    void SetUp() override { resetAppState(); }
};

TEST_F(BoxesTest, YesNoBoxEnterAnswersNo)
{
    CYesNoBox box(QStringLiteral("Collect"), QStringLiteral("Read the wristband now?"));
    QWidget* focused = nullptr;
    WhenModalShows([&focused](QWidget* modal) {
        focused = modal->focusWidget();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(box.DoModal(), CYesNoBox::No);
    EXPECT_EQ(focused, box.NoButton());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Collect"));
    EXPECT_EQ(box.Message(), QStringLiteral("Read the wristband now?"));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(BoxesTest, YesNoBoxEscapeAndCloseCountAsClosed)
{
    CYesNoBox escaped(QStringLiteral("t"), QStringLiteral("m"));
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(escaped.DoModal(), CYesNoBox::Closed);

    CYesNoBox closed(QStringLiteral("t"), QStringLiteral("m"));
    WhenModalShows([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(closed.DoModal(), CYesNoBox::Closed);
}

TEST_F(BoxesTest, YesNoBoxYesButtonAndFocusedEnterAnswerYes)
{
    CYesNoBox clicked(QStringLiteral("t"), QStringLiteral("m"));
    WhenModalShows([&clicked](QWidget* /*modal*/) { clicked.YesButton()->click(); });
    EXPECT_EQ(clicked.DoModal(), CYesNoBox::Yes);

    // Moving the focus to Yes on purpose makes Enter answer Yes.
    CYesNoBox typed(QStringLiteral("t"), QStringLiteral("m"));
    WhenModalShows([&typed](QWidget* modal) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
        typed.YesButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(typed.DoModal(), CYesNoBox::Yes);
}

TEST_F(BoxesTest, CompletionBoxShowsTheTrophyOfItsMission)
{
    appState().language = 0;
    CCompletionBox missionA(QStringLiteral("Mission A done"), 1);
    CCompletionBox missionB(QStringLiteral("Mission B done"), 2);
    EXPECT_EQ(missionA.BitmapId(), pictures::TrophyMissionA);
    EXPECT_EQ(missionB.BitmapId(), pictures::TrophyMissionB);
    EXPECT_EQ(missionB.windowTitle(), QStringLiteral("Congraturation !!!"));
    EXPECT_EQ(missionB.Message(), QStringLiteral("Mission B done"));

    // The picture on screen is the trophy itself, not merely the right number.
    const QPixmap shownB = missionB.Picture()->pixmap();
    const QImage trophyB = pictures::LoadPicture(pictures::TrophyMissionB, shownB.size()).toImage();
    const QImage trophyA = pictures::LoadPicture(pictures::TrophyMissionA, shownB.size()).toImage();
    EXPECT_EQ(shownB.toImage().convertToFormat(trophyB.format()), trophyB);
    EXPECT_NE(trophyA, trophyB);
}

TEST_F(BoxesTest, CompletionBoxTitleFollowsTheLanguage)
{
    appState().language = 2;
    CCompletionBox box(QStringLiteral("m"), 1);
    EXPECT_EQ(box.windowTitle(), GetLangText(TextRow::Congratulation, 2));
}

TEST_F(BoxesTest, CompletionBoxAnswersOneHoweverItIsClosed)
{
    CCompletionBox escaped(QStringLiteral("m"), 2);
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(escaped.DoModal(), 1);
    CCompletionBox confirmed(QStringLiteral("m"), 1);
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_EQ(confirmed.DoModal(), 1);
}

TEST_F(BoxesTest, BrowseForFolderKeepsTheLastHighlightedFolder)
{
    test::TempDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("one/two")));
    const QString two = QDir(temp.path()).filePath(QStringLiteral("one/two"));

    WhenModalShows([two](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(two);
        static_cast<QDialog*>(dialog)->accept(); // protected in QFileDialog
    });
    const FolderChoice confirmed = BrowseForFolder(nullptr, temp.path());
    EXPECT_TRUE(confirmed.confirmed);
    EXPECT_EQ(QDir(confirmed.lastFolder), QDir(two));

    // Cancelling still tells what was highlighted last.
    const QString one = QDir(temp.path()).filePath(QStringLiteral("one"));
    WhenModalShows([one](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Highlight the folder as a click would: the view fills in the background, so wait
        // for the entry, then make it the current one.
        dialog->selectFile(one);
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        for (int wait = 0; wait < 100 && view->selectionModel()->selectedRows().isEmpty(); ++wait) {
            QTest::qWait(20);
        }
        ASSERT_FALSE(view->selectionModel()->selectedRows().isEmpty());
        view->setCurrentIndex(view->selectionModel()->selectedRows().constFirst());
        dialog->reject();
    });
    const FolderChoice cancelled = BrowseForFolder(nullptr, temp.path());
    EXPECT_FALSE(cancelled.confirmed);
    EXPECT_EQ(QDir(cancelled.lastFolder), QDir(one));
}

TEST_F(BoxesTest, BrowseForFolderStartsAtHomeWhenTheRootIsMissing)
{
    QString shownDirectory;
    WhenModalShows([&shownDirectory](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownDirectory = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_FALSE(BrowseForFolder(nullptr, QStringLiteral("/no/such/folder/here")).confirmed);
    EXPECT_EQ(shownDirectory, QDir::home().absolutePath());
}

} // namespace
} // namespace trek
