// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace trek::platform {

// How the bytes of a settings file stand for its text. Users edit the file with whatever editor
// they have, so it is read in the encoding its byte-order mark names and written back in the same
// one, mark included. A file without a mark is UTF-8 when its bytes are; otherwise it is read one
// byte per character, as a one-byte code page would read it, which keeps every byte as it was.
enum class IniEncoding { Utf8, Utf8WithBom, Utf16LeWithBom, Utf16BeWithBom, OneByte };

struct DecodedIniText
{
    QString text;
    IniEncoding encoding = IniEncoding::Utf8;
    // Why the text cannot be written back without spoiling the file: broken UTF-16 or UTF-8
    // under a byte-order mark, or NUL characters in text read as UTF-8 or UTF-16 (UTF-16 without
    // its mark, or no text at all). The text is then a best-effort reading. Read one byte a
    // character, a NUL is just another byte of its line.
    std::optional<QString> damage;
};

DecodedIniText decodeIniText(const QByteArray& bytes);

QByteArray encodeIniText(const QString& text, IniEncoding encoding);

// Whether every character of `text` has a form in `encoding`.
bool canEncodeIniText(const QString& text, IniEncoding encoding);

} // namespace trek::platform
