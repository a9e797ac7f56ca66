// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/daysteps.h"

#include <cstdint>

namespace trek::emu {

// Makes believable step records for demos and tests: a few walks a day at a steady cadence,
// some pottering about between them, and quiet nights with only the rare small movement.
// The same seed gives the same steps for the same date on every machine: each day draws from its
// own generator seeded with the seed and the date, and no standard-library distribution (whose
// output differs between libraries) is used.
class RecordGenerator
{
public:
    explicit RecordGenerator(std::uint64_t seed) : m_seed(seed) {}

    DaySteps day(const QDate& date) const;
    // `days` consecutive days ending with `lastDay`, oldest first.
    StepHistory generate(int days, const QDate& lastDay) const;

private:
    std::uint64_t m_seed;
};

} // namespace trek::emu
