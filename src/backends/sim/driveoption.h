// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/wristbandmodels.h"

#include <QString>
#include <optional>

namespace trek::platform {

// One simulated drive as given on the command line ("--drive E=DIR", "--drive F=k9e:IMAGE",
// "--drive *=k7:IMAGE").
struct DriveOption
{
    static constexpr char NoLetter = '*'; // a pass-through wristband reached by its device path

    char letter = 0;                     // 'D' to 'Z', or NoLetter
    std::optional<WristbandModel> model; // that of an emulated wristband; none for a folder
    QString path;                        // the folder that is the drive's root, or the record image

    bool isPassThrough() const { return model.has_value(); }
    friend bool operator==(const DriveOption&, const DriveOption&) = default;
};

// Reads "LETTER=DIR" or "LETTER=WORD:IMAGE" with the word of a wristband model ("k7", "k9e");
// the letter is D to Z (either case) or '*', which only an emulated wristband may use. Nothing
// is looked up on disk.
Result<DriveOption> parseDriveOption(const QString& text);

} // namespace trek::platform
