// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>

namespace trek {

// Why something failed, in one sentence the user can read.
struct Failure
{
    QString reason;
};

inline Failure fail(QString reason)
{
    return Failure{std::move(reason)};
}

// The outcome of an operation outside the wristband protocol: a value, or the reason it failed.
// The protocol's own integer codes stay integers; everything else answers with this.
template <typename T = void> class [[nodiscard]] Result
{
public:
    // NOLINTNEXTLINE(google-explicit-constructor): a value or a failure converts, as in return.
    Result(T value) : m_value(std::move(value)) {}
    // NOLINTNEXTLINE(google-explicit-constructor)
    Result(Failure failure) : m_error(std::move(failure.reason)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

    // A failure holds no value: asking it for one is a mistake of the caller, caught in debug
    // builds (the sanitizer builds among them).
    T& value() &
    {
        checkValue();
        return *m_value;
    }
    const T& value() const&
    {
        checkValue();
        return *m_value;
    }
    T&& value() &&
    {
        checkValue();
        return std::move(*m_value);
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    void checkValue() const
    {
        Q_ASSERT_X(m_value.has_value(), "Result::value", "the result is a failure");
    }

    std::optional<T> m_value;
    QString m_error;
};

template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default; // success
    // NOLINTNEXTLINE(google-explicit-constructor)
    Result(Failure failure) : m_error(std::move(failure.reason)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    QString m_error;
    bool m_failed = false;
};

} // namespace trek
