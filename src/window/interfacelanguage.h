// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek {

// Loads Qt's own translations for an interface language in place of the ones before (none for
// English), so the standard buttons and texts of Qt's dialogs speak the interface's language.
// Returns false when the translations could not be found; Qt's texts then stay English.
bool InstallQtTranslations(int language);

// Relabels every open window in the current language at once: the main window and its pages
// through the refresh notice, every other top-level window, such as an open dialog, through
// QEvent::LanguageChange, which they answer by setting their texts anew.
void RelabelOpenWindows();

} // namespace trek
