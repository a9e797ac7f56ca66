// SPDX-License-Identifier: GPL-3.0-or-later
#include "scratchmount.h"

#include <QFile>
#include <QProcess>

namespace trek::test {

namespace {

QString run(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("mount"), arguments);
    if (!process.waitForFinished(30000)) {
        return QStringLiteral("mount did not run: ") + process.errorString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    }
    return {};
}

} // namespace

ScratchMount::ScratchMount(const QString& size, const QString& mountPoint)
    : m_path(mountPoint.isEmpty() ? m_dir.path() : mountPoint)
{
    m_error = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                   QStringLiteral("size=") + size, QStringLiteral("tmpfs"), m_path});
    m_mounted = m_error.isEmpty();
    if (!m_mounted) {
        m_error = QStringLiteral("cannot mount a tmpfs (root needed): ") + m_error;
    }
}

ScratchMount::~ScratchMount()
{
    if (m_mounted) {
        QProcess::execute(QStringLiteral("umount"), {m_path});
    }
}

bool ScratchMount::remountReadOnly()
{
    m_error = run({QStringLiteral("-o"), QStringLiteral("remount,ro"), m_path});
    return m_error.isEmpty();
}

bool ScratchMount::fill() const
{
    QFile filler(filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    // Smaller pieces take up what is left of the last page.
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

} // namespace trek::test
