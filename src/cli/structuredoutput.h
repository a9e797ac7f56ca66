// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settingkey.h"
#include "reports/sleeptexts.h"
#include "reports/stepmetrics.h"

#include <QDate>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace trek::cli {

// What a command prints for a script (--format csv|json) instead of the page's texts: plain
// numbers (JSON numbers, no padding, no units), ISO dates and times, and English field names
// whatever the interface language. A document has fields of its own and may have one list of
// rows, all with the same columns.
struct Records
{
    QList<QPair<QString, QJsonValue>> fields;
    QString listName; // empty: no list
    QStringList columns;
    QList<QList<QJsonValue>> rows;

    void add(const QString& name, const QJsonValue& value) { fields.append({name, value}); }
};

enum class OutputFormat { Text, Csv, Json };

// "csv" and "json" as the option gives them; anything else is the page's text.
OutputFormat OutputFormatOf(const QString& word);

// The lines of the document. JSON: one object holding the fields and the list as an array of
// objects. CSV: a header line and a line per row of the list, or, without a list, the fields as
// the one row; a cell with a comma, quote or line end is quoted as RFC 4180 has it. A null
// value is an empty cell and JSON null; true and false are written as words.
QStringList FormatRecords(const Records& records, OutputFormat format);

// "2024-03-05".
QString IsoDate(int year, int month, int day);
// "metric" or "imperial" for a stored unit mode.
QString UnitsWord(int unitMode);

// One key of the settings file as a --raw listing prints it: its name, a tab, and the value as
// the file holds it.
template <typename T> QString RawSettingLine(const SettingKey<T>& key, const T& value)
{
    return QLatin1StringView(key.name()) + u'\t' + SettingKey<T>::Text(value);
}

} // namespace trek::cli
