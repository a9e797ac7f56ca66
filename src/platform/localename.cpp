#include "platform/localename.h"

#include <QLocale>

namespace trek::platform {

namespace {

const QString english = QStringLiteral("ENU");

bool isTraditionalChinese(const QString& territory, const QString& modifier)
{
    return territory == u"TW" || territory == u"HK" || territory == u"MO" ||
           modifier.compare(u"hant", Qt::CaseInsensitive) == 0;
}

} // namespace

QString localeAbbreviationFor(const QString& posixLocale)
{
    // language[_territory][.codeset][@modifier]
    QString name = posixLocale.trimmed();
    QString modifier;
    if (const qsizetype at = name.indexOf(u'@'); at >= 0) {
        modifier = name.sliced(at + 1);
        name.truncate(at);
    }
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0) {
        name.truncate(dot);
    }
    const qsizetype underscore = name.indexOf(u'_');
    const QString language = (underscore >= 0 ? name.first(underscore) : name).toLower();
    const QString territory = underscore >= 0 ? name.sliced(underscore + 1).toUpper() : QString();

    if (language.isEmpty() || language == u"c" || language == u"posix" || language == u"en") {
        return english;
    }
    if (language == u"zh") {
        return isTraditionalChinese(territory, modifier) ? QStringLiteral("CHT")
                                                         : QStringLiteral("CHS");
    }
    const QLocale::Language known = QLocale::codeToLanguage(language);
    if (known == QLocale::AnyLanguage) {
        return english;
    }
    const QString code = QLocale::languageToCode(known, QLocale::ISO639Part2T);
    return code.isEmpty() ? english : code.toUpper();
}

} // namespace trek::platform
