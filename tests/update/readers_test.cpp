// SPDX-License-Identifier: GPL-3.0-or-later
// The byte readers of the update: the PE stamp, the executable kind and the version resource,
// each over bytes laid out here, cut short and misleading.

#include "programfiles.h"
#include "update/executableheader.h"
#include "update/updateaddress.h"
#include "update/updatekeys.h"
#include "update/versionresource.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace trek {
namespace {

QByteArray WithSignatureAt(qsizetype offset, qsizetype size, bool mz = true)
{
    QByteArray bytes(size, 'x');
    if (mz) {
        bytes.replace(0, 2, "MZ");
    }
    bytes.replace(offset, 4, QByteArray("PE\0\0", 4));
    if (offset + 12 <= size) {
        qToLittleEndian<quint32>(0x5404A0C0, bytes.data() + offset + 8);
    }
    return bytes;
}

TEST(HeaderStamp, IsReadOnlyWhenTheSignatureAndTheStampLieInsideTheFirst512Bytes)
{
    struct Row
    {
        qsizetype offset;
        qsizetype size;
        bool mz;
        std::optional<quint32> stamp;
    };
    const Row rows[] = {
        {0, 512, false, std::nullopt}, // "PE" where "MZ" should be: no PE file
        {4, 512, true, 0x5404A0C0},
        {500, 512, true, 0x5404A0C0}, // the stamp fills the last four bytes
        {504, 512, true, std::nullopt},
        {504, 1024, true, std::nullopt}, // the bytes beyond the first 512 are no header
        {508, 512, true, std::nullopt},
        {130, 512, true, std::nullopt}, // not on a word boundary
        {100, 110, true, std::nullopt}, // a file that ends inside the stamp
    };
    for (const Row& row : rows) {
        const QByteArray bytes = WithSignatureAt(row.offset, row.size, row.mz);
        EXPECT_EQ(ReadHeaderStamp(bytes), row.stamp) << "signature at " << row.offset;
    }

    // The first signature word counts, not a later one.
    QByteArray twice = WithSignatureAt(200, 512);
    twice.replace(8, 4, QByteArray("PE\0\0", 4));
    qToLittleEndian<quint32>(0x11111111, twice.data() + 16);
    EXPECT_EQ(ReadHeaderStamp(twice), 0x11111111U);
}

TEST(ExecutableKind, TellsFormatsAndMachinesApartAndAnElfHasNoStamp)
{
    QFile self(QStringLiteral("/proc/self/exe"));
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    QByteArray elf = self.read(ProgramHeadBytes);
    ASSERT_EQ(elf.size(), ProgramHeadBytes);
    // An ELF whose bytes happen to hold the PE signature word and a stamp after it.
    elf.replace(256, 4, QByteArray("PE\0\0", 4));
    EXPECT_EQ(ReadHeaderStamp(elf), std::nullopt);
    const ExecutableKind own = ReadExecutableKind(elf);
    EXPECT_EQ(own.format, ExecutableKind::Format::Elf);

    const ExecutableKind x86 = ReadExecutableKind(test::MakePeProgram({.machine = 0x14C}));
    const ExecutableKind x64 = ReadExecutableKind(test::MakePeProgram({.machine = 0x8664}));
    EXPECT_EQ(x86.format, ExecutableKind::Format::Pe);
    EXPECT_EQ(x86.machine, 0x14C);
    EXPECT_NE(x86, x64);
    EXPECT_NE(x86, own);
    EXPECT_FALSE(ReadExecutableKind("#!/bin/sh\necho hello\n").known());
    EXPECT_FALSE(ReadExecutableKind(elf.left(19)).known());
}

TEST(FileVersion, IsReadFromTheResourceTreeAndNothingWhenTheFileIsCutOrBent)
{
    const QByteArray file = test::MakePeProgram({.version = {0x0003000B, 0x00050009}});
    ASSERT_EQ(ReadFileVersion(file), (FileVersion{0x0003000B, 0x00050009}));
    EXPECT_EQ(NewVersionText(*ReadFileVersion(file), 4096),
              QStringLiteral("New Ver 3.11.5.9 (4096)"));

    // Cut anywhere before the end of the fixed information: no version, and no read beyond.
    for (const qsizetype size : {qsizetype{0}, qsizetype{0x3F}, qsizetype{0x100}, qsizetype{0x250},
                                 test::PeFixedInfoOffset + 15}) {
        const QByteArray cut = file.left(size);
        EXPECT_EQ(ReadFileVersion(cut), std::nullopt) << "cut at " << size;
    }
    // A header offset, a resource directory or a data entry leading outside the file.
    for (const auto& [offset, value] : {std::pair<qsizetype, quint32>{0x3C, 0xFFFFFFF0},
                                        {0x200 + 20, 0x80000000U | 0x7FFFFFF0U},
                                        {0x200 + 0x48, 0xFFFFFFFF}}) {
        QByteArray bent = file;
        qToLittleEndian<quint32>(value, bent.data() + offset);
        EXPECT_EQ(ReadFileVersion(bent), std::nullopt) << "bent at " << offset;
    }
    QByteArray unsigned_ = file;
    unsigned_[test::PeFixedInfoOffset] = 0;
    EXPECT_EQ(ReadFileVersion(unsigned_), std::nullopt);
}

TEST(UpdateAddress, OnlyHttpsOrLoopbackHttpAndNeverACutAddress)
{
    const Result<QUrl> standard = CheckUpdateAddress(DefaultUpdateAddress());
    ASSERT_TRUE(standard.ok()) << standard.error().toStdString();
    EXPECT_EQ(standard->toString(QUrl::FullyEncoded), DefaultUpdateAddress()); // %5C as it stands
    EXPECT_EQ(SignatureAddress(*standard).toString(QUrl::FullyEncoded),
              DefaultUpdateAddress() + QStringLiteral(".sig"));
    for (const auto& [text, ok] : {std::pair{"https://update.example.com/k7", true},
                                   {"http://127.9.9.9:80/k7", true},
                                   {"http://[::1]:99/k7", true},
                                   {"http://localhost/k7", true},
                                   {"http://update.example.com/k7", false},
                                   {"http://10.0.0.1/k7", false},
                                   {"file:///tmp/k7.exe", false},
                                   {"data:,MZ", false},
                                   {"qrc:/k7.exe", false},
                                   {"ftp://127.0.0.1/k7", false},
                                   {"https:///k7", false},
                                   {"", false}}) {
        EXPECT_EQ(CheckUpdateAddress(QString::fromLatin1(text)).ok(), ok) << text;
    }
    const QString longest =
        QStringLiteral("https://a.example/") + QString(MaxUpdateAddressChars - 18, u'a');
    EXPECT_TRUE(CheckUpdateAddress(longest).ok());
    EXPECT_FALSE(CheckUpdateAddress(longest + u'a').ok());

    const QUrl secure(QStringLiteral("https://update.example.com/k7.exe"));
    const QUrl loopback(QStringLiteral("http://127.0.0.1:8080/k7.exe"));
    EXPECT_TRUE(CheckRedirect(loopback, QUrl(QStringLiteral("http://127.0.0.1/new"))).ok());
    EXPECT_FALSE(CheckRedirect(secure, loopback).ok()); // https never continues as http
    EXPECT_FALSE(CheckRedirect(loopback, QUrl(QStringLiteral("file:///etc/passwd"))).ok());
}

TEST(UpdateKeys, HoldTheStampAndItsCtimeTextOnOneLine)
{
    const QTimeZone utc = QTimeZone::utc();
    EXPECT_EQ(UpdateKeyText(0x5404A0C0, utc),
              QStringLiteral("0x5404A0C0 --> Mon Sep  1 16:37:20 2014"));
    EXPECT_EQ(UpdateKeyText(0xFFFFFFFF, utc),
              QStringLiteral("0xFFFFFFFF --> Sun Feb  7 06:28:15 2106"));
    EXPECT_EQ(UpdateKeyText(0, utc), QStringLiteral("0x00000000 --> Thu Jan  1 00:00:00 1970"));
}

} // namespace
} // namespace trek
