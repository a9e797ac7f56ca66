// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace trek {

// Little-endian numbers at an offset of a byte range; nothing when they do not lie wholly inside
// it (a negative offset included).
inline std::optional<quint16> ReadLe16(QByteArrayView bytes, qint64 offset)
{
    if (offset < 0 || offset > bytes.size() - 2) {
        return std::nullopt;
    }
    const auto* at = reinterpret_cast<const uchar*>(bytes.data()) + offset;
    return static_cast<quint16>(at[0] | (at[1] << 8));
}

inline std::optional<quint32> ReadLe32(QByteArrayView bytes, qint64 offset)
{
    if (offset < 0 || offset > bytes.size() - 4) {
        return std::nullopt;
    }
    const auto* at = reinterpret_cast<const uchar*>(bytes.data()) + offset;
    return static_cast<quint32>(at[0]) | (static_cast<quint32>(at[1]) << 8) |
           (static_cast<quint32>(at[2]) << 16) | (static_cast<quint32>(at[3]) << 24);
}

} // namespace trek
