// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <array>
#include <functional>

namespace trek {

// A random number from 0 to bound - 1.
using RandomBelow = std::function<int(int bound)>;

// A source of its own for the factory dialog's colours, seeded by the system: the process-wide
// generator must not be drawn from, since the sleep analysis relies on its fixed sequence.
RandomBelow OwnRandomSource();

// The drifting background of the factory set-up's status while it waits for a wristband: each
// channel moves by its step per tick and bounces off 0 and 255 with a new random step.
class StatusColourCycle final
{
public:
    explicit StatusColourCycle(RandomBelow random);

    void Step();
    QColor Background() const;
    // The inverse of the background, readable on it.
    QColor Text() const;

private:
    RandomBelow m_random;
    std::array<int, 3> m_channels{0, 0, 0}; // red, green, blue
    std::array<int, 3> m_steps{1, 3, 5};
};

// The slider that shows the dialog is alive: it swings between -20 and +20, one a tick.
class SliderSwing final
{
public:
    static constexpr int Limit = 20;
    int Step();
    int Position() const { return m_position; }

private:
    int m_position = 0;
    int m_step = 1;
};

} // namespace trek
