// Writes `count` keys "<prefix><n>" = "<n>" into section "Shared" of a profile file, one write
// per key, so that several copies running at once show whether concurrent writes lose keys.
#include "platform/linux/iniprofile.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        (void)std::fprintf(stderr, "usage: %s FILE PREFIX COUNT\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    trek::platform::IniProfile profile;
    for (int n = 0; n < count; ++n) {
        if (!profile.writeString(QStringLiteral("Shared"), prefix + QString::number(n),
                                 QString::number(n), path)) {
            (void)std::fprintf(stderr, "write %d failed: %s\n", n, qPrintable(profile.lastError()));
            return 1;
        }
    }
    return 0;
}
