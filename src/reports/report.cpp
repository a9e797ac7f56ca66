// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report.h"

namespace trek {

QString FormatLeftMaximum(int maximum)
{
    return QString::asprintf("%d", maximum);
}

QString FormatRightMaximum(double maximum)
{
    return QString::asprintf("%.3f", maximum);
}

} // namespace trek
