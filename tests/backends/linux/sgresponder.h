// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/scsitarget.h"
#include "umockdevapi.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace trek::test {

// One SG_IO request as the kernel interface received it.
struct SeenRequest
{
    int interfaceId = 0;
    int direction = 0;
    unsigned cmdLen = 0;
    unsigned dxferLen = 0;
    unsigned timeout = 0;
    unsigned mxSbLen = 0;
    std::array<std::uint8_t, 16> cdb{};
    std::vector<std::uint8_t> written; // the data block of a write
};

// How the fake device ends the next exchange; a status or sense given here replaces the device's.
struct Reply
{
    int ioctlErrno = 0;
    std::uint8_t status = 0;
    std::uint16_t hostStatus = 0;
    std::uint16_t driverStatus = 0;
    std::vector<std::uint8_t> sense;
};

// A small wristband: a 36-byte INQUIRY answer with "Watch K7", model letter 'E' and new data,
// patterned blocks for the vendor reads, and every write taken whole; enough to see bytes travel
// both ways and a short answer leave its residue.
class FakeWristband final : public trek::emu::ScsiTarget
{
public:
    Outcome execute(trek::platform::PassThroughRequest& request) override;
};

// Answers SG_IO on one device node of a umockdev test bed and records what arrived. The
// handler runs on umockdev's worker thread, hence the lock.
class SgResponder
{
public:
    SgResponder(UMockdevTestbed* testbed, const char* devnode);
    ~SgResponder();
    SgResponder(const SgResponder&) = delete;
    SgResponder& operator=(const SgResponder&) = delete;

    bool attached() const { return m_attached; }
    std::vector<SeenRequest> seen();
    void replyNext(Reply reply);

    // Called on the worker thread.
    bool handle(UMockdevIoctlClient* client);

private:
    UMockdevTestbed* m_testbed;
    const char* m_devnode;
    UMockdevIoctlBase* m_handler;
    bool m_attached = false;
    std::mutex m_mutex;
    std::vector<SeenRequest> m_seen;
    Reply m_next;
    FakeWristband m_device;
};

} // namespace trek::test
