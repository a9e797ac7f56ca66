// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QDate>
#include <QString>

namespace trek {

// The user's body data as the settings file keeps it: always metric integers.
struct PersonalValues
{
    int birthday = 20000201; // year * 10000 + month * 100 + day
    int height = 0;          // cm
    int weightGrams = 0;
    int stepSize = 0; // cm

    friend bool operator==(const PersonalValues&, const PersonalValues&) = default;
};

// The day a stored birthday names; invalid when it names none.
QDate BirthdayDate(int birthday);
int BirthdayNumber(QDate date);

// What the boxes of the personal information page hold. The metric form uses `height`, the
// imperial form `feet` and `inches`; the other stays empty.
struct PersonalTexts
{
    QDate birthday;
    QString height;
    QString feet;
    QString inches;
    QString weight;
    QString step;

    friend bool operator==(const PersonalTexts&, const PersonalTexts&) = default;
};

// The boxes filled from the stored values in the given units (any non-zero unit mode is
// imperial): centimetres, kilograms with one decimal; or feet and inches, pounds with one decimal.
PersonalTexts FillTexts(const PersonalValues& values, int unitMode);

// The values a Save stores from the boxes as `typed`, given what Fill put in them (`shown`).
// A box still holding Fill's text, or no number at all, keeps its stored value, so switching
// units and saving changes nothing. A typed number goes through the conversion of its units.
// Fails, naming the box, on a number or a converted value that does not fit a stored integer,
// and on a typed entry no person can have (app/entryranges.h; a birthday after `today`).
Result<PersonalValues> SavedValues(const PersonalValues& stored, int unitMode,
                                   const PersonalTexts& shown, const PersonalTexts& typed,
                                   QDate today);

} // namespace trek
