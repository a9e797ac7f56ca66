// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace trek {

// A day file as it was when its steps were stored: enough to know it again.
struct DayFileStamp
{
    QString name;
    qint64 size = 0;
    QByteArray hash; // SHA-256 of the content

    static DayFileStamp Of(const QString& name, const QByteArray& content);
    bool operator==(const DayFileStamp&) const = default;
};

// What has been stored but may still be on the wristband: day files that could not be removed
// (or came back after an unplug) and pass-through records whose end of collection was never
// confirmed. Whatever the ledger holds is acknowledged again, never counted again.
class ImportLedger final
{
public:
    // The ledger of the working folder; a missing file is an empty ledger. A file that cannot
    // be read is a failure: without it, nothing can be collected safely.
    [[nodiscard]] static Result<ImportLedger> Load(const QString& workingFolder);
    [[nodiscard]] static Result<ImportLedger> FromBytes(const QByteArray& bytes);
    static QString PathIn(const QString& workingFolder);

    bool HoldsDayFile(const DayFileStamp& stamp) const;
    void AddDayFile(const DayFileStamp& stamp);
    // Forgets the day files that are no longer on the wristband: they can never come back.
    void KeepOnlyDayFiles(const QStringList& presentNames);

    bool HoldsRecords(const QByteArray& hash) const { return m_records.contains(hash); }
    void AddRecords(const QByteArray& hash) { m_records.insert(hash); }
    bool HoldsAnyRecords() const { return !m_records.isEmpty(); }
    // The wristband confirmed the end of its collection: nothing read before can come back.
    void ForgetRecords() { m_records.clear(); }

    QByteArray ToBytes() const;
    // Replaces the working folder's ledger as a whole.
    [[nodiscard]] Result<> Save(const QString& workingFolder) const;
    bool operator==(const ImportLedger&) const = default;

private:
    std::vector<DayFileStamp> m_dayFiles;
    QSet<QByteArray> m_records;
};

// The hash a pass-through block is remembered by.
QByteArray RecordsHash(const QByteArray& block);

} // namespace trek
