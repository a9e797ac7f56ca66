// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace trek {

// The fixed file version of a PE program file's version resource: the most significant word
// holds major (high 16 bits) and minor, the least significant build and revision.
struct FileVersion
{
    quint32 mostSignificant = 0;
    quint32 leastSignificant = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// Reads the version resource of a whole program file, looking only inside `file`: a missing,
// cut or looping resource tree is no version, never a read past the end.
std::optional<FileVersion> ReadFileVersion(QByteArrayView file);

// "New Ver 1.2.3.4 (123456)": the progress bar's text after a download.
QString NewVersionText(const FileVersion& version, qint64 bytes);

} // namespace trek
