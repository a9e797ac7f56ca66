// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace trek::platform {

// One simulated drive as given on the command line ("--drive E=DIR", "--drive F=k9e:IMAGE",
// "--drive *=k7:IMAGE").
struct DriveOption
{
    enum class Kind { Folder, K7, K9E };
    static constexpr char NoLetter = '*'; // a pass-through wristband reached by its device path

    char letter = 0; // 'D' to 'Z', or NoLetter
    Kind kind = Kind::Folder;
    QString path; // the folder that is the drive's root, or the record image

    bool isPassThrough() const { return kind != Kind::Folder; }
    friend bool operator==(const DriveOption&, const DriveOption&) = default;
};

// Reads "LETTER=DIR", "LETTER=k7:IMAGE" or "LETTER=k9e:IMAGE"; the letter is D to Z (either
// case) or '*', which only an emulated wristband may use. Nothing is looked up on disk.
Result<DriveOption> parseDriveOption(const QString& text);

} // namespace trek::platform
