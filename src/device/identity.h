// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace trek {

// Size of the zeroed buffer the identification answer is read into; the answer itself is at most
// IdentityLength bytes, the rest stays zero so the fields after "Watch" can always be read.
inline constexpr int IdentityBufferLength = 128;

// What a pass-through wristband tells about itself in its identification answer.
struct WristbandIdentity
{
    char modelLetter = 0;
    bool hasNewData = false;
};

// The wristband's fields, or nothing when the answer is not a pass-through wristband's: "Watch"
// searched from byte 8 up to the first zero byte, then "K7" six bytes after its first letter.
std::optional<WristbandIdentity> ParseIdentity(std::span<const std::uint8_t> answer);

} // namespace trek
