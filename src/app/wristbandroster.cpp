// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wristbandroster.h"

#include <algorithm>

namespace trek {

namespace {

bool SamePlace(const WristbandSighting& a, const WristbandSighting& b)
{
    return a.letter == b.letter && a.place == b.place;
}

bool HasLetter(char letter)
{
    return letter >= 'A' && letter <= 'Z';
}

} // namespace

bool WristbandRoster::Sight(const WristbandSighting& now)
{
    const auto known =
        std::find_if(m_present.begin(), m_present.end(),
                     [&now](const WristbandSighting& seen) { return SamePlace(seen, now); });
    if (known == m_present.end()) {
        // A letter keeps only its newest volume.
        if (HasLetter(now.letter)) {
            Forget(now.letter);
        }
        m_present.push_back(now);
        return true;
    }
    const bool news =
        (now.hasNewData && !known->hasNewData) ||
        std::any_of(now.dayFiles.begin(), now.dayFiles.end(),
                    [&known](const QString& name) { return !known->dayFiles.contains(name); });
    *known = now;
    return news;
}

void WristbandRoster::Forget(char letter)
{
    std::erase_if(m_present,
                  [letter](const WristbandSighting& seen) { return seen.letter == letter; });
}

void WristbandRoster::ForgetAbsent(std::uint32_t driveMask, const QStringList& devicePaths)
{
    std::erase_if(m_present, [&](const WristbandSighting& seen) {
        if (HasLetter(seen.letter)) {
            return (driveMask & (std::uint32_t{1} << (seen.letter - 'A'))) == 0;
        }
        return !devicePaths.contains(seen.place);
    });
}

QList<char> WristbandRoster::LeftSince(const WristbandRoster& earlier) const
{
    QList<char> left;
    for (const WristbandSighting& seen : earlier.m_present) {
        const bool stays = std::any_of(
            m_present.begin(), m_present.end(),
            [&seen](const WristbandSighting& present) { return SamePlace(seen, present); });
        if (!stays) {
            left.append(seen.letter);
        }
    }
    return left;
}

} // namespace trek
