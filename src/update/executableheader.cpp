// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/executableheader.h"

#include "update/littleendian.h"

namespace trek {

namespace {
constexpr quint32 PeSignature = 0x00004550; // "PE\0\0" read as a little-endian word
constexpr qsizetype StampOffset = 8;        // from the signature, past the machine and count
constexpr qsizetype MachineOffset = 4;
constexpr qsizetype ElfMachineOffset = 18;
} // namespace

std::optional<qsizetype> FindPeSignature(QByteArrayView head)
{
    if (!head.startsWith("MZ")) {
        return std::nullopt;
    }
    const qsizetype end = qMin(head.size(), ProgramHeadBytes);
    for (qsizetype offset = 0; offset + 4 <= end; offset += 4) {
        if (ReadLe32(head, offset) == PeSignature) {
            return offset;
        }
    }
    return std::nullopt;
}

std::optional<quint32> ReadHeaderStamp(QByteArrayView head)
{
    const std::optional<qsizetype> signature = FindPeSignature(head);
    if (!signature) {
        return std::nullopt;
    }
    // A stamp that would run past the bytes read belongs to no header we have seen.
    return ReadLe32(head.first(qMin(head.size(), ProgramHeadBytes)), *signature + StampOffset);
}

ExecutableKind ReadExecutableKind(QByteArrayView head)
{
    ExecutableKind kind;
    if (head.startsWith("\x7f"
                        "ELF")) {
        if (head.size() < ElfMachineOffset + 2) {
            return kind;
        }
        const auto elfClass = static_cast<quint8>(head[4]);
        const auto elfData = static_cast<quint8>(head[5]);
        if ((elfClass != 1 && elfClass != 2) || (elfData != 1 && elfData != 2)) {
            return kind;
        }
        const auto low = static_cast<quint8>(head[ElfMachineOffset]);
        const auto high = static_cast<quint8>(head[ElfMachineOffset + 1]);
        kind.format = ExecutableKind::Format::Elf;
        kind.elfClass = elfClass;
        kind.elfData = elfData;
        kind.machine = static_cast<quint16>(elfData == 1 ? low | (high << 8) : high | (low << 8));
        return kind;
    }
    const std::optional<qsizetype> signature = FindPeSignature(head);
    if (!signature) {
        return kind;
    }
    if (const std::optional<quint16> machine = ReadLe16(head, *signature + MachineOffset)) {
        kind.format = ExecutableKind::Format::Pe;
        kind.machine = *machine;
    }
    return kind;
}

} // namespace trek
