// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wristbandmodels.h"

namespace trek {

std::optional<WristbandModel> modelOfWord(const QString& word)
{
    for (const ModelDescriptor& row : WristbandModels) {
        if (word == QLatin1String(row.word)) {
            return row.model;
        }
    }
    return std::nullopt;
}

QStringList modelWords()
{
    QStringList words;
    for (const ModelDescriptor& row : WristbandModels) {
        words << QLatin1String(row.word);
    }
    return words;
}

} // namespace trek
