// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/driveletters.h"

#include "platform/drivetable.h"

#include <algorithm>

namespace trek::platform {

LetterMap assignLetters(const LetterMap& previous, const std::vector<VolumeKey>& mounted)
{
    LetterMap result;
    for (const auto& [letter, key] : previous) {
        if (std::find(mounted.begin(), mounted.end(), key) != mounted.end()) {
            result.emplace(letter, key);
        }
    }
    char next = FirstDriveLetter;
    for (const VolumeKey& key : mounted) {
        const bool known = std::any_of(result.begin(), result.end(),
                                       [&key](const auto& entry) { return entry.second == key; });
        if (known) {
            continue;
        }
        while (next <= LastDriveLetter && result.count(next) != 0) {
            ++next;
        }
        if (next > LastDriveLetter) {
            break;
        }
        result.emplace(next, key);
    }
    return result;
}

std::uint32_t letterMask(const LetterMap& letters)
{
    std::uint32_t mask = 0;
    for (const auto& entry : letters) {
        mask |= driveBit(entry.first);
    }
    return mask;
}

LetterChanges compareLetters(const LetterMap& before, const LetterMap& after)
{
    LetterChanges changes;
    for (const auto& [letter, key] : before) {
        const auto found = after.find(letter);
        if (found == after.end() || !(found->second == key)) {
            changes.removed |= driveBit(letter);
        }
    }
    for (const auto& [letter, key] : after) {
        const auto found = before.find(letter);
        if (found == before.end() || !(found->second == key)) {
            changes.arrived |= driveBit(letter);
        }
    }
    return changes;
}

} // namespace trek::platform
