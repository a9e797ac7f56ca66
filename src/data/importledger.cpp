// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/importledger.h"

#include "platform/atomicfile.h"
#include "platform/regularfile.h"
#include "platform/sha256.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace trek {

namespace {

// A ledger holds one collection's files at most; anything far larger is not ours.
constexpr qint64 MaxLedgerSize = qint64{4} * 1024 * 1024;

// One entry a line: "N <size> <hash> <name>" for a day file, "R <hash>" for records. The name's
// bytes are percent-encoded, so that a name with a line break or any other byte reads back as it
// was. Ledgers of earlier versions held "F" lines with the name as it is; they are still read.
constexpr char DayFileTag = 'N';
constexpr char PlainNameDayFileTag = 'F';
constexpr char RecordsTag = 'R';

QByteArray EncodeName(const QString& name)
{
    return QFile::encodeName(name).toPercentEncoding();
}

QString DecodeName(const QByteArray& field, char tag)
{
    return QFile::decodeName(tag == DayFileTag ? QByteArray::fromPercentEncoding(field) : field);
}

} // namespace

DayFileStamp DayFileStamp::Of(const QString& name, const QByteArray& content)
{
    return {name, content.size(), platform::sha256(content)};
}

QByteArray RecordsHash(const QByteArray& block)
{
    return platform::sha256(block);
}

QString ImportLedger::PathIn(const QString& workingFolder)
{
    return workingFolder + QStringLiteral("/Trekkomat2.ledger");
}

Result<ImportLedger> ImportLedger::Load(const QString& workingFolder)
{
    const QString path = PathIn(workingFolder);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        return ImportLedger();
    }
    const Result<QByteArray> bytes = platform::readRegularFile(path, MaxLedgerSize);
    if (!bytes) {
        return fail(bytes.error());
    }
    Result<ImportLedger> parsed = FromBytes(*bytes);
    if (!parsed) {
        return fail(QStringLiteral("The import ledger %1 is damaged; move it away to collect "
                                   "again (steps still on the wristband may then be counted "
                                   "twice).")
                        .arg(QDir::toNativeSeparators(path)));
    }
    return parsed;
}

Result<ImportLedger> ImportLedger::FromBytes(const QByteArray& bytes)
{
    ImportLedger ledger;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const QList<QByteArray> fields = line.split(' ');
        const char tag = line[0];
        if ((tag == DayFileTag || tag == PlainNameDayFileTag) && fields[0].size() == 1 &&
            fields.size() >= 4) {
            bool sizeOk = false;
            const qint64 size = fields[1].toLongLong(&sizeOk);
            const qsizetype nameStart = fields[0].size() + fields[1].size() + fields[2].size() + 3;
            if (sizeOk) {
                ledger.m_dayFiles.push_back(
                    {DecodeName(line.mid(nameStart), tag), size, QByteArray::fromHex(fields[2])});
                continue;
            }
        } else if (line[0] == RecordsTag && fields.size() == 2) {
            ledger.m_records.insert(QByteArray::fromHex(fields[1]));
            continue;
        }
        return fail(QStringLiteral("The import ledger holds a line it does not know."));
    }
    return ledger;
}

bool ImportLedger::HoldsDayFile(const DayFileStamp& stamp) const
{
    return std::find(m_dayFiles.begin(), m_dayFiles.end(), stamp) != m_dayFiles.end();
}

void ImportLedger::AddDayFile(const DayFileStamp& stamp)
{
    if (!HoldsDayFile(stamp)) {
        m_dayFiles.push_back(stamp);
    }
}

void ImportLedger::KeepOnlyDayFiles(const QStringList& presentNames)
{
    std::erase_if(m_dayFiles, [&presentNames](const DayFileStamp& stamp) {
        return !presentNames.contains(stamp.name, Qt::CaseInsensitive);
    });
}

QByteArray ImportLedger::ToBytes() const
{
    QByteArray bytes;
    for (const DayFileStamp& stamp : m_dayFiles) {
        bytes += DayFileTag;
        bytes += ' ' + QByteArray::number(stamp.size) + ' ' + stamp.hash.toHex() + ' ' +
                 EncodeName(stamp.name) + '\n';
    }
    QList<QByteArray> records(m_records.begin(), m_records.end());
    std::sort(records.begin(), records.end());
    for (const QByteArray& hash : records) {
        bytes += RecordsTag;
        bytes += ' ' + hash.toHex() + '\n';
    }
    return bytes;
}

Result<> ImportLedger::Save(const QString& workingFolder) const
{
    return platform::writeFileAtomically(PathIn(workingFolder), ToBytes());
}

} // namespace trek
