#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace trek::cli {

// What one run of the command-line tool was asked to do. Each command reads the fields its
// options and arguments fill; the rest keep their defaults.
struct CliRequest
{
    enum class Command {
        Help,
        Collect,
        ExportCsv,
        MakeDisk,
        MakeImage,
        ReportMonth,
        ReportWeek,
        ReportDay,
        Summary,
        Delete,
        Sleep,
        TimeSet,
        ClockCheck,
        SetClock,
        ShowStatus
    };
    Command command = Command::Help;
    QString workdir;    // empty: the current folder
    QStringList drives; // "--drive" values in the order given
    QDateTime now;      // "--now": the PC's local time for the whole run; null: the real clock

    // export csv
    QDate from;
    QDate to;
    bool allMinutes = false;

    // report, delete
    QDate date;          // the day, or the first of the month
    bool series = false; // the chart's points instead of the list
    QString span;        // "HH:MM-HH:MM" as given; empty: the whole day
    int firstMinute = 0; // the span's first and last minute of the day
    int lastMinute = 1439;

    // sleep
    int sleepStart = -1; // the window's hours; -1: the settings file's
    int sleepEnd = -1;

    // emulate
    QString target; // the disk folder or the image file
    QString kind;   // "text" / "kdx" for a disk, "k7" / "k9e" for an image
    int days = 0;
    std::uint64_t seed = 1;
    QDate end; // null: today

    // timeset; emulate set-clock
    QString letter;     // the drive chosen as a drive button does; empty: found by discovery
    QString hourMode;   // "24" or "12"; empty: the wristband's own
    QString correction; // "auto" or seconds per day; empty: auto (timeset), kept (set-clock)
    QString sleepMode;  // "off", "once" or "daily"; empty: the wristband's own
    QTime monitorStart; // null: the wristband's own
    QTime monitorStop;
    QDateTime watch;   // the emulated wristband's clock
    QDateTime lastSet; // null: kept, unless neverSet
    bool neverSet = false;
};

} // namespace trek::cli
