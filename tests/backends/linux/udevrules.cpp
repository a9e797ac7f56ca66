// SPDX-License-Identifier: GPL-3.0-or-later
#include "udevrules.h"

#include <QHash>
#include <algorithm>
#include <fnmatch.h>
#include <libudev.h>
#include <optional>

namespace trek::test {

namespace {

enum class Attribute { None, Required, Optional };

struct KnownKey
{
    Attribute attribute;
    QStringList operators;
    QStringList attributes; // the only attributes allowed; empty: any
};

// The keys of udev(7) as systemd 252 reads them, with the operators it accepts for each.
const QHash<QString, KnownKey>& KnownKeys()
{
    const QStringList match{QStringLiteral("=="), QStringLiteral("!=")};
    const QStringList assign{QStringLiteral("="), QStringLiteral(":=")};
    const QStringList add = assign + QStringList{QStringLiteral("+=")};
    const QStringList all = match + add + QStringList{QStringLiteral("-=")};
    static const QHash<QString, KnownKey> keys{
        {QStringLiteral("ACTION"), {Attribute::None, match, {}}},
        {QStringLiteral("DEVPATH"), {Attribute::None, match, {}}},
        {QStringLiteral("KERNEL"), {Attribute::None, match, {}}},
        {QStringLiteral("KERNELS"), {Attribute::None, match, {}}},
        {QStringLiteral("SUBSYSTEM"), {Attribute::None, match, {}}},
        {QStringLiteral("SUBSYSTEMS"), {Attribute::None, match, {}}},
        {QStringLiteral("DRIVER"), {Attribute::None, match, {}}},
        {QStringLiteral("DRIVERS"), {Attribute::None, match, {}}},
        {QStringLiteral("TAGS"), {Attribute::None, match, {}}},
        {QStringLiteral("PROGRAM"), {Attribute::None, match, {}}},
        {QStringLiteral("RESULT"), {Attribute::None, match, {}}},
        {QStringLiteral("ATTRS"), {Attribute::Required, match, {}}},
        {QStringLiteral("CONST"),
         {Attribute::Required, match, {QStringLiteral("arch"), QStringLiteral("virt")}}},
        {QStringLiteral("TEST"), {Attribute::Optional, match, {}}},
        {QStringLiteral("ATTR"),
         {Attribute::Required, match + QStringList{QStringLiteral("=")}, {}}},
        {QStringLiteral("SYSCTL"),
         {Attribute::Required, match + QStringList{QStringLiteral("=")}, {}}},
        {QStringLiteral("ENV"), {Attribute::Required, match + add, {}}},
        {QStringLiteral("TAG"), {Attribute::None, all, {}}},
        {QStringLiteral("SYMLINK"), {Attribute::None, all, {}}},
        {QStringLiteral("NAME"), {Attribute::None, match + assign, {}}},
        {QStringLiteral("OWNER"), {Attribute::None, assign, {}}},
        {QStringLiteral("GROUP"), {Attribute::None, assign, {}}},
        {QStringLiteral("MODE"), {Attribute::None, assign, {}}},
        {QStringLiteral("OPTIONS"), {Attribute::None, add, {}}},
        {QStringLiteral("SECLABEL"), {Attribute::Required, add, {}}},
        {QStringLiteral("RUN"),
         {Attribute::Optional, add, {QStringLiteral("builtin"), QStringLiteral("program")}}},
        {QStringLiteral("IMPORT"),
         {Attribute::Required,
          match + QStringList{QStringLiteral("=")},
          {QStringLiteral("program"), QStringLiteral("builtin"), QStringLiteral("file"),
           QStringLiteral("db"), QStringLiteral("cmdline"), QStringLiteral("parent")}}},
        {QStringLiteral("LABEL"), {Attribute::None, {QStringLiteral("=")}, {}}},
        {QStringLiteral("GOTO"), {Attribute::None, {QStringLiteral("=")}, {}}},
    };
    return keys;
}

const QStringList Builtins{
    QStringLiteral("blkid"),    QStringLiteral("btrfs"),          QStringLiteral("hwdb"),
    QStringLiteral("input_id"), QStringLiteral("keyboard"),       QStringLiteral("kmod"),
    QStringLiteral("net_id"),   QStringLiteral("net_setup_link"), QStringLiteral("path_id"),
    QStringLiteral("uaccess"),  QStringLiteral("usb_id")};
const QStringList Actions{QStringLiteral("add"),    QStringLiteral("remove"),
                          QStringLiteral("change"), QStringLiteral("move"),
                          QStringLiteral("online"), QStringLiteral("offline"),
                          QStringLiteral("bind"),   QStringLiteral("unbind")};

// Operators longest first, so "==" is not read as "=".
const QStringList Operators{QStringLiteral("=="), QStringLiteral("!="), QStringLiteral("+="),
                            QStringLiteral("-="), QStringLiteral(":="), QStringLiteral("=")};

Failure LineFailure(int line, const QString& why)
{
    return fail(QStringLiteral("line %1: %2").arg(line).arg(why));
}

Result<UdevToken> ReadToken(const QString& text, qsizetype& at, int line)
{
    UdevToken token;
    const qsizetype keyStart = at;
    while (at < text.size() && (text[at].isUpper() || text[at] == u'_')) {
        ++at;
    }
    token.key = text.mid(keyStart, at - keyStart);
    if (at < text.size() && text[at] == u'{') {
        const qsizetype close = text.indexOf(u'}', at);
        if (close < 0) {
            return LineFailure(line, QStringLiteral("unclosed { after ") + token.key);
        }
        token.attribute = text.mid(at + 1, close - at - 1);
        at = close + 1;
    }
    for (const QString& op : Operators) {
        if (text.mid(at, op.size()) == op) {
            token.op = op;
            at += op.size();
            break;
        }
    }
    if (token.key.isEmpty() || token.op.isEmpty()) {
        return LineFailure(line,
                           QStringLiteral("no KEY and operator at \"%1\"").arg(text.mid(keyStart)));
    }
    if (at >= text.size() || text[at] != u'"') {
        return LineFailure(line, token.key + QStringLiteral(": the value needs double quotes"));
    }
    for (++at; at < text.size() && text[at] != u'"'; ++at) {
        if (text[at] == u'\\' && at + 1 < text.size()) {
            ++at;
        }
        token.value += text[at];
    }
    if (at >= text.size()) {
        return LineFailure(line, token.key + QStringLiteral(": the value's quote is not closed"));
    }
    ++at;
    return token;
}

Result<> CheckToken(const UdevToken& token, int line)
{
    const auto known = KnownKeys().constFind(token.key);
    if (known == KnownKeys().cend()) {
        return LineFailure(line, QStringLiteral("unknown key ") + token.key);
    }
    if (!known->operators.contains(token.op)) {
        return LineFailure(line, QStringLiteral("%1 does not take %2").arg(token.key, token.op));
    }
    if (token.attribute.isEmpty() ? known->attribute == Attribute::Required
                                  : known->attribute == Attribute::None) {
        return LineFailure(line, token.key + QStringLiteral(": attribute missing or not allowed"));
    }
    if (!token.attribute.isEmpty() && !known->attributes.isEmpty() &&
        !known->attributes.contains(token.attribute)) {
        return LineFailure(line, QStringLiteral("%1 has no {%2}").arg(token.key, token.attribute));
    }
    const bool builtin =
        (token.key == u"RUN" || token.key == u"IMPORT") && token.attribute == u"builtin";
    if (builtin && !Builtins.contains(token.value.section(u' ', 0, 0))) {
        return LineFailure(line, QStringLiteral("unknown builtin in \"%1\"").arg(token.value));
    }
    if (token.key == u"ACTION") {
        for (const QString& action : token.value.split(u'|')) {
            if (!Actions.contains(action)) {
                return LineFailure(line, QStringLiteral("unknown action ") + action);
            }
        }
    }
    return {};
}

Result<UdevRuleLine> ParseLine(const QString& text, int line)
{
    UdevRuleLine rule{line, {}};
    qsizetype at = 0;
    while (true) {
        Result<UdevToken> token = ReadToken(text, at, line);
        if (!token) {
            return fail(token.error());
        }
        if (Result<> checked = CheckToken(*token, line); !checked) {
            return fail(checked.error());
        }
        rule.tokens << *token;
        while (at < text.size() && text[at].isSpace()) {
            ++at;
        }
        if (at == text.size()) {
            return rule;
        }
        if (text[at] != u',') {
            return LineFailure(line, QStringLiteral("a comma must separate the keys"));
        }
        for (++at; at < text.size() && text[at].isSpace(); ++at) {
        }
    }
}

// Glob alternatives separated by '|', as udevd reads a match value.
bool Fits(const QString& value, const QString& pattern)
{
    const QByteArray subject = value.toUtf8();
    for (const QString& alternative : pattern.split(u'|')) {
        if (fnmatch(alternative.toUtf8().constData(), subject.constData(), 0) == 0) {
            return true;
        }
    }
    return false;
}

bool Compare(const UdevToken& token, const QString& value)
{
    return Fits(value, token.value) == (token.op == u"==");
}

QString Text(const char* value)
{
    return value != nullptr ? QString::fromUtf8(value) : QString();
}

// Attribute text as udevd compares it: the kernel's trailing newline and blanks dropped unless
// the pattern itself ends in a blank.
QString AttributeValue(udev_device* device, const UdevToken& token)
{
    QString value =
        Text(udev_device_get_sysattr_value(device, token.attribute.toUtf8().constData()));
    if (!token.value.endsWith(u' ')) {
        while (!value.isEmpty() && value.back().isSpace()) {
            value.chop(1);
        }
    }
    return value;
}

std::optional<bool> MatchOnDevice(const UdevToken& token, const QString& action,
                                  udev_device* device)
{
    if (token.key == u"ACTION") {
        return Compare(token, action);
    }
    if (token.key == u"SUBSYSTEM" || token.key == u"SUBSYSTEMS") {
        return Compare(token, Text(udev_device_get_subsystem(device)));
    }
    if (token.key == u"KERNEL" || token.key == u"KERNELS") {
        return Compare(token, Text(udev_device_get_sysname(device)));
    }
    if (token.key == u"DRIVER" || token.key == u"DRIVERS") {
        return Compare(token, Text(udev_device_get_driver(device)));
    }
    if (token.key == u"ATTR" || token.key == u"ATTRS") {
        return Compare(token, AttributeValue(device, token));
    }
    if (token.key == u"ENV") {
        return Compare(token, Text(udev_device_get_property_value(
                                  device, token.attribute.toUtf8().constData())));
    }
    return std::nullopt;
}

bool IsParentKey(const QString& key)
{
    return key == u"SUBSYSTEMS" || key == u"KERNELS" || key == u"DRIVERS" || key == u"ATTRS";
}

bool IsMatch(const UdevToken& token)
{
    return token.op == u"==" || token.op == u"!=";
}

bool HasLabel(const UdevRuleLine& rule, const QString& label)
{
    return std::any_of(rule.tokens.cbegin(), rule.tokens.cend(), [&](const UdevToken& token) {
        return token.key == u"LABEL" && token.value == label;
    });
}

} // namespace

Result<QList<UdevRuleLine>> ParseUdevRules(const QString& text)
{
    QList<UdevRuleLine> rules;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int first = static_cast<int>(i) + 1;
        QString joined = lines.at(i).trimmed();
        while (joined.endsWith(u'\\') && i + 1 < lines.size()) {
            joined.chop(1);
            joined += lines.at(++i).trimmed();
        }
        if (joined.isEmpty() || joined.startsWith(u'#')) {
            continue;
        }
        Result<UdevRuleLine> rule = ParseLine(joined, first);
        if (!rule) {
            return fail(rule.error());
        }
        rules << *rule;
    }
    // udevd jumps forward only: a label before its GOTO is never reached.
    for (qsizetype i = 0; i < rules.size(); ++i) {
        for (const UdevToken& token : rules.at(i).tokens) {
            if (token.key != u"GOTO") {
                continue;
            }
            const bool found =
                std::any_of(rules.cbegin() + i + 1, rules.cend(), [&](const UdevRuleLine& later) {
                    return HasLabel(later, token.value);
                });
            if (!found) {
                return LineFailure(
                    rules.at(i).lineNumber,
                    QStringLiteral("GOTO \"%1\" has no later LABEL").arg(token.value));
            }
        }
    }
    return rules;
}

