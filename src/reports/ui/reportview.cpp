// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ui/reportview.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "reports/chartsummary.h"
#include "reports/reportbuilder.h"
#include "widgets/chartctrl.h"
#include "widgets/listctrlex.h"

#include <QColor>
#include <QHeaderView>
#include <algorithm>

namespace trek {

namespace {

struct ColumnLayout
{
    Qt::Alignment alignment;
    int width = 0;
};

constexpr std::array<ColumnLayout, ReportColumnCount> Columns{{{Qt::AlignHCenter, 50},
                                                               {Qt::AlignHCenter, 180},
                                                               {Qt::AlignRight, 80},
                                                               {Qt::AlignRight, 80},
                                                               {Qt::AlignRight, 80},
                                                               {Qt::AlignRight, 100},
                                                               {Qt::AlignRight, 80}}};

// Room around a column title for the header's frame and sort arrow.
constexpr int TitlePadding = 20;

const QColor EvenRowColour(220, 200, 255);
const QColor OddRowColour(220, 255, 200);
const QColor ChartBackground(0, 0, 64);
const QColor ChartAxis(192, 192, 255);
const QColor ChartLine(200, 50, 50);

} // namespace

void SetReportColumns(CListCtrlEx& list)
{
    list.DeleteAllItems();
    while (list.GetColumnCount() > 0) {
        list.DeleteColumn(0);
    }
    const ReportCells titles = ReportColumnTitles(appState().values.unitMode);
    // The widths were chosen for a narrower font than most desktops have; a title never
    // loses its first letters to them.
    const QFontMetrics metrics = list.horizontalHeader()->fontMetrics();
    for (std::size_t column = 0; column < Columns.size(); ++column) {
        const int width = std::max(Columns.at(column).width,
                                   metrics.horizontalAdvance(titles.at(column)) + TitlePadding);
        list.InsertColumn(static_cast<int>(column), titles.at(column), Columns.at(column).alignment,
                          width);
    }
}

void FillReportList(CListCtrlEx& list, const Report& report)
{
    std::vector<ListRow> rows;
    rows.reserve(report.rows.size());
    for (std::size_t index = 0; index < report.rows.size(); ++index) {
        const ReportCells& cells = report.rows.at(index).cells;
        rows.push_back({QStringList(cells.begin(), cells.end()), index,
                        index % 2 == 0 ? EvenRowColour : OddRowColour});
    }
    list.SetRows(rows);
}

void DrawReportChart(CChartCtrl& chart, const Report& report, QDate date, bool minuteData)
{
    chart.SetSummary(DescribeReportChart(report, date, minuteData));
    const ReportAxis& axis = report.axis;
    chart.SetYRanges(0.0, report.leftMaximum, 0.0, report.rightMaximum, 0);
    chart.SetXRange(axis.from, axis.to, axis.labelMode);
    chart.SetYTitles(GetLangText(TextRow::Steps), GetLangText(TextRow::Calorie));
    chart.SetXTitle(GetLangText(axis.titleRow));
    chart.SetBackgroundColor(ChartBackground);
    chart.SetAxisColor(ChartAxis);
    chart.SetLineColor(ChartLine, true);

    // The axis start in single precision, as the strokes have always been placed.
    const auto from = static_cast<double>(static_cast<float>(axis.from));
    const auto perUnit = static_cast<double>(axis.pointsPerUnit);
    const std::vector<int>& points = report.series;
    for (std::size_t t = 0; t + 1 < points.size(); ++t) {
        const double x0 = static_cast<double>(t) / perUnit + from;
        if (minuteData) {
            chart.AddStroke(x0, points[t], x0, 0.0);
        } else {
            const double x1 = static_cast<double>(t + 1) / perUnit + from;
            chart.AddStroke(x0, points[t], x1, points[t + 1]);
        }
    }
    chart.update();
}

} // namespace trek
