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

FakeWristband::Result FakeWristband::execute(const std::array<std::uint8_t, 16>& cdb,
                                             Direction direction, std::uint8_t* data,
                                             std::uint32_t length)
{
    if (cdb[0] == 0x12 && direction == FromDevice) {
        static constexpr char Inquiry[] = "\x00\x80\x04\x02\x1f\x00\x00\x00"
                                          "Watch K7"
                                          "E-Band\x01 Stepper "
                                          "1.00";
        const std::uint32_t count = std::min<std::uint32_t>(length, 36);
        std::memcpy(data, Inquiry, count);
        return {0, count, false};
    }
    if (cdb[0] == 0xfe && direction == FromDevice) {
        for (std::uint32_t i = 0; i < length; ++i) {
            data[i] = static_cast<std::uint8_t>(i ^ cdb[1]);
        }
        return {0, length, false};
    }
    return {0, 0, false};
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
    // A host failure means nothing reached the device, so nothing comes back either.
    if (buffer != nullptr && hdr.dxfer_direction == SG_DXFER_FROM_DEV && reply.hostStatus == 0) {
        std::vector<std::uint8_t> answer(hdr.dxfer_len);
        m_device.execute(seen.cdb, trek::emu::ScsiTarget::FromDevice, answer.data(), hdr.dxfer_len);
        umockdev_ioctl_data_update(buffer, 0, answer.data(), static_cast<gint>(answer.size()));
    }
    if (!reply.sense.empty()) {
        if (UMockdevIoctlData* sense = umockdev_ioctl_data_resolve(
                header, offsetof(sg_io_hdr_t, sbp), hdr.mx_sb_len, nullptr)) {
            std::vector<std::uint8_t> bytes = reply.sense;
            umockdev_ioctl_data_update(sense, 0, bytes.data(), static_cast<gint>(bytes.size()));
        }
        put(header, offsetof(sg_io_hdr_t, sb_len_wr),
            static_cast<unsigned char>(reply.sense.size()));
    }
    put(header, offsetof(sg_io_hdr_t, status), reply.status);
    put(header, offsetof(sg_io_hdr_t, host_status), reply.hostStatus);
    put(header, offsetof(sg_io_hdr_t, driver_status), reply.driverStatus);
    umockdev_ioctl_client_complete(client, 0, 0);
    return true;
}

} // namespace trek::test
