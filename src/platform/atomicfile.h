#pragma once

#include <QByteArrayView>
#include <QString>

namespace trek::platform {

// Outcome of a file operation: success, or the reason it failed in one sentence.
class FileResult
{
public:
    static FileResult success() { return FileResult(QString()); }
    static FileResult failure(const QString& reason) { return FileResult(reason); }

    bool ok() const { return m_error.isNull(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    explicit FileResult(QString error) : m_error(std::move(error)) {}
    QString m_error;
};

// Replaces the file at `path` with `bytes` so that a crash, a full disk or a failed write never
// leaves a torn or empty file: either the old content or the new one is on disk afterwards.
[[nodiscard]] FileResult writeFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace trek::platform
