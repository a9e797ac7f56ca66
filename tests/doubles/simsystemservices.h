// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemservices.h"

#include <QList>
#include <QtGlobal>

namespace trek::platform {

// System services with every answer set by the test, and a record of the programs started.
class SimSystemServices final : public SystemServices
{
public:
    struct StartedProgram
    {
        QString program;
        QStringList arguments;
    };

    SimSystemServices() = default;
    Q_DISABLE_COPY_MOVE(SimSystemServices)

    QString localeAbbreviation() const override { return m_locale; }
    QString systemLocaleAbbreviation() const override { return m_systemLocale; }
    std::uint32_t missionClock() const override { return m_clock; }
    int platformGeneration() const override { return m_generation; }
    bool startProgram(const QString& program, const QStringList& arguments) override;

    void setLocaleAbbreviation(const QString& abbreviation) { m_locale = abbreviation; }
    void setSystemLocaleAbbreviation(const QString& abbreviation) { m_systemLocale = abbreviation; }
    void setMissionClock(std::uint32_t milliseconds) { m_clock = milliseconds; }
    void setPlatformGeneration(int generation) { m_generation = generation; }
    // Whether startProgram() reports success; it records the call either way.
    void setStartSucceeds(bool succeeds) { m_startSucceeds = succeeds; }
    const QList<StartedProgram>& startedPrograms() const { return m_started; }

private:
    QString m_locale = QStringLiteral("ENU");
    QString m_systemLocale = QStringLiteral("ENU");
    std::uint32_t m_clock = 0;
    int m_generation = 0;
    bool m_startSucceeds = true;
    QList<StartedProgram> m_started;
};

} // namespace trek::platform
