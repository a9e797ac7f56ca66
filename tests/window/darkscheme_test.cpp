// SPDX-License-Identifier: GPL-3.0-or-later
// The window under a dark desktop scheme: whatever the program colours itself must still read.

#include "app/appstate.h"
#include "data/datatestsupport.h"
#include "reports/ui/reportpage.h"
#include "widgets/listctrlex.h"
#include "widgets/readablecolour.h"
#include "widgets/textprogressbar.h"
#include "window/pagefactory.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"
#include "windowfixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextCharFormat>
#include <memory>

namespace trek {
namespace {

QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor base(42, 42, 42);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

class DarkScheme : public test::WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_style = QApplication::style()->name();
        m_palette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
        // March 2024: walks on three days, so the list shows both row colours.
        dir.write(QStringLiteral("Data/Stepo202403.BIN"),
                  test::MonthBytes({{test::SlotIndex(5, 10, 0), 100},
                                    {test::SlotIndex(6, 11, 0), 90},
                                    {test::SlotIndex(7, 12, 0), 80}}));
        setSettings("[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=75\r\n");
        appState().workingFolder = dir.path();
    }

    void TearDown() override
    {
        QApplication::setPalette(m_palette);
        QApplication::setStyle(QStyleFactory::create(m_style));
        WindowTest::TearDown();
    }

    test::TempDir dir;

private:
    QString m_style;
    QPalette m_palette;
};

// The highest contrast any pixel of `image` has with `background`: that of the text drawn on it.
double InkContrast(const QImage& image, const QColor& background)
{
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, ContrastRatio(image.pixelColor(x, y), background));
        }
    }
    return best;
}

TEST_F(DarkScheme, EveryFixedColourOfTheWindowReadsOnWhatItIsDrawnOver)
{
    ASSERT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    CWristbandDlg::Options options;
    options.updateCheckAllowed = false;
    options.startDiscovery = false;
    CWristbandDlg window(options);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.Calendar()->setSelectedDate(QDate(2024, 3, 5));

    // The report list's rows have light backgrounds of their own.
    auto* report =
        qobject_cast<CReportPage*>(window.TabControl()->Page(static_cast<int>(PageIndex::Report)));
    ASSERT_NE(report, nullptr);
    const CListCtrlEx& list = *report->List();
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        for (int column = 0; column < list.GetColumnCount(); ++column) {
            EXPECT_GE(
                ContrastRatio(list.CellTextColor(row, column), list.CellBackground(row, column)),
                ReadableContrast)
                << "row " << row << ", column " << column;
        }
    }

    // The calendar's weekday header and its red weekends.
    const QCalendarWidget& calendar = *window.Calendar();
    const QTextCharFormat header = calendar.headerTextFormat();
    EXPECT_GE(ContrastRatio(header.foreground().color(), header.background().color()),
              ReadableContrast);
    for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) {
        EXPECT_GE(ContrastRatio(calendar.weekdayTextFormat(day).foreground().color(),
                                calendar.palette().color(QPalette::Base)),
                  ReadableContrast)
            << day;
    }

    // The progress bar's blue text over the palette's dark base, as painted.
    CTextProgressBar& bar = *window.findChild<CTextProgressBar*>(QStringLiteral("progressBar"));
    bar.SetShowText(true);
    bar.SetWindowText(QStringLiteral("Collecting"));
    bar.SetPos(0);
    const QImage painted = bar.grab().toImage();
    EXPECT_GE(InkContrast(painted, bar.BackgroundColor()), ReadableContrast);
}

} // namespace
} // namespace trek
