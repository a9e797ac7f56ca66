// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/recordgenerator.h"

#include <algorithm>

namespace trek::emu {

namespace {

// SplitMix64: small, fast and with a fixed definition, so the data never changes underfoot.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high], both included.
    int between(int low, int high)
    {
        const auto span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1;
        return low + static_cast<int>(next() % span);
    }
    bool chance(int perMille) { return between(0, 999) < perMille; }

private:
    std::uint64_t m_state;
};

constexpr int NightMovementPerMille = 6;
constexpr int PotteringPerMille = 250;

void addWalk(DaySteps& day, Random& random, int wake, int bed)
{
    const int duration = random.between(8, 55);
    const int latestStart = std::max(wake + 15, bed - 60 - duration);
    const int start = random.between(wake + 15, latestStart);
    const int cadence = random.between(95, 120);
    for (int minute = start; minute < std::min(start + duration, bed); ++minute) {
        // A walk has its short stops: at a crossing, a door, a word with someone.
        const bool paused = random.chance(40);
        const int steps = paused ? random.between(0, 30) : cadence + random.between(-10, 10);
        day.minutes[static_cast<std::size_t>(minute)] = static_cast<std::uint16_t>(steps);
    }
}

} // namespace

DaySteps RecordGenerator::day(const QDate& date) const
{
    Random random(m_seed ^
                  (static_cast<std::uint64_t>(date.toJulianDay()) * 0x2545F4914F6CDD1DULL));
    DaySteps steps;
    steps.date = date;

    const bool weekend = date.dayOfWeek() >= 6;
    const int wake = 6 * 60 + random.between(0, weekend ? 150 : 90);
    const int bed = 22 * 60 + random.between(0, 110);

    for (int minute = 0; minute < DaySteps::MinutesPerDay; ++minute) {
        const bool asleep = minute < wake || minute >= bed;
        int count = 0;
        if (asleep) {
            count = random.chance(NightMovementPerMille) ? random.between(1, 6) : 0;
        } else if (random.chance(PotteringPerMille)) {
            count = random.between(1, 25);
        }
        steps.minutes[static_cast<std::size_t>(minute)] = static_cast<std::uint16_t>(count);
    }
    const int walks = random.between(weekend ? 1 : 2, weekend ? 6 : 5);
    for (int walk = 0; walk < walks; ++walk) {
        addWalk(steps, random, wake, bed);
    }
    return steps;
}

StepHistory RecordGenerator::generate(int days, const QDate& lastDay) const
{
    StepHistory history;
    if (days <= 0 || !lastDay.isValid()) {
        return history;
    }
    history.reserve(static_cast<std::size_t>(days));
    for (int back = days - 1; back >= 0; --back) {
        history.push_back(day(lastDay.addDays(-back)));
    }
    return history;
}

} // namespace trek::emu