UdevOutcome ApplyUdevRules(const QList<UdevRuleLine>& rules, const QString& action,
                           udev_device* device)
{
    UdevOutcome outcome;
    QString skipTo; // the label of the GOTO taken
    for (const UdevRuleLine& rule : rules) {
        if (!skipTo.isEmpty()) {
            if (!HasLabel(rule, skipTo)) {
                continue;
            }
            skipTo.clear();
        }
        bool matched = true;
        QList<UdevToken> parentKeys;
        for (const UdevToken& token : rule.tokens) {
            if (!IsMatch(token)) {
                continue;
            }
            if (IsParentKey(token.key)) {
                parentKeys << token;
                continue;
            }
            const std::optional<bool> fits = MatchOnDevice(token, action, device);
            if (!fits) {
                outcome.unhandled << token.key;
            }
            matched = matched && fits.value_or(false);
        }
        if (matched && !parentKeys.isEmpty()) {
            bool oneFitsAll = false;
            for (udev_device* up = device; up != nullptr && !oneFitsAll;
                 up = udev_device_get_parent(up)) {
                oneFitsAll =
                    std::all_of(parentKeys.cbegin(), parentKeys.cend(), [&](const auto& t) {
                        return MatchOnDevice(t, action, up).value_or(false);
                    });
            }
            matched = oneFitsAll;
        }
        if (!matched) {
            continue;
        }
        for (const UdevToken& token : rule.tokens) {
            if (token.key == u"TAG" && !IsMatch(token)) {
                outcome.tags << token.value;
            } else if (token.key == u"RUN") {
                const QString kind =
                    token.attribute.isEmpty() ? QStringLiteral("program") : token.attribute;
                outcome.runs << kind + u':' + token.value;
            } else if (token.key == u"GOTO") {
                skipTo = token.value;
            }
        }
    }
    return outcome;
}

} // namespace trek::test
