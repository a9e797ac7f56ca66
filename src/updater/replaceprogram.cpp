// SPDX-License-Identifier: GPL-3.0-or-later
#include "replaceprogram.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace updater {

namespace {

constexpr std::size_t HeadBytes = 512;

unsigned Le16(const unsigned char* at)
{
    return at[0] | (static_cast<unsigned>(at[1]) << 8);
}

unsigned long Le32(const unsigned char* at)
{
    return Le16(at) | (static_cast<unsigned long>(Le16(at + 2)) << 16);
}

std::string SystemError(const std::string& what, const std::string& path, int error)
{
    return what + " " + path + ": " + std::strerror(error);
}

bool Retryable(int error)
{
    return error != ENOENT && error != ENOTDIR && error != ELOOP && error != EISDIR;
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

ssize_t ReadSome(int fd, unsigned char* buffer, std::size_t size)
{
    ssize_t got = 0;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string ExecutableKind(const unsigned char* head, std::size_t size)
{
    if (size >= 20 && std::memcmp(head,
                                  "\x7f"
                                  "ELF",
                                  4) == 0) {
        const unsigned machine = head[5] == 2 ? (head[18] << 8) | head[19] : Le16(head + 18);
        return "elf " + std::to_string(head[4]) + " " + std::to_string(head[5]) + " " +
               std::to_string(machine);
    }
    if (size >= 0x40 && head[0] == 'M' && head[1] == 'Z') {
        const unsigned long header = Le32(head + 0x3C);
        if (header + 6 <= size && std::memcmp(head + header, "PE\0\0", 4) == 0) {
            return "pe " + std::to_string(Le16(head + header + 4));
        }
    }
    return {};
}

std::string ExecutableKindOfFile(const std::string& path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    std::array<unsigned char, HeadBytes> head{};
    const ssize_t got = file.get() < 0 ? -1 : ReadSome(file.get(), head.data(), head.size());
    return got <= 0 ? std::string() : ExecutableKind(head.data(), static_cast<std::size_t>(got));
}

Outcome ReplaceProgram(const std::string& program, const std::string& newFile,
                       const std::string& ownKind)
{
    const Descriptor source(::open(newFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat sourceInfo
    {};
    if (source.get() < 0 || ::fstat(source.get(), &sourceInfo) != 0) {
        const int error = errno;
        return {false, Retryable(error), SystemError("Cannot open", newFile, error)};
    }
    if (!S_ISREG(sourceInfo.st_mode)) {
        return {false, false, newFile + " is not a regular file"};
    }
    std::array<unsigned char, HeadBytes> head{};
    const ssize_t headSize = ::pread(source.get(), head.data(), head.size(), 0);
    if (headSize <= 0 || ownKind.empty() ||
        ExecutableKind(head.data(), static_cast<std::size_t>(headSize)) != ownKind) {
        return {false, false, newFile + " is not a program for this machine"};
    }

    // The replacement gets the old program's access rights; a program that is not there yet
    // gets the usual ones of a program.
    mode_t mode = 0755;
    struct stat programInfo
    {};
    if (::lstat(program.c_str(), &programInfo) == 0) {
        if (!S_ISREG(programInfo.st_mode)) {
            return {false, false, program + " is not a regular file"};
        }
        mode = programInfo.st_mode & 07777;
    } else if (errno != ENOENT) {
        const int error = errno;
        return {false, Retryable(error), SystemError("Cannot look at", program, error)};
    }

    const std::string folder = FolderOf(program);
    std::string temporary = folder + "/.TrekkomatUpdate.XXXXXX";
    Descriptor target(::mkostemp(temporary.data(), O_CLOEXEC));
    if (target.get() < 0) {
        const int error = errno;
        return {false, Retryable(error), SystemError("Cannot create a file in", folder, error)};
    }
    const auto discard = [&](const std::string& what, const std::string& path) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Outcome{false, Retryable(error), SystemError(what, path, error)};
    };

    std::vector<unsigned char> buffer(std::size_t{64} * 1024);
    for (;;) {
        const ssize_t got = ReadSome(source.get(), buffer.data(), buffer.size());
        if (got < 0) {
            return discard("Cannot read", newFile);
        }
        if (got == 0) {
            break;
        }
        if (!WriteAll(target.get(), buffer.data(), static_cast<std::size_t>(got))) {
            return discard("Cannot write", temporary);
        }
    }
    if (::fchmod(target.get(), mode) != 0) {
        return discard("Cannot set the access rights of", temporary);
    }
    if (::fsync(target.get()) != 0 || target.release() != 0) {
        return discard("Cannot flush", temporary);
    }
    if (::rename(temporary.c_str(), program.c_str()) != 0) {
        return discard("Cannot replace", program);
    }
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        (void)::fsync(directory.get()); // the new program is in place either way
    }
    return {true, false, {}};
}

} // namespace updater
