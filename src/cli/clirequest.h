#pragma once

#include <QDate>
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
        ExportCsv,
        MakeDisk,
        MakeImage,
        ReportMonth,
        ReportWeek,
        ReportDay,
        Summary,
        Delete,
        Sleep,
        PersonalShow,
        PersonalSet,
        MissionShow,
        MissionStart,
        MissionStop,
        OptionsShow,
        OptionsSet,
        UpdateCheck,
        UpdateDownload,
    };
    QString workdir;    // empty: the current folder
    QStringList drives; // "--drive" values in the order given

    // export csv
    QDate from;
    QDate to;

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

    // The numbers and switches of the commands above, together so that the request packs.
    Command command = Command::Help;
    int firstMinute = 0; // delete: the span's first and last minute of the day
    int lastMinute = 1439;
    int sleepStart = -1; // sleep: the window's hours; -1: the settings file's
    int sleepEnd = -1;
    int days = 0;                          // emulate
    std::optional<quint32> tick;           // mission: stands in for the millisecond tick counter
    std::optional<int> optionSlightMoving; // options set
    bool allMinutes = false;               // export csv
    bool series = false;                   // report: the chart's points instead of the list
    bool missionRaw = false;               // mission show: the stored values
    bool personalRaw = false;              // personal show: the stored keys
};

} // namespace trek::cli
