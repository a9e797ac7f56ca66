// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/filedescriptor.h"
#include "backends/linux/regularfileio.h"
#include "platform/regularfile.h"
#include "platform/stagedfile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

class LinuxStagedFile final : public StagedFile
{
public:
    LinuxStagedFile(int fd, QByteArray path, QString folder)
        : m_file(fd), m_path(std::move(path)), m_folder(std::move(folder))
    {}
    ~LinuxStagedFile() override
    {
        if (!m_committed) {
            ::unlink(m_path.constData());
        }
    }
    Q_DISABLE_COPY_MOVE(LinuxStagedFile)

    Result<> append(QByteArrayView bytes) override
    {
        if (const int error = writeAll(m_file.get(), bytes); error != 0) {
            return fail(
                QStringLiteral("Cannot write %1: %2").arg(temporaryPath(), systemError(error)));
        }
        m_size += bytes.size();
        return {};
    }

    qint64 size() const override { return m_size; }
    QString temporaryPath() const override { return QFile::decodeName(m_path); }

    Result<> commit(const QString& path) override
    {
        const QByteArray target = QFile::encodeName(QFileInfo(path).absoluteFilePath());
        struct stat existing
        {};
        const bool hadFile = ::lstat(target.constData(), &existing) == 0;
        if (hadFile && !S_ISREG(existing.st_mode)) {
            return fail(QStringLiteral("Cannot replace %1: it is %2, not a regular file")
                            .arg(path, fileKind(existing.st_mode)));
        }
        // The replacement keeps the access rights of the file it replaces.
        if (hadFile && ::fchmod(m_file.get(), existing.st_mode & 07777) != 0) {
            return fail(QStringLiteral("Cannot keep the access rights of %1: %2")
                            .arg(path, systemError(errno)));
        }
        if (::fsync(m_file.get()) != 0 || m_file.close() != 0) {
            return fail(
                QStringLiteral("Cannot flush %1: %2").arg(temporaryPath(), systemError(errno)));
        }
        if (::rename(m_path.constData(), target.constData()) != 0) {
            return fail(QStringLiteral("Cannot rename %1 to %2: %3")
                            .arg(temporaryPath(), path, systemError(errno)));
        }
        m_committed = true;
        return syncFolder(m_folder);
    }

private:
    FileDescriptor m_file;
    QByteArray m_path;
    QString m_folder;
    qint64 m_size = 0;
    bool m_committed = false;
};

} // namespace

Result<std::unique_ptr<StagedFile>> createStagedFile(const QString& folder, const QString& name)
{
    QByteArray path;
    const int fd = openTemporary(QFile::encodeName(folder), QFile::encodeName(name), path,
                                 NewFileMode::Private);
    if (fd < 0) {
        return fail(
            QStringLiteral("Cannot create a file in %1: %2").arg(folder, systemError(errno)));
    }
    return std::unique_ptr<StagedFile>(
        std::make_unique<LinuxStagedFile>(fd, std::move(path), folder));
}

} // namespace trek::platform
