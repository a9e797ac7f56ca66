// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/keptwristband.h"

#include "emulator/recordwriters.h"
#include "emulator/wristbandstate.h"

#include <QtDebug>

namespace trek::emu {

Result<std::unique_ptr<PassThroughWristband>> MakeKeptWristband(const QString& imagePath,
                                                                const QByteArray& image,
                                                                std::optional<WristbandModel> model,
                                                                ClockFunction hostNow,
                                                                UnreadableState unreadable)
{
    Result<std::optional<WristbandState>> kept = LoadWristbandState(imagePath);
    if (!kept) {
        if (unreadable == UnreadableState::Fail) {
            return fail(kept.error());
        }
        qWarning().noquote() << kept.error();
        kept = std::optional<WristbandState>();
    }
    const std::optional<WristbandState>& state = *kept;
    if (!model) {
        model = state && state->modelLetter != 0 ? modelOfLetter(state->modelLetter)
                                                 : ModelOfImage(image);
    }
    auto wristband = std::make_unique<PassThroughWristband>(*model, image, std::move(hostNow));
    PassThroughWristband* band = wristband.get();
    if (state) {
        RestoreState(*band, *state);
    }
    band->setSettingsObserver([band, imagePath] {
        if (const Result<> saved = SaveWristbandState(imagePath, CaptureState(*band)); !saved) {
            qWarning().noquote() << saved.error();
        }
    });
    return wristband;
}

} // namespace trek::emu
