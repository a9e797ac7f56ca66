#pragma once

#include <functional>

namespace trek {

// The time-set page's part in a clock check: `started` disables its buttons before the wristband
// is read, `finished` applies its control rules afterwards, whether the read succeeded or not.
struct ClockCheckHooks
{
    std::function<void()> started;
    std::function<void()> finished;
};
void SetClockCheckHooks(ClockCheckHooks hooks);
const ClockCheckHooks& InstalledClockCheckHooks();

} // namespace trek
