// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/factoryanimation.h"

#include <QRandomGenerator>
#include <memory>

namespace trek {

namespace {
// New steps are 1 to 29. A step of 0 would leave its channel at the edge for good, and after a
// few minutes the status would stand still.
constexpr int LargestStep = 29;
int newStep(const RandomBelow& random)
{
    return 1 + random(LargestStep);
}
} // namespace

RandomBelow OwnRandomSource()
{
    auto generator = std::make_shared<QRandomGenerator>(QRandomGenerator::system()->generate());
    return [generator](int bound) {
        return static_cast<int>(generator->bounded(bound));
    };
}

StatusColourCycle::StatusColourCycle(RandomBelow random) : m_random(std::move(random)) {}

void StatusColourCycle::Step()
{
    for (std::size_t channel = 0; channel < m_channels.size(); ++channel) {
        int& value = m_channels.at(channel);
        value += m_steps.at(channel);
        if (value < 0) {
            value = 0;
            m_steps.at(channel) = newStep(m_random);
        } else if (value > 255) {
            value = 255;
            m_steps.at(channel) = -newStep(m_random);
        }
    }
}

QColor StatusColourCycle::Background() const
{
    return {m_channels[0], m_channels[1], m_channels[2]};
}

QColor StatusColourCycle::Text() const
{
    return {255 - m_channels[0], 255 - m_channels[1], 255 - m_channels[2]};
}

int SliderSwing::Step()
{
    m_position += m_step;
    if (m_position > Limit - 1) {
        m_step = -1;
    } else if (m_position < -(Limit - 1)) {
        m_step = 1;
    }
    return m_position;
}

} // namespace trek
