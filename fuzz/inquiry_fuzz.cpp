// SPDX-License-Identifier: GPL-3.0-or-later
// Has a disk answer the identification command with arbitrary bytes and checks what the
// identification claims against the answer itself; then checks that an emulated wristband of the
// model and new-data flag the input names is recognised as exactly that.
//
// Input: the answer. Byte 0 is also the emulated wristband's model letter, bit 0 of byte 1 its
// new-data flag.

#include "app/appstate.h"
#include "backends/sim/singletargettransport.h"
#include "device/identity.h"
#include "device/vendorcommands.h"
#include "emulator/passthroughwristband.h"
#include "fuzzcheck.h"
#include "platform/scsitransport.h"
#include "platform/services.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace {

using trek::platform::DeviceHandle;
using trek::platform::PassThroughRequest;

using trek::fuzz::check;

// A disk that answers every command with the same bytes, as far as the request has room.
class AnsweringDisk final : public trek::platform::ScsiTransport
{
public:
    explicit AnsweringDisk(QByteArrayView answer) : m_answer(answer) {}

    DeviceHandle openVolume(char /*letter*/) override { return 1; }
    DeviceHandle openDevicePath(const QString& /*path*/) override { return 1; }
    void close(DeviceHandle /*handle*/) override {}
    int send(DeviceHandle /*handle*/, PassThroughRequest& request) override
    {
        request.clearResults();
        const auto count = static_cast<std::uint32_t>(
            std::min<qsizetype>(m_answer.size(), static_cast<qsizetype>(request.length)));
        std::copy_n(m_answer.data(), count, request.data);
        request.residue = request.length - count;
        return 0;
    }
    int lock(DeviceHandle /*handle*/) override { return 0; }
    int unlock(DeviceHandle /*handle*/) override { return 0; }

private:
    QByteArrayView m_answer;
};

// The claims of an identification, checked against the bytes it was read from.
void CheckClaims(std::span<const std::uint8_t> answer,
                 const std::optional<trek::WristbandIdentity>& identity)
{
    if (!identity) {
        return;
    }
    const auto textBegin = answer.begin() + 8; // after the standard answer's type fields
    const auto textEnd = std::find(textBegin, answer.end(), std::uint8_t{0});
    const std::string_view marker = "Watch";
    const auto found = std::search(textBegin, textEnd, marker.begin(), marker.end(),
                                   [](std::uint8_t b, char c) { return b == std::uint8_t(c); });
    check(found != textEnd);
    const auto at = static_cast<std::size_t>(found - answer.begin());
    check(at + 14 < answer.size());
    check(answer[at + 6] == 'K' && answer[at + 7] == '7');
    check(identity->modelLetter == static_cast<char>(answer[at + 8]));
    check(identity->hasNewData == (answer[at + 14] != 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView answer(data, static_cast<qsizetype>(size));

    // An answer of exactly its own length: nothing past it may be read.
    const std::vector<std::uint8_t> exact(data, data + size);
    CheckClaims(exact, trek::ParseIdentity(exact));

    // As discovery reads it: into a zeroed buffer, of which the command fills the start.
    AnsweringDisk disk(answer);
    trek::appState().services.scsi = &disk;
    std::array<std::uint8_t, trek::IdentityBufferLength> buffer{};
    check(trek::InquireIdentity(QStringLiteral("/dev/fuzz"), buffer.data()) == 0);
    check(std::all_of(buffer.begin() + trek::IdentityLength, buffer.end(),
                      [](std::uint8_t b) { return b == 0; }));
    CheckClaims(buffer, trek::ParseIdentity(buffer));

    if (size >= 2) {
        trek::emu::PassThroughWristband wristband(trek::emu::PassThroughWristband::Model::K7, {});
        wristband.setModelLetter(static_cast<char>(data[0]));
        wristband.setHasNewData((data[1] & 1) != 0);
        trek::platform::SingleTargetTransport transport(wristband);
        trek::appState().services.scsi = &transport;
        buffer.fill(0);
        check(trek::InquireIdentity('E', buffer.data()) == 0);
        const std::optional<trek::WristbandIdentity> identity = trek::ParseIdentity(buffer);
        check(identity && identity->modelLetter == static_cast<char>(data[0]) &&
              identity->hasNewData == ((data[1] & 1) != 0));
    }
    trek::appState().services = trek::platform::Services{};
    return 0;
}
