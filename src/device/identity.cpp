// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/identity.h"

#include <algorithm>
#include <string_view>

namespace trek {

namespace {

constexpr std::size_t SearchStart = 8; // vendor and product fields of the standard answer
constexpr std::string_view Marker = "Watch";
constexpr std::string_view ModelCode = "K7";
constexpr std::size_t ModelCodeOffset = 6;
constexpr std::size_t ModelLetterOffset = 8;
constexpr std::size_t NewDataOffset = 14;

} // namespace

std::optional<WristbandIdentity> ParseIdentity(std::span<const std::uint8_t> answer)
{
    if (answer.size() <= SearchStart) {
        return std::nullopt;
    }
    const auto textBegin = answer.begin() + SearchStart;
    const auto textEnd = std::find(textBegin, answer.end(), std::uint8_t{0});
    const auto found =
        std::search(textBegin, textEnd, Marker.begin(), Marker.end(),
                    [](std::uint8_t byte, char c) { return byte == static_cast<std::uint8_t>(c); });
    if (found == textEnd) {
        return std::nullopt;
    }
    const auto at = static_cast<std::size_t>(found - answer.begin());
    // A marker too close to the end of a short answer cannot carry the fields after it.
    if (at + NewDataOffset >= answer.size()) {
        return std::nullopt;
    }
    if (answer[at + ModelCodeOffset] != ModelCode[0] ||
        answer[at + ModelCodeOffset + 1] != ModelCode[1]) {
        return std::nullopt;
    }
    WristbandIdentity identity;
    identity.modelLetter = static_cast<char>(answer[at + ModelLetterOffset]);
    identity.hasNewData = answer[at + NewDataOffset] != 0;
    return identity;
}

} // namespace trek
