// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/iniencoding.h"
#include "platform/profile.h"
#include "platform/result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace trek::platform {

// The text of a profile ("INI") file, read and edited the way the profile functions do it:
// sections and keys match without regard to case, blanks around names and values do not count,
// one pair of matching quotes around a value is not part of it, and the first section of a name
// is the one that counts. Lines end in CR LF, LF or a lone CR. An edit changes one line (or adds
// some) and leaves every other line as it was, ending included; new lines take the ending the
// file mostly uses, LF when it has none yet.
class IniDocument final : public ProfileValues
{
public:
    IniDocument() = default; // an empty file
    // A file that cannot be written back (see DecodedIniText::damage) is read as well as it goes
    // and refuses every edit.
    static IniDocument parse(const QByteArray& bytes);

    // Nothing when the section or the key is missing; a key alone on its line, without '=',
    // is missing too.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // An empty value reads as the default, as a missing one does; other text without leading
    // digits reads 0 (see profileIntFromText()).
    int getInt(const QString& section, const QString& key, int defaultValue) const override;
    QString getString(const QString& section, const QString& key,
                      const QString& defaultValue) const override;

    // Sets every entry, or none when one is refused: a name or value that would read back as
    // something else, a character the file's encoding cannot hold, a file that cannot be written
    // back, or an edit after which the file's other characters would read as something else.
    Result<> set(const QList<ProfileEntry>& entries);

    QByteArray bytes() const;
    IniEncoding encoding() const { return m_encoding; }

private:
    // Bare: a name alone on its line, without '='. It holds no value, but a write of that key
    // gives it one where it stands.
    enum class LineKind : quint8 { Blank, Section, Comment, Entry, Bare, Other };
    enum class LineEnd : quint8 { None, Lf, CrLf, Cr };

    struct Line
    {
        QString text;          // without its ending
        QString name;          // section name or key, trimmed
        qsizetype equals = -1; // position of '=' in `text` for an entry
        LineKind kind = LineKind::Other;
        LineEnd end = LineEnd::None;
    };

    // The first section of a name and its keys, each by case-folded name.
    struct SectionIndex
    {
        qsizetype header = -1;
        QHash<QString, qsizetype> keys;
        QHash<QString, qsizetype> bareKeys;
    };

    static Line makeLine(QString text, LineEnd end);
    QString text() const;
    static QString endText(LineEnd end);
    void chooseNewLineEnd();
    void buildIndex();
    qsizetype findSection(const QString& section) const;
    // The first line of `kind` (Entry or Bare) that names `key` in the section.
    qsizetype findKey(const QString& section, qsizetype header, const QString& key,
                      LineKind kind) const;
    void setOne(const ProfileEntry& entry);
    void insertLine(qsizetype at, const QString& text);

    QList<Line> m_lines;
    QHash<QString, SectionIndex> m_sections;
    std::optional<QString> m_damage;
    IniEncoding m_encoding = IniEncoding::Utf8;
    LineEnd m_newLineEnd = LineEnd::Lf;
    bool m_indexStale = false; // only while set() inserts lines
};

// Success when the entry can go into a profile file. A line break or NUL would split the entry
// and plant a line of its own; '=' in a key or ']' in a section name would be read back as
// something else.
Result<> checkIniEntry(const QString& section, const QString& key, const QString& value);

// Integer reading of a profile value: blanks, an optional sign, then the leading decimal digits;
// no digits give 0. Digits beyond 32 bits wrap, as the 32-bit reading they stand for does.
int profileIntFromText(const QString& text);

} // namespace trek::platform
