// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// glib names a struct member "signals", which Qt defines as a keyword macro; hide the macro
// while umockdev's headers pull in glib.
#pragma push_macro("signals")
#undef signals
#include <umockdev.h>
#pragma pop_macro("signals")
