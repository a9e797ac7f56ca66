// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pagefactory.h"

#include "device/ui/factorysetupdlg.h"
#include "device/ui/timesetpage.h"
#include "goals/ui/missionpage.h"
#include "goals/ui/personalinfopage.h"
#include "reports/ui/reportpage.h"
#include "reports/ui/summarypage.h"
#include "widgets/tabpage.h"
#include "window/advancedpage.h"

#include <array>

namespace trek {

namespace {
constexpr std::array<TextRow, PageCount> TitleRows{
    TextRow::Report,   TextRow::DayLife,   TextRow::MissionTarget, TextRow::PersonalInformation,
    TextRow::Maintain, TextRow::UserOption};
constexpr std::array<const char*, PageCount> ObjectNames{
    "reportPage", "dayLifePage", "missionPage", "personalPage", "maintainPage", "userOptionPage"};
} // namespace

TextRow PageTitleRow(int index)
{
    return index >= 0 && index < PageCount ? TitleRows.at(index) : static_cast<TextRow>(-1);
}

CTabPage* CreatePage(int index, QWidget* parent)
{
    switch (static_cast<PageIndex>(index)) {
    case PageIndex::Report:
        return new CReportPage(parent);
    case PageIndex::DayLife:
        return new CSummaryPage(parent);
    case PageIndex::PersonalInformation:
        return new CPersonalInfoPage(parent);
    case PageIndex::Mission:
        return new CMissionPage(parent);
    case PageIndex::UserOption:
        return new CAdvancedPage(parent);
    case PageIndex::Maintain: {
        auto* page = new CTimeSetPage(parent);
        // Run modally while the page holds discovery back, so no collection starts meanwhile.
        QObject::connect(page, &CTimeSetPage::factorySetupRequested, page,
                         [page] { OpenFactorySetup(page->window()); });
        return page;
    }
    default:
        break;
    }
    // Pages still to come are empty, yet take part in the message routing.
    auto* page = new CTabPage(parent);
    if (index >= 0 && index < PageCount) {
        page->setObjectName(QLatin1String(ObjectNames.at(index)));
    }
    return page;
}

} // namespace trek
