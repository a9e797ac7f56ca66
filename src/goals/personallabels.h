// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// The texts around the boxes of the personal information page, in the current language and the
// given units: captions, the unit after each box, the two unit radios and the save button.
struct PersonalLabels
{
    QString birthday;
    QString height;
    QString heightUnit; // the metric form's "cm"
    QString feetUnit;   // the imperial form's two height boxes
    QString inchUnit;
    QString weight;
    QString weightUnit;
    QString step;
    QString stepUnit;
    QString metric;
    QString imperial;
    QString save;
};

PersonalLabels CurrentPersonalLabels(int unitMode);

} // namespace trek
