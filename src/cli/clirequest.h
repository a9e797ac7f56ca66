#pragma once

#include <QDate>
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
        Factory
    };
    Command command = Command::Help;
    QString workdir;    // empty: the current folder
    QStringList drives; // "--drive" values in the order given

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

    // factory
    int factoryCount = 1;   // wristbands to set up
    int factoryTimeout = 0; // seconds; 0: no limit

    // emulate
    QString target; // the disk folder or the image file
    QString kind;   // "text" / "kdx" for a disk, "k7" / "k9e" for an image
    int days = 0;
    std::uint64_t seed = 1;
    QDate end; // null: today
};

} // namespace trek::cli
