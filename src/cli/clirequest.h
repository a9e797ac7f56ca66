// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace trek::cli {

// What one run of the command-line tool was asked to do. Each command reads the fields its
// options and arguments fill; the rest keep their defaults.
struct CliRequest
{
    enum class Command {
        Help,
        Collect,
        Watch,
        ExportCsv,
        MakeDisk,
        MakeImage,
        ReportMonth,
        ReportWeek,
        ReportDay,
        Summary,
        Delete,
        Sleep,
        TrendSteps,
        TrendSleep,
        PersonalShow,
        PersonalSet,
        MissionShow,
        MissionStart,
        MissionStop,
        OptionsShow,
        OptionsSet,
        TimeSet,
        ClockCheck,
        SetClock,
        ShowStatus,
        Factory,
        UpdateCheck,
        UpdateDownload,
    };
    QString helpText;   // help: what to print, the whole help or that of the commands asked
    QString format;     // "--format": "csv" or "json"; empty: the page's texts
    QString workdir;    // empty: DefaultWorkingFolder()
    QStringList drives; // "--drive" values in the order given
    QDateTime now;      // "--now": the PC's local time for the whole run; null: the real clock

    // export csv; trend: the range
    QDate from;
    QDate to;

    // trend steps
    QString trendBy; // "day", "week" or "month"; empty: day

    // report, delete
    QDate date;   // the day, or the first of the month
    QString span; // "HH:MM-HH:MM" as given; empty: the whole day

    // mission
    QString missionLetter; // "A" or "B"
    QString missionKind;   // "steps", "distance", "time" or "calories"
    QString missionTarget; // as typed into the target box

    // options set: the words as given, empty for an option left as it is
    QString optionLanguage; // en, cht, chs
    QString optionUnits;    // metric, imperial
    QString optionUpgrade;  // on, off
    QString optionAutoConfirm;

    // update check, update download: empty for the settings file's address, the running program
    // and the built-in key
    QString updateUrl;
    QString updateProgram;
    QString updatePublicKey;

    // emulate
    QString target; // the disk folder or the image file
    QString kind;   // "text" / "kdx" for a disk, "k7" / "k9e" for an image
    std::uint64_t seed = 1;
    QDate end; // null: today

    // personal show, personal set
    QString personalUnits;         // "metric" / "imperial"; empty: as stored
    QDate birthday;                // null: as the picker shows it
    std::optional<QString> height; // each box as typed; not given: as Fill showed it
    std::optional<QString> feet;
    std::optional<QString> inches;
    std::optional<QString> weight;
    std::optional<QString> step;

    // timeset; emulate set-clock
    QString letter;     // the drive chosen as a drive button does; empty: found by discovery
    QString hourMode;   // "24" or "12"; empty: the wristband's own
    QString correction; // "auto" or seconds per day; empty: auto (timeset), kept (set-clock)
    QString sleepMode;  // "off", "once" or "daily"; empty: the wristband's own
    QTime monitorStart; // null: the wristband's own
    QTime monitorStop;
    QDateTime watch;   // the emulated wristband's clock
    QDateTime lastSet; // null: kept, unless neverSet

    // The numbers and switches of the commands above, together so that the request packs.
    Command command = Command::Help;
    int firstMinute = 0; // delete: the span's first and last minute of the day
    int lastMinute = 1439;
    int sleepStart = -1; // sleep: the window's hours; -1: the settings file's
    int sleepEnd = -1;
    int trendGoal = 0;                         // trend steps: 0 for the settings file's goal
    int days = 0;                              // emulate
    int factoryCount = 1;                      // factory: wristbands to set up
    int factoryTimeout = 0;                    // factory: seconds; 0: no limit
    std::optional<quint32> tick;               // mission: stands in for the mission clock
    std::optional<QString> optionSlightMoving; // options set: as typed
    bool allMinutes = false;                   // export csv
    bool series = false;                       // report: the chart's points instead of the list
    bool missionRaw = false;                   // mission show: the stored values
    bool personalRaw = false;                  // personal show: the stored keys
    bool neverSet = false;                     // emulate set-clock: the clock never set
};

} // namespace trek::cli
