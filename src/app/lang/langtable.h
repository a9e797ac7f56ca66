// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/textrows.h"

#include <QString>

namespace trek {

// Text of `row` in the language of a stored index (see languages.h: one no language has means
// English); empty for a row outside the table.
QString GetLangText(TextRow row, int languageIndex);

} // namespace trek
