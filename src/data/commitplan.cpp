#include "data/commitplan.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

namespace trek {

namespace {

constexpr quint32 JournalMagic = 0x544A524E; // "TJRN"
constexpr quint32 JournalVersion = 1;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;
constexpr qsizetype ChecksumSize = 32;

QByteArray Checksum(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
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
        out << month.path << month.content;
    }
    out << static_cast<quint32>(plan.counters.size());
    for (const CounterChange& change : plan.counters) {
        out << change.section << change.key << qint32{change.before} << qint32{change.after};
    }
    out << plan.ledger.has_value() << (plan.ledger ? plan.ledger->ToBytes() : QByteArray());
    out << plan.wristbandRoot << static_cast<quint32>(plan.dayFilesToRemove.size());
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
    if (magic != JournalMagic || version != JournalVersion) {
        return fail(QStringLiteral("The journal was written by another version of the program."));
    }
    CommitPlan plan;
    quint32 count = 0;
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        StoredMonth month;
        in >> month.path >> month.content;
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
    in >> plan.wristbandRoot >> count;
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
    return plan;
}

} // namespace trek
