// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/currentlanguage.h"

#include "app/appstate.h"

namespace trek {

// Lives beside the shared state rather than in the table's library, which knows nothing of it.
QString GetLangText(TextRow row)
{
    return GetLangText(row, appState().language);
}

const Language& CurrentLanguage()
{
    return LanguageAt(appState().language);
}

} // namespace trek
