// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/linklabels.h"

#include "app/currentlanguage.h"
#include "app/lang/filltext.h"

namespace trek {

namespace {

const QString ModelCode = QStringLiteral("K7");

} // namespace

QString NotFoundLabel()
{
    return FillText(GetLangText(TextRow::DiskNotFound), {ModelCode});
}

QString ConnectedLabel(char letter)
{
    const QString product = GetLangText(TextRow::ProgramName);
    if (letter == '*') {
        return ModelCode + product;
    }
    return ModelCode + product + QStringLiteral(" (") + QChar::fromLatin1(letter) +
           QStringLiteral(":)");
}

} // namespace trek
