// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file that users or other tools let grow to 5 MB: the program's own sections at its
// end, behind thousands of sections of other keys. Measures 200 reads right after the file
// changed (so the first one parses it), 200 reads of the unchanged file, and one write.

#include "backends/linux/iniprofile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int keysRead = 200;
constexpr qsizetype fileSize = qsizetype{5} * 1024 * 1024;

QByteArray bigSettings()
{
    QByteArray text;
    text.reserve(fileSize + 4096);
    for (int section = 0; text.size() < fileSize; ++section) {
        text += "[Log" + QByteArray::number(section) + "]\r\n";
        for (int key = 0; key < 40; ++key) {
            text += "Entry" + QByteArray::number(key) + " = " +
                    QByteArray::number(section * 40 + key) + ",walk,quiet night\r\n";
        }
        text += "\r\n";
    }
    text += "[Advance]\r\nLanguage=1\r\n\r\n[Mission]\r\nA_CurSteps=40\r\n";
    return text;
}

// Each read names a different key: the program's own, and keys spread over the whole file.
int readKeys(const trek::platform::IniProfile& profile, const QString& path)
{
    int sum = 0;
    for (int n = 0; n < keysRead; ++n) {
        if (n % 2 == 0) {
            sum += profile.getInt(QStringLiteral("Mission"), QStringLiteral("A_CurSteps"), 0, path);
        } else {
            sum += profile.getInt(QStringLiteral("Log%1").arg(n * 97), QStringLiteral("Entry7"), 0,
                                  path);
        }
    }
    return sum;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

double elapsedMs(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 9;
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Trekkomat2.INI"));
    const QByteArray text = bigSettings();

    std::vector<double> afterChange;
    std::vector<double> unchanged;
    std::vector<double> writes;
    int checksum = 0;
    for (int run = 0; run < runs; ++run) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            (void)std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        file.close();
        const trek::platform::IniProfile profile;

        QElapsedTimer clock;
        clock.start();
        checksum += readKeys(profile, path);
        afterChange.push_back(elapsedMs(clock));

        clock.start();
        checksum += readKeys(profile, path);
        unchanged.push_back(elapsedMs(clock));

        trek::platform::IniProfile writer;
        clock.start();
        const auto written =
            writer.writeString(QStringLiteral("Mission"), QStringLiteral("A_CurSteps"),
                               QString::number(41 + run), path);
        if (!written) {
            (void)std::fprintf(stderr, "write failed: %s\n", qPrintable(written.error()));
            return 1;
        }
        writes.push_back(elapsedMs(clock));
    }
    std::printf("%d keys from a %.1f MB settings file, median of %d runs: %.1f ms right after a "
                "change (one parse), %.2f ms unchanged; one write %.1f ms (checksum %d)\n",
                keysRead, static_cast<double>(text.size()) / (1024.0 * 1024.0), runs,
                median(afterChange), median(unchanged), median(writes), checksum);
    return 0;
}
