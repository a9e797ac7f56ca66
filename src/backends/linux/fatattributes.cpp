// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/fatattributes.h"

#include "backends/linux/regularfileio.h"

#include <cerrno>
#include <cstdint>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>

namespace trek::platform {

namespace {

// What a file system answers for an ioctl it does not have: ENOTTY from the VFS, EINVAL or
// ENOSYS from some drivers and FUSE daemons, EOPNOTSUPP from a few others.
bool isUnsupported(int error)
{
    return error == ENOTTY || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

int ioctlRetrying(int fd, unsigned long request, std::uint32_t* attributes)
{
    for (;;) {
        const int result = ::ioctl(fd, request, attributes);
        if (result == 0 || errno != EINTR) {
            return result;
        }
    }
}

} // namespace

Result<bool> setFatHidden(int fd)
{
    std::uint32_t attributes = 0;
    if (ioctlRetrying(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0) {
        if (isUnsupported(errno)) {
            return false;
        }
        return fail(QStringLiteral("Cannot read the FAT attributes: %1").arg(systemError(errno)));
    }
    if ((attributes & ATTR_HIDDEN) != 0) {
        return true;
    }
    attributes |= ATTR_HIDDEN;
    if (ioctlRetrying(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes) != 0) {
        if (isUnsupported(errno)) {
            return false;
        }
        return fail(QStringLiteral("Cannot hide the file: %1").arg(systemError(errno)));
    }
    return true;
}

} // namespace trek::platform
