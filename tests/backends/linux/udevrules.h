// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>

struct udev_device;

namespace trek::test {

// One `KEY{attribute}OP"value"` of a rule line.
struct UdevToken
{
    QString key;
    QString attribute; // empty without braces
    QString op;        // ==, !=, =, +=, -= or :=
    QString value;
};

struct UdevRuleLine
{
    int lineNumber = 0; // of its first physical line in the file
    QList<UdevToken> tokens;
};

// Reads a rules file as udevd 252 does and rejects what it would refuse or ignore with a
// complaint: an unknown key, an operator the key does not take, a missing or unknown
// attribute, an unknown builtin or action, a GOTO without a later LABEL, broken quoting.
// Debian 12's udevadm has no `verify`, so this is the check the build has.
Result<QList<UdevRuleLine>> ParseUdevRules(const QString& text);

// What the rules did to one device.
struct UdevOutcome
{
    QStringList tags;      // TAG assignments, in order
    QStringList runs;      // "builtin:kmod load sg", "program:/bin/true"
    QStringList unhandled; // match keys this evaluator cannot judge; must stay empty
};

// Runs the rules over `device` for `action` the way udevd matches: the keys without a trailing
// S look at the device itself, the ones with it (ATTRS, SUBSYSTEMS, KERNELS, DRIVERS) must all
// fit one and the same device on the way up to the root; ATTR values lose their trailing blanks
// and newline as the kernel's attributes do in udevd.
UdevOutcome ApplyUdevRules(const QList<UdevRuleLine>& rules, const QString& action,
                           udev_device* device);

} // namespace trek::test
