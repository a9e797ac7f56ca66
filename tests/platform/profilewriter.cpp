// SPDX-License-Identifier: GPL-3.0-or-later
// Several copies of this program run at once against one profile file, to show whether
// concurrent writers lose anything.
//   profilewriter FILE PREFIX COUNT: writes keys "<prefix><n>" = "<n>" into section "Shared",
//     one write per key.
//   profilewriter --add FILE COUNT: COUNT times adds 1 to Shared/Counter and 2 to Totals/Steps,
//     both in one update.
#include "backends/linux/iniprofile.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using trek::platform::IniProfile;
using trek::platform::ProfileEntry;
using trek::platform::ProfileValues;

namespace {

int writeKeys(IniProfile& profile, const QString& path, const QString& prefix, int count)
{
    for (int n = 0; n < count; ++n) {
        const auto written = profile.writeString(
            QStringLiteral("Shared"), prefix + QString::number(n), QString::number(n), path);
        if (!written) {
            (void)std::fprintf(stderr, "write %d failed: %s\n", n, qPrintable(written.error()));
            return 1;
        }
    }
    return 0;
}

int addUp(IniProfile& profile, const QString& path, int count)
{
    const QString shared = QStringLiteral("Shared");
    const QString totals = QStringLiteral("Totals");
    for (int n = 0; n < count; ++n) {
        const auto added = profile.updateStrings(path, [&](const ProfileValues& current) {
            const int counter = current.getInt(shared, QStringLiteral("Counter"), 0);
            const int steps = current.getInt(totals, QStringLiteral("Steps"), 0);
            return QList<ProfileEntry>{
                {shared, QStringLiteral("Counter"), QString::number(counter + 1)},
                {totals, QStringLiteral("Steps"), QString::number(steps + 2)}};
        });
        if (!added) {
            (void)std::fprintf(stderr, "update %d failed: %s\n", n, qPrintable(added.error()));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Four writers queue for the folder lock; give each one ample time.
    IniProfile profile(std::chrono::seconds(60));
    if (argc == 4 && std::strcmp(argv[1], "--add") == 0) {
        return addUp(profile, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    }
    if (argc == 4) {
        return writeKeys(profile, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                         std::atoi(argv[3]));
    }
    (void)std::fprintf(stderr, "usage: %s FILE PREFIX COUNT | --add FILE COUNT\n", argv[0]);
    return 2;
}
