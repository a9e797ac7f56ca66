// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgresponder.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <scsi/sg.h>
#include <utility>

namespace trek::test {

namespace {

template <typename Field> void put(UMockdevIoctlData* header, std::size_t offset, Field value)
{
    umockdev_ioctl_data_update(header, offset, reinterpret_cast<guint8*>(&value), sizeof value);
}

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer responder)
{
    return static_cast<SgResponder*>(responder)->handle(client) ? TRUE : FALSE;
}

} // namespace

FakeWristband::Outcome FakeWristband::execute(trek::platform::PassThroughRequest& request)
{
    using trek::platform::DataDirection;
    const auto& cdb = request.cdb;
    if (cdb[0] == 0x12 && request.direction == DataDirection::FromDevice) {
        static constexpr char Inquiry[] = "\x00\x80\x04\x02\x1f\x00\x00\x00"
                                          "Watch K7"
                                          "E-Band\x01 Stepper "
                                          "1.00";
        const std::uint32_t count = std::min<std::uint32_t>(request.length, 36);
        std::memcpy(request.data, Inquiry, count);
        return trek::emu::Answer(request, count);
    }
    if (cdb[0] == 0xfe && request.direction == DataDirection::FromDevice) {
        for (std::uint32_t i = 0; i < request.length; ++i) {
            request.data[i] = static_cast<std::uint8_t>(i ^ cdb[1]);
        }
    }
    return trek::emu::Answer(request, request.length);
}

SgResponder::SgResponder(UMockdevTestbed* testbed, const char* devnode)
    : m_testbed(testbed), m_devnode(devnode), m_handler(umockdev_ioctl_base_new())
{
    g_signal_connect(m_handler, "handle-ioctl", G_CALLBACK(onIoctl), this);
    m_attached = umockdev_testbed_attach_ioctl(m_testbed, m_devnode, m_handler, nullptr) != FALSE;
}

SgResponder::~SgResponder()
{
    if (m_attached) {
        umockdev_testbed_detach_ioctl(m_testbed, m_devnode, nullptr);
    }
    g_object_unref(m_handler);
}

std::vector<SeenRequest> SgResponder::seen()
{
    std::lock_guard lock(m_mutex);
    return m_seen;
}

void SgResponder::replyNext(Reply reply)
{
    std::lock_guard lock(m_mutex);
    m_next = std::move(reply);
}

bool SgResponder::handle(UMockdevIoctlClient* client)
{
    if (umockdev_ioctl_client_get_request(client) != SG_IO) {
        return false;
    }
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData* header = umockdev_ioctl_data_resolve(arg, 0, sizeof(sg_io_hdr_t), nullptr);
    if (header == nullptr) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    sg_io_hdr_t hdr{};
    std::memcpy(&hdr, header->data, sizeof hdr);

    SeenRequest seen;
    seen.interfaceId = hdr.interface_id;
    seen.direction = hdr.dxfer_direction;
    seen.cmdLen = hdr.cmd_len;
    seen.dxferLen = hdr.dxfer_len;
    seen.timeout = hdr.timeout;
    seen.mxSbLen = hdr.mx_sb_len;
    if (UMockdevIoctlData* cdb = umockdev_ioctl_data_resolve(
            header, offsetof(sg_io_hdr_t, cmdp), std::min<std::size_t>(hdr.cmd_len, 16), nullptr)) {
        std::memcpy(seen.cdb.data(), cdb->data, static_cast<std::size_t>(cdb->data_len));
    }
    UMockdevIoctlData* buffer = nullptr;
    if (hdr.dxfer_len > 0) {
        buffer = umockdev_ioctl_data_resolve(header, offsetof(sg_io_hdr_t, dxferp), hdr.dxfer_len,
                                             nullptr);
    }
    if (buffer != nullptr && hdr.dxfer_direction == SG_DXFER_TO_DEV) {
        seen.written.assign(buffer->data, buffer->data + buffer->data_len);
    }

    std::lock_guard lock(m_mutex);
    m_seen.push_back(seen);
    const Reply reply = std::exchange(m_next, Reply{});
    if (reply.ioctlErrno != 0) {
        umockdev_ioctl_client_complete(client, -1, reply.ioctlErrno);
        return true;
    }
    trek::platform::PassThroughRequest request;
    request.cdb = seen.cdb;
    request.length = buffer != nullptr ? hdr.dxfer_len : 0;
    std::vector<std::uint8_t> bytes(request.length);
    request.data = bytes.empty() ? nullptr : bytes.data();
    if (hdr.dxfer_direction == SG_DXFER_FROM_DEV) {
        request.direction = trek::platform::DataDirection::FromDevice;
    } else if (hdr.dxfer_direction == SG_DXFER_TO_DEV) {
        request.direction = trek::platform::DataDirection::ToDevice;
        std::copy(seen.written.begin(), seen.written.end(), bytes.begin());
    }
    // A host failure means nothing reached the device, so nothing comes back either.
    request.clearResults();
    if (reply.hostStatus == 0) {
        m_device.execute(request);
    }
    if (buffer != nullptr && request.direction == trek::platform::DataDirection::FromDevice &&
        reply.hostStatus == 0) {
        umockdev_ioctl_data_update(buffer, 0, bytes.data(), static_cast<gint>(bytes.size()));
    }
    std::vector<std::uint8_t> sense = reply.sense;
    if (sense.empty()) {
        sense.assign(request.sense.begin(), request.sense.begin() + request.senseLength);
    }
    if (!sense.empty()) {
        if (UMockdevIoctlData* senseBuffer = umockdev_ioctl_data_resolve(
                header, offsetof(sg_io_hdr_t, sbp), hdr.mx_sb_len, nullptr)) {
            umockdev_ioctl_data_update(senseBuffer, 0, sense.data(),
                                       static_cast<gint>(sense.size()));
        }
        put(header, offsetof(sg_io_hdr_t, sb_len_wr), static_cast<unsigned char>(sense.size()));
    }
    put(header, offsetof(sg_io_hdr_t, status),
        reply.status != 0 ? reply.status : request.scsiStatus);
    put(header, offsetof(sg_io_hdr_t, host_status), reply.hostStatus);
    put(header, offsetof(sg_io_hdr_t, driver_status), reply.driverStatus);
    put(header, offsetof(sg_io_hdr_t, resid), static_cast<int>(request.residue));
    umockdev_ioctl_client_complete(client, 0, 0);
    return true;
}

} // namespace trek::test
