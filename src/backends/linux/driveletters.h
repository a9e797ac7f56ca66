// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <vector>

namespace trek::platform {

inline constexpr char FirstDriveLetter = 'D';
inline constexpr char LastDriveLetter = 'Z';

// A mounted volume as the letter table knows it: the device and where it is mounted. A volume
// mounted again elsewhere is a different volume and may get another letter.
struct VolumeKey
{
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    QString mountPoint;

    friend bool operator==(const VolumeKey&, const VolumeKey&) = default;
};

using LetterMap = std::map<char, VolumeKey>;

// Keeps every letter whose volume is still mounted and gives each new volume the lowest free
// letter from D, in the order of `mounted`. Volumes beyond Z get no letter.
LetterMap assignLetters(const LetterMap& previous, const std::vector<VolumeKey>& mounted);

// Bit n stands for letter 'A' + n, as in DriveTable::logicalDriveMask().
std::uint32_t letterMask(const LetterMap& letters);

struct LetterChanges
{
    std::uint32_t arrived = 0;
    std::uint32_t removed = 0;
};

// A letter whose volume changed counts as removed and arrived.
LetterChanges compareLetters(const LetterMap& before, const LetterMap& after);

} // namespace trek::platform
