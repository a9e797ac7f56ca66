// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/structuredoutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace trek::cli {

namespace {

QString CsvCell(const QJsonValue& value)
{
    QString text;
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        // The shortest text that reads back as the same number, never in exponent form.
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    case QJsonValue::String:
        text = value.toString();
        break;
    default:
        return {};
    }
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
        text.contains(u'\r')) {
        return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
    }
    return text;
}

QString CsvLine(const QList<QJsonValue>& values)
{
    QStringList cells;
    for (const QJsonValue& value : values) {
        cells << CsvCell(value);
    }
    return cells.join(u',');
}

QStringList CsvLines(const Records& records)
{
    if (records.listName.isEmpty()) {
        QStringList names;
        QList<QJsonValue> values;
        for (const auto& [name, value] : records.fields) {
            names << name;
            values << value;
        }
        return {names.join(u','), CsvLine(values)};
    }
    QStringList lines{records.columns.join(u',')};
    for (const QList<QJsonValue>& row : records.rows) {
        lines << CsvLine(row);
    }
    return lines;
}

QStringList JsonLines(const Records& records)
{
    QJsonObject document;
    for (const auto& [name, value] : records.fields) {
        document.insert(name, value);
    }
    if (!records.listName.isEmpty()) {
        QJsonArray rows;
        for (const QList<QJsonValue>& row : records.rows) {
            QJsonObject object;
            for (qsizetype i = 0; i < records.columns.size() && i < row.size(); ++i) {
                object.insert(records.columns.at(i), row.at(i));
            }
            rows.append(object);
        }
        document.insert(records.listName, rows);
    }
    QStringList lines =
        QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace

OutputFormat OutputFormatOf(const QString& word)
{
    if (word == u"csv") {
        return OutputFormat::Csv;
    }
    if (word == u"json") {
        return OutputFormat::Json;
    }
    return OutputFormat::Text;
}

QStringList FormatRecords(const Records& records, OutputFormat format)
{
    return format == OutputFormat::Json ? JsonLines(records) : CsvLines(records);
}

QString IsoDate(int year, int month, int day)
{
    // From the numbers: a store row may name a day no calendar has (the 31st of September).
    return QString::asprintf("%04d-%02d-%02d", year, month, day);
}

QString UnitsWord(int unitMode)
{
    return unitMode != 0 ? QStringLiteral("imperial") : QStringLiteral("metric");
}

} // namespace trek::cli
