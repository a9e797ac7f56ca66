// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek {

// Makes screen readers see a CTextProgressBar as a progress bar with its position as value and
// the text it shows as description. Safe to call any number of times.
void InstallTextProgressBarAccessibility();

} // namespace trek
