// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/versionresource.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <memory>

namespace trek::test {

// A made-up PE program file: the header with its stamp and machine, one resource section with
// a version resource, and filler up to `size` bytes.
struct PeProgram
{
    quint32 stamp = 0x50000000;
    quint16 machine = 0x14C;
    FileVersion version{0x0002000A, 0x00000007}; // 2.10.0.7
    qsizetype size = 4096;
    char filler = 'p';
};
QByteArray MakePeProgram(const PeProgram& program);
// Where the version resource's fixed information begins in MakePeProgram's files.
inline constexpr qsizetype PeFixedInfoOffset = 0x200 + 0x58 + 40;

// An Ed25519 key pair made for one test; the private half never leaves memory.
class SigningKey final
{
public:
    SigningKey();
    ~SigningKey();
    Q_DISABLE_COPY_MOVE(SigningKey)

    QByteArray publicPem() const;
    QByteArray sign(QByteArrayView message) const;

private:
    struct Key;
    std::unique_ptr<Key> m_key;
};

} // namespace trek::test
