// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>

namespace trek::platform {

// The pseudo-random generator the whole process shares. Its sequence is fixed (a linear
// congruential generator started from state 1) because the sleep analysis draws from it and its
// results must come out the same on every run and every platform. Used from the GUI thread only.
class ProcessRandom final
{
public:
    static constexpr int Max = 0x7FFF;

    explicit ProcessRandom(std::uint32_t seed = 1) : m_state(seed) {}
    Q_DISABLE_COPY_MOVE(ProcessRandom)

    // The generator every part of the program draws from.
    static ProcessRandom& instance();

    void seed(std::uint32_t state) { m_state = state; }
    // Next number in 0..Max.
    int next()
    {
        m_state = m_state * 214013U + 2531011U;
        return static_cast<int>((m_state >> 16) & 0x7FFFU);
    }

private:
    std::uint32_t m_state;
};

} // namespace trek::platform
