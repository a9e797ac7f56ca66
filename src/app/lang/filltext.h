// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace trek {

// A text of the language table with its printf-style fields (%s, %c, %d, with an optional width)
// replaced in order by `values`; "%%" is a percent sign. Filling by hand keeps a translated row
// with a field the code does not expect from reading past the values.
QString FillText(const QString& format, const QStringList& values);

} // namespace trek
