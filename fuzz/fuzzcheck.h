// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>

namespace trek::fuzz {

// A broken promise of the code under test ends the run, so libFuzzer keeps the input.
inline void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace trek::fuzz
