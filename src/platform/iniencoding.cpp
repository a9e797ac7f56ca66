// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/iniencoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace trek::platform {

namespace {

constexpr QByteArrayView utf8Mark("\xEF\xBB\xBF");
constexpr QByteArrayView utf16LeMark("\xFF\xFE");
constexpr QByteArrayView utf16BeMark("\xFE\xFF");

QByteArray encoded(QStringConverter::Encoding codec, QByteArrayView mark, const QString& text)
{
    QStringEncoder encoder(codec);
    return mark.toByteArray() + QByteArray(encoder.encode(text));
}

} // namespace

DecodedIniText decodeIniText(const QByteArray& bytes)
{
    DecodedIniText result;
    QByteArrayView body(bytes);
    QStringConverter::Encoding codec = QStringConverter::Utf8;
    if (body.startsWith(utf8Mark)) {
        result.encoding = IniEncoding::Utf8WithBom;
        body = body.sliced(utf8Mark.size());
    } else if (body.startsWith(utf16LeMark)) {
        result.encoding = IniEncoding::Utf16LeWithBom;
        codec = QStringConverter::Utf16LE;
        body = body.sliced(utf16LeMark.size());
    } else if (body.startsWith(utf16BeMark)) {
        result.encoding = IniEncoding::Utf16BeWithBom;
        codec = QStringConverter::Utf16BE;
        body = body.sliced(utf16BeMark.size());
    }

    // Stateless, so that a sequence cut off at the end counts as an error; a second mark after
    // the first is text and must survive the round trip.
    QStringDecoder decoder(codec, QStringConverter::Flag::Stateless |
                                      QStringConverter::Flag::ConvertInitialBom);
    result.text = decoder.decode(body);
    // The decoder passes over a lone last byte of UTF-16 without a word.
    const bool halfUnit = codec != QStringConverter::Utf8 && body.size() % 2 != 0;
    if (decoder.hasError() || halfUnit) {
        if (result.encoding == IniEncoding::Utf8) {
            result.encoding = IniEncoding::OneByte;
            result.text = QString::fromLatin1(body);
        } else {
            result.damage = codec == QStringConverter::Utf8
                                ? QStringLiteral("is marked as UTF-8 but is not valid UTF-8")
                                : QStringLiteral("is marked as UTF-16 but is not valid UTF-16");
        }
    }
    // Read one byte a character, every byte goes back as it came, a stray NUL included: a file
    // that an editor or a crash left one in must stay editable.
    if (!result.damage && result.encoding != IniEncoding::OneByte &&
        result.text.contains(QChar(0))) {
        result.damage = QStringLiteral(
            "holds NUL characters (UTF-16 without a byte-order mark, or not text at all)");
    }
    return result;
}

QByteArray encodeIniText(const QString& text, IniEncoding encoding)
{
    switch (encoding) {
    case IniEncoding::Utf8:
        return text.toUtf8();
    case IniEncoding::Utf8WithBom:
        return utf8Mark.toByteArray() + text.toUtf8();
    case IniEncoding::Utf16LeWithBom:
        return encoded(QStringConverter::Utf16LE, utf16LeMark, text);
    case IniEncoding::Utf16BeWithBom:
        return encoded(QStringConverter::Utf16BE, utf16BeMark, text);
    case IniEncoding::OneByte:
        return text.toLatin1();
    }
    return text.toUtf8();
}

bool canEncodeIniText(const QString& text, IniEncoding encoding)
{
    if (encoding != IniEncoding::OneByte) {
        return text.isValidUtf16(); // a lone surrogate half has no UTF form
    }
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace trek::platform
