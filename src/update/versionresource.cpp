// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/versionresource.h"

#include "update/littleendian.h"

namespace trek {

namespace {

constexpr qint64 HeaderOffsetField = 0x3C; // where the DOS header keeps the PE header's offset
constexpr quint32 PeSignature = 0x00004550;
constexpr quint16 Pe32Magic = 0x10B;
constexpr quint16 Pe32PlusMagic = 0x20B;
constexpr qint64 ResourceDirectoryIndex = 2;
constexpr quint32 VersionResourceType = 16;
constexpr quint32 SubdirectoryBit = 0x80000000U;
constexpr qint64 SectionHeaderBytes = 40;
constexpr quint32 FixedInfoSignature = 0xFEEF04BD;
constexpr qint64 FixedInfoBytes = 52;
// "VS_VERSION_INFO" with its terminating zero, in UTF-16.
constexpr qint64 VersionKeyChars = 16;

struct Section
{
    quint32 virtualAddress;
    quint32 rawSize;
    quint32 rawOffset;
};

// The file offset of `size` bytes at a relative virtual address, when a section's raw data in
// the file holds all of them.
std::optional<qint64> FileOffsetOf(QByteArrayView file, qint64 sectionTable, int sections,
                                   quint32 rva, qint64 size)
{
    for (int index = 0; index < sections; ++index) {
        const qint64 entry = sectionTable + index * SectionHeaderBytes;
        const auto address = ReadLe32(file, entry + 12);
        const auto rawSize = ReadLe32(file, entry + 16);
        const auto rawOffset = ReadLe32(file, entry + 20);
        if (!address || !rawSize || !rawOffset) {
            return std::nullopt;
        }
        const Section section{*address, *rawSize, *rawOffset};
        if (rva < section.virtualAddress) {
            continue;
        }
        const qint64 inside = qint64{rva} - section.virtualAddress;
        if (inside + size > section.rawSize) {
            continue;
        }
        const qint64 offset = qint64{section.rawOffset} + inside;
        if (offset + size > file.size()) {
            return std::nullopt;
        }
        return offset;
    }
    return std::nullopt;
}

// The entry of a resource directory with `id`, or its first entry when `id` is empty; answers
// the entry's data field.
std::optional<quint32> DirectoryEntry(QByteArrayView resources, qint64 directory,
                                      std::optional<quint32> id)
{
    const auto named = ReadLe16(resources, directory + 12);
    const auto numbered = ReadLe16(resources, directory + 14);
    if (!named || !numbered) {
        return std::nullopt;
    }
    const int count = *named + *numbered;
    for (int index = 0; index < count; ++index) {
        const qint64 entry = directory + 16 + qint64{index} * 8;
        const auto name = ReadLe32(resources, entry);
        const auto data = ReadLe32(resources, entry + 4);
        if (!name || !data) {
            return std::nullopt;
        }
        if (!id || *name == *id) {
            return data;
        }
    }
    return std::nullopt;
}

// Follows type 16, its first name and that name's first language to the data entry.
std::optional<std::pair<quint32, quint32>> VersionDataEntry(QByteArrayView resources)
{
    qint64 directory = 0;
    for (const std::optional<quint32> id :
         {std::optional<quint32>(VersionResourceType), std::optional<quint32>()}) {
        const std::optional<quint32> data = DirectoryEntry(resources, directory, id);
        if (!data || (*data & SubdirectoryBit) == 0) {
            return std::nullopt;
        }
        directory = *data & ~SubdirectoryBit;
    }
    // The language's entry points at data, not at a further directory.
    const std::optional<quint32> data = DirectoryEntry(resources, directory, std::nullopt);
    if (!data || (*data & SubdirectoryBit) != 0) {
        return std::nullopt;
    }
    const auto rva = ReadLe32(resources, *data);
    const auto size = ReadLe32(resources, qint64{*data} + 4);
    if (!rva || !size) {
        return std::nullopt;
    }
    return std::make_pair(*rva, *size);
}

std::optional<FileVersion> FixedInfo(QByteArrayView block)
{
    const auto valueLength = ReadLe16(block, 2);
    if (!valueLength || *valueLength < FixedInfoBytes) {
        return std::nullopt;
    }
    const QString key = QStringLiteral("VS_VERSION_INFO");
    for (qint64 index = 0; index < VersionKeyChars; ++index) {
        const auto unit = ReadLe16(block, 6 + index * 2);
        const char16_t expected = index < key.size() ? key[index].unicode() : u'\0';
        if (!unit || *unit != expected) {
            return std::nullopt;
        }
    }
    const qint64 value = (6 + VersionKeyChars * 2 + 3) / 4 * 4;
    if (ReadLe32(block, value) != FixedInfoSignature || value + FixedInfoBytes > block.size()) {
        return std::nullopt;
    }
    return FileVersion{*ReadLe32(block, value + 8), *ReadLe32(block, value + 12)};
}

} // namespace

std::optional<FileVersion> ReadFileVersion(QByteArrayView file)
{
    const auto header = ReadLe32(file, HeaderOffsetField);
    if (!file.startsWith("MZ") || !header || ReadLe32(file, *header) != PeSignature) {
        return std::nullopt;
    }
    const qint64 coff = qint64{*header} + 4;
    const auto sections = ReadLe16(file, coff + 2);
    const auto optionalSize = ReadLe16(file, coff + 16);
    const qint64 optional = coff + 20;
    const auto magic = ReadLe16(file, optional);
    if (!sections || !optionalSize || !magic || (*magic != Pe32Magic && *magic != Pe32PlusMagic)) {
        return std::nullopt;
    }
    const qint64 directories = optional + (*magic == Pe32Magic ? 96 : 112);
    const auto directoryCount = ReadLe32(file, directories - 4);
    if (!directoryCount || qint64{*directoryCount} <= ResourceDirectoryIndex ||
        directories + (ResourceDirectoryIndex + 1) * 8 > optional + *optionalSize) {
        return std::nullopt;
    }
    const auto resourceRva = ReadLe32(file, directories + ResourceDirectoryIndex * 8);
    const auto resourceSize = ReadLe32(file, directories + ResourceDirectoryIndex * 8 + 4);
    const qint64 sectionTable = optional + *optionalSize;
    if (!resourceRva || !resourceSize || *resourceSize == 0) {
        return std::nullopt;
    }
    const std::optional<qint64> resources =
        FileOffsetOf(file, sectionTable, *sections, *resourceRva, *resourceSize);
    if (!resources) {
        return std::nullopt;
    }
    const auto entry = VersionDataEntry(file.sliced(*resources, *resourceSize));
    if (!entry) {
        return std::nullopt;
    }
    const std::optional<qint64> block =
        FileOffsetOf(file, sectionTable, *sections, entry->first, entry->second);
    if (!block) {
        return std::nullopt;
    }
    return FixedInfo(file.sliced(*block, entry->second));
}

QString NewVersionText(const FileVersion& version, qint64 bytes)
{
    return QStringLiteral("New Ver %1.%2.%3.%4 (%5)")
        .arg(version.mostSignificant >> 16)
        .arg(version.mostSignificant & 0xFFFFU)
        .arg(version.leastSignificant >> 16)
        .arg(version.leastSignificant & 0xFFFFU)
        .arg(bytes);
}

} // namespace trek
