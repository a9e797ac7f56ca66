// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/deviceclock.h"
#include "emulator/passthroughwristband.h"
#include "platform/result.h"
#include "platform/wristbandmodels.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace trek::emu {

// What becomes of a wristband whose kept state cannot be read.
enum class UnreadableState {
    Fail,        // it is not made: a command about its clock and settings must not guess them
    StartAfresh, // a warning, and it starts with a fresh clock and settings: a drive stays usable
};

// The one way an emulated pass-through wristband is made from the record image `image` read from
// `imagePath`: of `model`, or when none is given of the model its kept state names, else of the
// one its image looks like; its clock running from `hostNow`; its clock and settings as the state
// kept beside the image left them, and every settings block it takes kept there again, as a real
// wristband keeps them while it is unplugged.
Result<std::unique_ptr<PassThroughWristband>> MakeKeptWristband(const QString& imagePath,
                                                                const QByteArray& image,
                                                                std::optional<WristbandModel> model,
                                                                ClockFunction hostNow,
                                                                UnreadableState unreadable);

} // namespace trek::emu
