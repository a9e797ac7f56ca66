// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/deviceclock.h"
#include "emulator/scsitarget.h"
#include "platform/wristbandmodels.h"

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <functional>

namespace trek::emu {

// A pass-through wristband as seen through its USB disk: it identifies itself in the INQUIRY
// answer and exchanges its settings block and record blocks through vendor commands (opcode FE).
// Its model's row in platform/wristbandmodels.h gives the letter it answers and whether it keeps
// its records in a memory read by block number or hands them out as a stream of blocks.
class PassThroughWristband final : public ScsiTarget
{
public:
    using Model = WristbandModel;
    static constexpr int SettingsSize = 256;

    PassThroughWristband(Model model, QByteArray image, ClockFunction hostNow = {});
    Q_DISABLE_COPY_MOVE(PassThroughWristband)
    ~PassThroughWristband() override = default;

    Outcome execute(platform::PassThroughRequest& request) override;

    Model model() const { return m_model; }
    char modelLetter() const { return m_modelLetter; }
    void setModelLetter(char letter) { m_modelLetter = letter; }

    // New records arrived; the stream starts again from its first block.
    void loadImage(QByteArray image);
    const QByteArray& image() const { return m_image; }
    bool hasNewData() const { return m_hasNewData; }
    void setHasNewData(bool hasNewData) { m_hasNewData = hasNewData; }

    DeviceClock& clock() { return m_clock; }
    const DeviceClock& clock() const { return m_clock; }

    // The settings the wristband holds, as it answers them in FE 00 (clock fields excluded).
    QByteArray settings() const { return m_settings; }
    // Settings kept from an earlier run; a block of another size is ignored.
    void restoreSettings(const QByteArray& settings);
    // The correction in force, as the PC would send it: in the settings and in the clock's rate.
    void setClockCorrection(int secondsPerDay);
    // Called after every settings block the wristband took, so its state can be kept.
    void setSettingsObserver(std::function<void()> observer)
    {
        m_settingsObserver = std::move(observer);
    }
    int clockCorrection() const { return static_cast<std::int8_t>(m_settings[31]); }
    bool twelveHourMode() const { return static_cast<std::uint8_t>(m_settings[30]) == 0x12; }

    // Failure injection for the reliability tests.
    // After `blocks` more record blocks have been read the device vanishes (every later command
    // fails as a lost device) until reconnect().
    void disappearAfterBlocks(int blocks) { m_blocksUntilGone = blocks; }
    bool isGone() const { return m_gone; }
    // Plugged in again: present, the stream read from its start, records and new data kept.
    void reconnect();
    // The next `count` data reads answer CHECK CONDITION (a medium error) with no data.
    void failNextReads(int count) { m_failingReads = count; }
    // The next `count` settings blocks sent are refused with a write error and not taken.
    void failNextWrites(int count) { m_failingWrites = count; }
    // The stream never carries its end mark and goes on with further valid blocks.
    void setEndlessStream(bool endless) { m_endless = endless; }

    // Called at each end-of-collection command, so whoever holds the records can remember that
    // they were taken; when it answers false the command fails and the records stay new.
    void setEndCollectionObserver(std::function<bool()> observer)
    {
        m_endCollectionObserver = std::move(observer);
    }

    int recordBlocksRead() const { return m_recordBlocksRead; }
    int endCollectionCount() const { return m_endCollections; }

private:
    Outcome inquiry(platform::PassThroughRequest& request) const;
    Outcome readSettings(platform::PassThroughRequest& request) const;
    Outcome writeSettings(platform::PassThroughRequest& request);
    Outcome readMemoryBlock(platform::PassThroughRequest& request);
    Outcome readStreamBlock(platform::PassThroughRequest& request);
    Outcome deliverRecordBlock(const QByteArray& block, platform::PassThroughRequest& request);
    QByteArray endlessBlock(int index) const;

    Model m_model;
    char m_modelLetter;
    QByteArray m_image;
    QByteArray m_settings;
    DeviceClock m_clock;
    bool m_hasNewData = true;
    int m_streamPosition = 0;

    int m_blocksUntilGone = -1;
    bool m_gone = false;
    int m_failingReads = 0;
    int m_failingWrites = 0;
    bool m_endless = false;
    int m_recordBlocksRead = 0;
    int m_endCollections = 0;
    std::function<bool()> m_endCollectionObserver;
    std::function<void()> m_settingsObserver;
};

} // namespace trek::emu
