#pragma once

#include <QString>

namespace trek {

// The sentences that refuse an entry no person can have, in the three languages of the text
// table. They came after its fixed rows, so they are kept here rather than as rows of it. Each
// has the printf fields of FillText: the field's caption first, then the bounds.
enum class RefusalText {
    OutsideRange, // "%s must be between %s and %s."
    NotAboveZero, // "%s must be above 0."
    Negative,     // "%s must be 0 or more."
};

// The text in the given language index (1 Traditional, 2 Simplified, anything else English).
QString GetRefusalText(RefusalText text, int languageIndex);

} // namespace trek
