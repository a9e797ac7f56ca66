// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QDate>
#include <QString>

namespace trek {

// What a person can be. An entry outside these bounds is a slip of the keyboard (a height of
// -170 cm, a birthday in 2030), refused before it is stored, with the same sentence in the window
// and on the command line. The bounds are wide on purpose: they keep out nonsense, not people.
struct WholeRange
{
    int least;
    int most;
};

struct RealRange
{
    double least;
    double most;
};

namespace entryrange {
inline constexpr WholeRange HeightCentimetres{50, 272};
inline constexpr WholeRange HeightInches{20, 107}; // 1 foot 8 inches to 8 feet 11 inches
inline constexpr RealRange WeightKilograms{2.0, 650.0};
inline constexpr RealRange WeightPounds{4.4, 1433.0};
inline constexpr WholeRange StepCentimetres{10, 150};
inline constexpr WholeRange StepInches{4, 59};
inline constexpr int FirstBirthYear = 1900;
} // namespace entryrange

// Each check fails with one sentence in the interface language that names the field by its
// caption on the page (`field`) and gives the bounds, with `unit` after each.
[[nodiscard]] Result<> CheckWhole(int value, WholeRange range, const QString& field,
                                  const QString& unit);
[[nodiscard]] Result<> CheckReal(double value, RealRange range, const QString& field,
                                 const QString& unit);
// A height in whole inches, its bounds shown in feet and inches.
[[nodiscard]] Result<> CheckHeightInches(double inches, const QString& field,
                                         const QString& feetUnit, const QString& inchUnit);
// From the first of January of FirstBirthYear to `today`.
[[nodiscard]] Result<> CheckBirthday(QDate birthday, QDate today, const QString& field);
// The refusal of a number at or below 0 where only more than 0 makes sense (a target).
QString NotAboveZeroText(const QString& field);
[[nodiscard]] Result<> CheckNotNegative(int value, const QString& field);

} // namespace trek
