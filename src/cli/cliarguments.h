#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace trek::cli {

// What one run of the command-line tool was asked to do.
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

struct CliParse
{
    std::optional<CliRequest> request;
    QString error; // one sentence when `request` is empty
};

// Reads the arguments after the program name. Options are accepted before and after the command
// words; anything unknown, missing or malformed is a usage error.
CliParse ParseCliArguments(const QStringList& arguments);

QString CliHelpText();

} // namespace trek::cli
