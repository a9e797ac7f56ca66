#include "platform/linux/iniprofile.h"

#include "platform/atomicfile.h"
#include "platform/initext.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace trek::platform {

namespace {

// Holds flock() on a folder for its lifetime. A lock on the folder rather than on the file
// survives the rename that replaces the file, and leaves no lock file behind.
class FolderLock final
{
public:
    explicit FolderLock(const QString& folder)
        : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd < 0) {
            return;
        }
        while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd); // releases the lock
        }
    }
    Q_DISABLE_COPY_MOVE(FolderLock)

private:
    int m_fd;
};

// The file's bytes; empty for a missing file, nothing when it exists but cannot be read.
std::optional<QByteArray> readProfileFile(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QString> readValue(const QString& section, const QString& key, const QString& path)
{
    const std::optional<QByteArray> text = readProfileFile(path);
    if (!text) {
        return std::nullopt;
    }
    return findIniValue(*text, section, key);
}

} // namespace

int IniProfile::getInt(const QString& section, const QString& key, int defaultValue,
                       const QString& path) const
{
    const std::optional<QString> value = readValue(section, key, path);
    return value ? profileIntFromText(*value) : defaultValue;
}

QString IniProfile::getString(const QString& section, const QString& key,
                              const QString& defaultValue, const QString& path) const
{
    return readValue(section, key, path).value_or(defaultValue);
}

bool IniProfile::writeString(const QString& section, const QString& key, const QString& value,
                             const QString& path)
{
    m_lastError = path.isEmpty() ? QStringLiteral("No settings file is named.")
                                 : iniEntryProblem(section, key, value);
    if (!m_lastError.isEmpty()) {
        return false;
    }
    const FolderLock lock(QFileInfo(path).absolutePath());
    // Read again under the lock: another process may have added its own key since.
    const std::optional<QByteArray> before = readProfileFile(path);
    if (!before) {
        // Writing over a file we cannot read would throw away every other key in it.
        m_lastError = QStringLiteral("Cannot read %1").arg(path);
        return false;
    }
    const QByteArray after = setIniValue(*before, section, key, value);
    if (after == *before && QFileInfo::exists(path)) {
        return true;
    }
    const Result<> written = writeFileAtomically(path, after);
    m_lastError = written.error();
    return written.ok();
}

} // namespace trek::platform
