// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/commitplan.h"

#include "data/storepath.h"
#include "platform/sha256.h"

#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>

namespace trek {

namespace {

constexpr quint32 JournalMagic = 0x544A524E; // "TJRN"
// Version 1 named store files and the wristband by absolute paths; its journals are still
// finished, by the store files' names alone and without touching the wristband.
constexpr quint32 PathJournalVersion = 1;
constexpr quint32 JournalVersion = 2;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;
constexpr qsizetype ChecksumSize = 32;

QByteArray Checksum(QByteArrayView bytes)
{
    return platform::sha256(bytes);
}

// A day file's name as the wristband's root folder lists it: nothing that reaches another folder.
bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != u'.' && name != QStringLiteral("..") &&
           !name.contains(u'/') && !name.contains(QChar(0));
}

Result<> Outside(const QString& name)
{
    return fail(QStringLiteral("The journal names \"%1\", which is no file of its working folder "
                               "or of the wristband; nothing of it was applied.")
                    .arg(name));
}

// Checks what a journal names before anything of it is applied: a journal someone put into the
// working folder must not write or remove anything elsewhere.
Result<> CheckNames(const CommitPlan& plan)
{
    for (const StoredMonth& month : plan.months) {
        if (!IsStoreFileName(month.name)) {
            return Outside(month.name);
        }
    }
    for (const DayFileStamp& stamp : plan.dayFilesToRemove) {
        if (!IsPlainFileName(stamp.name)) {
            return Outside(stamp.name);
        }
    }
    return Result<>{};
}

} // namespace

QByteArray EncodeCommitPlan(const CommitPlan& plan)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << JournalMagic << JournalVersion;
    out << static_cast<quint32>(plan.months.size());
    for (const StoredMonth& month : plan.months) {
        out << month.name << month.content;
    }
    out << static_cast<quint32>(plan.counters.size());
    for (const CounterChange& change : plan.counters) {
        out << change.section << change.key << qint32{change.before} << qint32{change.after};
    }
    out << plan.ledger.has_value() << (plan.ledger ? plan.ledger->ToBytes() : QByteArray());
    out << plan.wristbandVolume << static_cast<quint32>(plan.dayFilesToRemove.size());
    for (const DayFileStamp& stamp : plan.dayFilesToRemove) {
        out << stamp.name << qint64{stamp.size} << stamp.hash;
    }
    return bytes + Checksum(bytes);
}

bool IsWholeJournal(const QByteArray& bytes)
{
    return bytes.size() >= ChecksumSize &&
           Checksum(QByteArrayView(bytes).first(bytes.size() - ChecksumSize)) ==
               bytes.right(ChecksumSize);
}

Result<CommitPlan> DecodeCommitPlan(const QByteArray& bytes)
{
    const auto torn = fail(QStringLiteral("The journal is incomplete."));
    if (!IsWholeJournal(bytes)) {
        return torn;
    }
    QDataStream in(bytes.first(bytes.size() - ChecksumSize));
    in.setVersion(StreamVersion);
    quint32 magic = 0;
    quint32 version = 0;
    in >> magic >> version;
    if (magic != JournalMagic || (version != JournalVersion && version != PathJournalVersion)) {
        return fail(QStringLiteral("The journal was written by another version of the program."));
    }
    const bool byPath = version == PathJournalVersion;
    CommitPlan plan;
    quint32 count = 0;
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        StoredMonth month;
        in >> month.name >> month.content;
        if (byPath) {
            month.name = QFileInfo(month.name).fileName();
        }
        plan.months.push_back(std::move(month));
    }
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        CounterChange change;
        qint32 before = 0;
        qint32 after = 0;
        in >> change.section >> change.key >> before >> after;
        change.before = before;
        change.after = after;
        plan.counters.push_back(std::move(change));
    }
    bool hasLedger = false;
    QByteArray ledger;
    in >> hasLedger >> ledger;
    if (hasLedger) {
        const Result<ImportLedger> parsed = ImportLedger::FromBytes(ledger);
        if (!parsed) {
            return fail(parsed.error());
        }
        plan.ledger = *parsed;
    }
    QString volume;
    in >> volume >> count;
    // A path says nothing about which disk is there now; the ledger removes those files later.
    plan.wristbandVolume = byPath ? QString() : volume;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        DayFileStamp stamp;
        qint64 size = 0;
        in >> stamp.name >> size >> stamp.hash;
        stamp.size = size;
        plan.dayFilesToRemove.push_back(std::move(stamp));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        return torn;
    }
    if (Result<> named = CheckNames(plan); !named) {
        return fail(named.error());
    }
    return plan;
}

} // namespace trek
