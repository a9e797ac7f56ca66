// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/driveoption.h"

namespace trek::platform {

namespace {

Failure failure(const QString& text, const QString& reason)
{
    return fail(QStringLiteral("Invalid drive \"%1\": %2.").arg(text, reason));
}

} // namespace

Result<DriveOption> parseDriveOption(const QString& text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return failure(text, QStringLiteral("expected LETTER=DIR, LETTER=k7:IMAGE or "
                                            "LETTER=k9e:IMAGE"));
    }
    if (equals != 1) {
        return failure(text, QStringLiteral("the drive must be one letter from D to Z, or *"));
    }
    DriveOption option;
    const QChar letter = text.at(0).toUpper();
    if (letter == QLatin1Char(DriveOption::NoLetter)) {
        option.letter = DriveOption::NoLetter;
    } else if (letter >= QLatin1Char('D') && letter <= QLatin1Char('Z')) {
        option.letter = letter.toLatin1();
    } else {
        return failure(text, QStringLiteral("the drive must be one letter from D to Z, or *"));
    }

    QString target = text.mid(2);
    const QString k7 = QStringLiteral("k7:");
    const QString k9e = QStringLiteral("k9e:");
    if (target.startsWith(k7, Qt::CaseInsensitive)) {
        option.kind = DriveOption::Kind::K7;
        target = target.mid(k7.size());
    } else if (target.startsWith(k9e, Qt::CaseInsensitive)) {
        option.kind = DriveOption::Kind::K9E;
        target = target.mid(k9e.size());
    }
    if (target.isEmpty()) {
        return failure(text, option.isPassThrough() ? QStringLiteral("the image file is missing")
                                                    : QStringLiteral("the folder is missing"));
    }
    if (option.letter == DriveOption::NoLetter && !option.isPassThrough()) {
        return failure(text, QStringLiteral("a drive without a letter must be an emulated "
                                            "wristband (*=k7:IMAGE or *=k9e:IMAGE)"));
    }
    option.path = target;
    return option;
}

} // namespace trek::platform
