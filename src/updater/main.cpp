// SPDX-License-Identifier: GPL-3.0-or-later
// The updater: started by the program when it closes after a verified download, it puts the
// downloaded file in place of the program file and says how that went. Plain C++ and POSIX, so
// that the program can carry it as a small image of bytes.
//
//   TrekkomatUpdater.BIN PROGRAM NEWFILE [--first-wait MS] [--retry-wait MS]

#include "console.h"
#include "replaceprogram.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Attempts = 10;

struct Arguments
{
    std::string program;
    std::string newFile;
    long firstWaitMs = 2000; // time for the program to end and let go of its file
    long retryWaitMs = 1000;
};

bool ParseMilliseconds(const char* text, long& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 600000) {
        return false;
    }
    value = parsed;
    return true;
}

bool Parse(int argc, char** argv, Arguments& arguments)
{
    std::vector<std::string> positional;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--first-wait" || argument == "--retry-wait") {
            long& target =
                argument == "--first-wait" ? arguments.firstWaitMs : arguments.retryWaitMs;
            if (index + 1 >= argc || !ParseMilliseconds(argv[++index], target)) {
                return false;
            }
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2 || positional[0].empty() || positional[1].empty()) {
        return false;
    }
    arguments.program = positional[0];
    arguments.newFile = positional[1];
    return true;
}

std::string CurrentFolder()
{
    std::vector<char> buffer(4096);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        return ".";
    }
    return buffer.data();
}

// The folder the updater runs from: the working folder's tmp folder, where its log belongs
// whatever folder it was started in.
std::string OwnFolder()
{
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return "tmp";
    }
    const std::string path(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Sleep(long milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!Parse(argc, argv, arguments)) {
        (void)std::fputs("Fatal Error: updater initialization failed\n"
                         "Usage: TrekkomatUpdater.BIN PROGRAM NEWFILE [--first-wait MS] "
                         "[--retry-wait MS]\n",
                         stderr);
        return 1;
    }
    const std::string folder = CurrentFolder();
    const std::string logFolder = OwnFolder();
    updater::Console console(logFolder + (logFolder == "/" ? "" : "/") + "TrekkomatUpdater.log");
    console.write("\n+====================================+");
    console.write("\n| Small Updater for Trekkomat K7C    |");
    console.write("\n|                         2014.05.19 |");
    console.write("\n+====================================+\n");
    console.write("\n" + folder + "\n");

    // The new file must be a program for the machine this updater runs on, as the program is.
    const std::string ownKind = updater::ExecutableKindOfFile("/proc/self/exe");
    Sleep(arguments.firstWaitMs);
    bool updated = false;
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        console.write("\n  Check Old File : " + arguments.program + " ...");
        console.write("\n  Update: " + arguments.newFile + " --> " + BaseName(arguments.program));
        const updater::Outcome outcome =
            updater::ReplaceProgram(arguments.program, arguments.newFile, ownKind);
        if (outcome.ok) {
            updated = true;
            break;
        }
        console.write("\n  " + outcome.reason);
        if (!outcome.worthRetrying) {
            break;
        }
        if (attempt < Attempts) {
            Sleep(arguments.retryWaitMs);
        }
    }
    if (updated) {
        console.write("\n  ** Done, Remove temp file **");
        (void)::unlink(arguments.newFile.c_str());
        console.write("\n\n>>> Update OK <<<\n\n");
        return 0;
    }
    console.write("\n\n### Err: Update failed ###\n\n");
    return 1;
}
