// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/interfacelanguage.h"

#include "app/appstate.h"
#include "app/lang/languages.h"
#include "app/userinterface.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace trek {

namespace {

// The one translator of Qt's texts, owned by the application so that it goes with it.
QPointer<QTranslator>& InstalledTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

} // namespace

bool InstallQtTranslations(int language)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return false;
    }
    QPointer<QTranslator>& installed = InstalledTranslator();
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const QStringView catalogue = LanguageAt(language).qtCatalogue;
    if (catalogue.isEmpty()) {
        return true;
    }
    auto* translator = new QTranslator(application);
    if (!translator->load(catalogue.toString(),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

void RelabelOpenWindows()
{
    // Qt posts a language change of its own when a translator comes or goes; it would arrive
    // only after this handler returns, and not at all when the translator stays the same.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent changed(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &changed);
    }
    user().notifyRefresh();
}

} // namespace trek
