// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/driveoption.h"

namespace trek::platform {

namespace {

Failure failure(const QString& text, const QString& reason)
{
    return fail(QStringLiteral("Invalid drive \"%1\": %2.").arg(text, reason));
}

// "a, b or c", the forms being `before` and then `form` filled in with each model's word.
QString forms(QStringList before, const QString& form)
{
    for (const QString& word : modelWords()) {
        before << form.arg(word);
    }
    const QString last = before.takeLast();
    return before.isEmpty() ? last
                            : before.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace

Result<DriveOption> parseDriveOption(const QString& text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return failure(text,
                       QStringLiteral("expected ") + forms({QStringLiteral("LETTER=DIR")},
                                                           QStringLiteral("LETTER=%1:IMAGE")));
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
    for (const ModelDescriptor& row : WristbandModels) {
        const QString prefix = QLatin1String(row.word) + QLatin1Char(':');
        if (target.startsWith(prefix, Qt::CaseInsensitive)) {
            option.model = row.model;
            target = target.mid(prefix.size());
            break;
        }
    }
    if (target.isEmpty()) {
        return failure(text, option.isPassThrough() ? QStringLiteral("the image file is missing")
                                                    : QStringLiteral("the folder is missing"));
    }
    if (option.letter == DriveOption::NoLetter && !option.isPassThrough()) {
        return failure(text, QStringLiteral("a drive without a letter must be an emulated "
                                            "wristband (%1)")
                                 .arg(forms({}, QStringLiteral("*=%1:IMAGE"))));
    }
    option.path = target;
    return option;
}

} // namespace trek::platform
