// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the real window to its first painted frame, and its peak memory, next to a bare Qt
// window built by the same CMake. Each program runs in a process of its own, the two taking turns
// so that a busy machine weighs on both alike; the medians and their ratios are printed.

#include "median.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// One run of a program: from just before it was started to its first frame, and its peak RSS.
struct Run
{
    double ms = 0.0;
    double peakMb = 0.0;
};

long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Starts `arguments` in `folder`, reads the moment of its first frame from its output and waits
// for its end; nothing when it did not start, print its frame or end well.
std::optional<Run> RunOnce(const std::vector<QByteArray>& arguments, const QByteArray& folder)
{
    int output[2];
    if (pipe(output) != 0) {
        return std::nullopt;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const QByteArray& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.constData()));
    }
    argv.push_back(nullptr);
    const long long started = NowNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        // Qt's notes about the offscreen platform are not what is measured.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        close(output[0]);
        close(output[1]);
        if (chdir(folder.constData()) == 0) {
            execv(argv.front(), argv.data());
        }
        _exit(127);
    }
    close(output[1]);
    QByteArray printed;
    char buffer[512];
    for (ssize_t got = 0; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, got);
    }
    close(output[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    const qsizetype at = printed.indexOf("first frame at ");
    if (at < 0) {
        return std::nullopt;
    }
    bool number = false;
    const long long frame =
        printed.mid(at + 15).split(' ').constFirst().trimmed().toLongLong(&number);
    if (!number) {
        return std::nullopt;
    }
    return Run{static_cast<double>(frame - started) / 1e6,
               static_cast<double>(usage.ru_maxrss) / 1024.0};
}

QByteArray LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return "unknown";
    }
    return file.readAll().split(' ').mid(0, 3).join(' ');
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The window opens on its report in a working folder of its own, with a person's settings
    // and no wristband.
    QTemporaryDir work;
    QFile settings(work.filePath(QStringLiteral("Trekkomat2.INI")));
    if (!work.isValid() || !settings.open(QIODevice::WriteOnly) ||
        settings.write("[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=72\r\n") < 0) {
        (void)std::fprintf(stderr, "no working folder for the window\n");
        return 1;
    }
    settings.close();
    const QByteArray folder = QFile::encodeName(work.path());
    const std::vector<QByteArray> window{TREK_WINDOW_PATH, "--no-update-check",
                                         "--quit-after-first-frame", "--drive",
                                         "E=" + folder + "/no-wristband"};
    const std::vector<QByteArray> bare{TREK_BARE_WINDOW_PATH};

    const QByteArray loadBefore = LoadAverage();
    // The first of each loads the libraries and fonts into the page cache: not counted.
    bool ok = RunOnce(bare, folder).has_value() && RunOnce(window, folder).has_value();
    std::vector<double> windowMs;
    std::vector<double> bareMs;
    std::vector<double> windowMb;
    std::vector<double> bareMb;
    for (int run = 0; run < runs && ok; ++run) {
        // Which one goes first alternates, so neither always follows the other's clean-up.
        const bool bareFirst = run % 2 == 0;
        const std::optional<Run> first = RunOnce(bareFirst ? bare : window, folder);
        const std::optional<Run> second = RunOnce(bareFirst ? window : bare, folder);
        ok = first.has_value() && second.has_value();
        if (ok) {
            const Run& ofWindow = bareFirst ? *second : *first;
            const Run& ofBare = bareFirst ? *first : *second;
            windowMs.push_back(ofWindow.ms);
            bareMs.push_back(ofBare.ms);
            windowMb.push_back(ofWindow.peakMb);
            bareMb.push_back(ofBare.peakMb);
        }
    }
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not start, paint its first frame or end well\n");
        return 1;
    }
    const double time = Median(windowMs);
    const double bareTime = Median(bareMs);
    const double memory = Median(windowMb);
    const double bareMemory = Median(bareMb);
    std::printf("load average before: %s, after: %s\n", loadBefore.constData(),
                LoadAverage().constData());
    std::printf("start to first frame, median of %d interleaved runs: window %.1f ms "
                "(min %.1f, max %.1f), bare Qt window %.1f ms: %.2fx (goal 1.3x)\n",
                runs, time, *std::min_element(windowMs.begin(), windowMs.end()),
                *std::max_element(windowMs.begin(), windowMs.end()), bareTime, time / bareTime);
    std::printf("peak RSS, median: window %.1f MB, bare Qt window %.1f MB: %.2fx "
                "(goal below 40 MB)\n",
                memory, bareMemory, memory / bareMemory);
    return 0;
}
