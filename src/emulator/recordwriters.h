// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/daysteps.h"
#include "platform/wristbandmodels.h"

#include <QByteArray>
#include <QString>

namespace trek::emu {

// The four forms in which a wristband hands over its steps, byte for byte.

// Text day file "YYYYMMDD.txt": one line "h:m~h:m steps" per run of walking minutes (CR LF).
QString TextDayFileName(const QDate& date);
QByteArray TextDayFile(const DaySteps& day);

// Binary day file "YYYYMMDD.KDX": six 512-byte blocks of four hours; 60 big-endian minute values
// per hour at (hour mod 4) * 120.
QString KdxDayFileName(const QDate& date);
QByteArray KdxDayFile(const DaySteps& day);

// K7 record memory: 64-byte hour records (year-2000, month, day, hour, 30 big-endian two-minute
// values), 8 to a block. The first region (blocks 8, 10, 12, 14) takes 32 records, the second
// (blocks 96, 98, ... 124) 120 more; only hours with steps are recorded. The PC reads the second
// region only when the first is empty, so history beyond 32 hours is written but not collected,
// and beyond 152 hours it no longer fits at all.
struct K7Image
{
    QByteArray bytes;
    int hoursWritten = 0;
    int hoursDropped = 0; // hours with steps that did not fit into the memory
};
K7Image MakeK7Image(const StepHistory& history);

// K9E record stream: one block per 12 hours (year-2000, month, day, first hour, 144
// little-endian five-minute values), byte 292 = 15 on the last block.
QByteArray MakeK9EImage(const StepHistory& history);

// The record image of any model, which every model has, and the hours with steps that did not
// fit into it.
struct ModelImage
{
    QByteArray bytes;
    int hoursDropped = 0;
};
ModelImage MakeRecordImage(WristbandModel model, const StepHistory& history);

// The model of an image that comes without one, as far as its bytes tell: the first model that
// recognises them, else the fallback model.
WristbandModel ModelOfImage(const QByteArray& image);

} // namespace trek::emu
