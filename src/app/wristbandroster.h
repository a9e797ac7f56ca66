// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace trek {

// What discovery saw of a wristband: where it is, and enough to tell later whether anything new
// has arrived on it since.
struct WristbandSighting
{
    char letter = 0;         // 'D'..'Z', or '*' for a wristband reached by its device path
    QString place;           // the volume's identity for a letter, the device path for '*'
    bool hasNewData = false; // a pass-through wristband's own new-data answer
    QStringList dayFiles;    // the day files on a file-model wristband's disk
};

// The wristbands that stay in their drives. Discovery runs again at every device change, and
// every arrival brings one; a wristband already handed to the collection run is not news again
// until it leaves its drive or something new arrives on it. The window and `watch` share this,
// so neither asks twice nor misses a wristband that leaves.
class WristbandRoster
{
public:
    // Remembers what was seen now. True when it is news: the wristband has just come into its
    // drive (or another volume holds the letter now), its new-data answer turned on, or a day
    // file appeared that was not there when it was last seen.
    bool Sight(const WristbandSighting& now);
    // The wristband with this letter left its drive.
    void Forget(char letter);
    // Forgets the wristbands that are gone: those with a letter outside `driveMask` (bit n for
    // 'A' + n), those reached by a device path that `devicePaths` no longer lists.
    void ForgetAbsent(std::uint32_t driveMask, const QStringList& devicePaths);
    // Letters of the wristbands `earlier` knew that have left since, in the order found.
    QList<char> LeftSince(const WristbandRoster& earlier) const;
    bool IsEmpty() const { return m_present.empty(); }

private:
    std::vector<WristbandSighting> m_present;
};

} // namespace trek
