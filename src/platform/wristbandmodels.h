// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace trek {

// The pass-through wristband models, one row each, with what every layer needs to tell them
// apart. The layers above keep what they do with a model in a table of their own keyed by it:
// the record reader in data/passthroughreaders.cpp, the record image in
// emulator/recordwriters.cpp; each checks at compile time that it has a row for every model.
enum class WristbandModel {
    K7,
    K9E,
};

// How a model hands out its records: by block number from its record memory (vendor command
// FE 02), or block after block as a stream (FE 04).
enum class RecordAccess {
    Memory,
    Stream,
};

struct ModelDescriptor
{
    WristbandModel model;
    const char* name; // as people read it
    char letter;      // after the model code in its identification answer and settings block
    const char* word; // on the command line: "emulate make-image WORD", "--drive F=WORD:IMAGE"
    RecordAccess access;
};

inline constexpr std::array<ModelDescriptor, 2> WristbandModels{{
    {WristbandModel::K7, "K7", 'A', "k7", RecordAccess::Memory},
    {WristbandModel::K9E, "K9E", 'E', "k9e", RecordAccess::Stream},
}};

// The model of every letter no row names, and of an image nothing else recognises: a wristband
// that answers none of the stream models' letters keeps a record memory.
inline constexpr WristbandModel FallbackModel = WristbandModel::K7;

constexpr const ModelDescriptor& describeModel(WristbandModel model)
{
    for (const ModelDescriptor& row : WristbandModels) {
        if (row.model == model) {
            return row;
        }
    }
    return WristbandModels.front(); // every value has its row
}

constexpr WristbandModel modelOfLetter(char letter)
{
    for (const ModelDescriptor& row : WristbandModels) {
        if (row.letter == letter) {
            return row.model;
        }
    }
    return FallbackModel;
}

// The model whose word this is, exactly as written.
std::optional<WristbandModel> modelOfWord(const QString& word);
// The models' words in the order of the table.
QStringList modelWords();

// Whether a layer's table of rows with a `model` field has one for every model.
template <typename Rows> constexpr bool coversEveryModel(const Rows& rows)
{
    for (const ModelDescriptor& descriptor : WristbandModels) {
        bool found = false;
        for (const auto& row : rows) {
            found = found || row.model == descriptor.model;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

// The record layouts the readers of the data layer and the emulator's writers share.

// The record memory: 64-byte hour records, 8 to a 512-byte block, in two regions of every second
// block; the second region holds records only on wristbands whose first one was never used.
struct K7Layout
{
    struct Region
    {
        int first;
        int last;
        constexpr int blocks() const { return (last - first) / 2 + 1; }
    };
    static constexpr int RecordBytes = 64;
    static constexpr int RecordsPerBlock = 8;
    static constexpr Region FirstRegion{8, 14};
    static constexpr Region SecondRegion{96, 124};
};

// The record stream: one 512-byte block per 12 hours; the last one carries the end mark.
struct K9ELayout
{
    static constexpr int EndOffset = 292;
    static constexpr std::uint8_t EndMark = 15;
};

} // namespace trek
