// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace trek {

// The program files are compared by the link time stamp in their PE file header, read from
// their first 512 bytes. These readers look only at the bytes they are given, so a file cut
// short or made up to mislead them is simply not recognised.

inline constexpr qsizetype ProgramHeadBytes = 512;
// The stamp of a program file without a PE header: no server file is ever newer than it.
inline constexpr quint32 NoProgramStamp = 0xFFFFFFFF;

// Where the PE signature word ("PE" and two zero bytes) lies: the first 4-aligned word of the
// first 512 bytes that holds it, in a file that starts as a PE file does ("MZ").
std::optional<qsizetype> FindPeSignature(QByteArrayView head);

// The TimeDateStamp 8 bytes after the signature, when all of it lies inside `head`.
std::optional<quint32> ReadHeaderStamp(QByteArrayView head);

// The executable format and machine a file is built for, from its first bytes.
struct ExecutableKind
{
    enum class Format : quint8 { Unknown, Pe, Elf };
    Format format = Format::Unknown;
    quint8 elfClass = 0; // 1: 32-bit, 2: 64-bit
    quint8 elfData = 0;  // 1: little-endian, 2: big-endian
    quint16 machine = 0; // the PE or ELF machine code

    bool known() const { return format != Format::Unknown; }
    friend bool operator==(const ExecutableKind&, const ExecutableKind&) = default;
};

ExecutableKind ReadExecutableKind(QByteArrayView head);

} // namespace trek
