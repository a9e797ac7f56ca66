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
    enum class Command { Help, Collect, ExportCsv, MakeDisk, MakeImage };
    Command command = Command::Help;
    QString workdir;    // empty: the current folder
    QStringList drives; // "--drive" values in the order given

    // export csv
    QDate from;
    QDate to;
    bool allMinutes = false;

    // emulate
    QString target; // the disk folder or the image file
    QString kind;   // "text" / "kdx" for a disk, "k7" / "k9e" for an image
    int days = 0;
    std::uint64_t seed = 1;
    QDate end; // null: today
};

} // namespace trek::cli
