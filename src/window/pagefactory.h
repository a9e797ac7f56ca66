// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/textrows.h"

#include <QString>

class QWidget;

namespace trek {

class CTabPage;

enum class PageIndex : int {
    Report = 0,
    DayLife = 1,
    Mission = 2,
    PersonalInformation = 3,
    Maintain = 4,
    UserOption = 5,
};
inline constexpr int PageCount = 6;

// The text row of each page's tab text, in tab order; a row past the table (an empty text) for an
// index past the pages.
TextRow PageTitleRow(int index);
// Creates page `index` of the main window.
CTabPage* CreatePage(int index, QWidget* parent);

} // namespace trek
