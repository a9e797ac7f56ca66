#include "device/clockcheckhooks.h"

namespace trek {

namespace {

ClockCheckHooks& installedHooks()
{
    static ClockCheckHooks hooks;
    return hooks;
}

} // namespace

void SetClockCheckHooks(ClockCheckHooks hooks)
{
    installedHooks() = std::move(hooks);
}

const ClockCheckHooks& InstalledClockCheckHooks()
{
    return installedHooks();
}

} // namespace trek
