// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/scsitarget.h"

#include <QtGlobal>

namespace trek::emu {

// An ordinary removable disk: it identifies itself and refuses every vendor command. Simulated
// folder drives answer through it, so discovery sees them as the flash disks they stand for.
class PlainDiskTarget final : public ScsiTarget
{
public:
    PlainDiskTarget() = default;
    Q_DISABLE_COPY_MOVE(PlainDiskTarget)
    ~PlainDiskTarget() override = default;

    Outcome execute(platform::PassThroughRequest& request) override;
};

} // namespace trek::emu
