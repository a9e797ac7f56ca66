// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localename.h"

#include <QLocale>
#include <QStringList>
#include <optional>

namespace trek::platform {

namespace {

const QString english = QStringLiteral("ENU");

bool isTraditionalChinese(const QString& territory, const QString& modifier)
{
    return territory == u"TW" || territory == u"HK" || territory == u"MO" ||
           modifier.compare(u"hant", Qt::CaseInsensitive) == 0;
}

// The value of one "NAME=value" line, with its quotes taken off; nothing when the line does not
// assign `name`.
std::optional<QString> assignedValue(const QString& line, QLatin1StringView name)
{
    constexpr QLatin1StringView Export("export ");
    QString text = line.trimmed();
    if (text.startsWith(Export)) {
        text = text.sliced(Export.size()).trimmed();
    }
    if (!text.startsWith(name) || !text.sliced(name.size()).startsWith(u'=')) {
        return std::nullopt;
    }
    QString value = text.sliced(name.size() + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    return value;
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

QString messageLocaleFromAssignments(const QByteArray& text)
{
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (const QLatin1StringView name :
         {QLatin1StringView("LC_ALL"), QLatin1StringView("LC_MESSAGES"),
          QLatin1StringView("LANG")}) {
        // The last assignment wins, as it does when a shell reads the file.
        QString found;
        for (const QString& line : lines) {
            if (line.trimmed().startsWith(u'#')) {
                continue;
            }
            if (const std::optional<QString> value = assignedValue(line, name)) {
                found = *value;
            }
        }
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

} // namespace trek::platform
