// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/passthroughwristband.h"

#include "emulator/inquiryanswer.h"
#include "emulator/recordimage.h"

#include <algorithm>
#include <cstring>

namespace trek::emu {

namespace {

constexpr std::uint8_t InquiryOpcode = 0x12;
constexpr std::uint8_t VendorOpcode = 0xFE;
constexpr std::uint8_t ReadSettingsCommand = 0x00;
constexpr std::uint8_t WriteSettingsCommand = 0x01;
constexpr std::uint8_t ReadMemoryCommand = 0x02;
constexpr std::uint8_t EndCollectionCommand = 0x03;
constexpr std::uint8_t NextRecordCommand = 0x04;

constexpr int ClockOffset = 16;
constexpr int LastSetOffset = 24;
constexpr int HourModeOffset = 30;
constexpr int CorrectionOffset = 31;
constexpr int SpeedOffset = 32;
constexpr int DisplayOffset = 33;
constexpr int PictureOffset = 112;
constexpr int PictureSize = 40;

// Bytes the wristband takes over from a written block and answers back unchanged: hour mode,
// correction, speed, display entries, LED power (30..47), message (48..111), picture (112..151),
// sleep monitor (160..164) and the two kept flags (176).
struct Range
{
    int offset;
    int size;
};
constexpr std::array<Range, 4> KeptRanges{{{30, 18}, {48, 104}, {160, 5}, {176, 1}}};

void encodeTime(const QDateTime& time, char* out)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    out[0] = static_cast<char>(std::clamp(date.year() - 2000, 0, 255));
    out[1] = static_cast<char>(date.month());
    out[2] = static_cast<char>(date.day());
    out[3] = static_cast<char>(clock.hour());
    out[4] = static_cast<char>(clock.minute());
    out[5] = static_cast<char>(clock.second());
}

QDateTime decodeTime(const std::uint8_t* in)
{
    const QDate date(2000 + in[0], in[1], in[2]);
    const QTime clock(in[3], in[4], in[5]);
    if (!date.isValid() || !clock.isValid()) {
        return {};
    }
    return QDateTime(date, clock, Qt::UTC);
}

QByteArray defaultSettings()
{
    QByteArray settings(PassThroughWristband::SettingsSize, '\0');
    settings[HourModeOffset] = 0x24;
    settings[SpeedOffset] = 4;
    constexpr std::array<char, 10> ResetDisplay{6, 0, 6, 9, 10, 4, 9, 0, 0, 0};
    std::copy(ResetDisplay.begin(), ResetDisplay.end(), settings.begin() + DisplayOffset);
    std::fill_n(settings.begin() + PictureOffset, PictureSize, '\xff');
    return settings;
}

bool validStreamHeader(const QByteArray& block)
{
    return block[0] != 0 && block[1] != 0 && block[2] != 0 &&
           static_cast<std::uint8_t>(block[3]) < 24;
}

} // namespace

PassThroughWristband::PassThroughWristband(Model model, QByteArray image, ClockFunction hostNow)
    : m_model(model), m_modelLetter(describeModel(model).letter), m_image(std::move(image)),
      m_settings(defaultSettings()), m_clock(std::move(hostNow))
{}

void PassThroughWristband::loadImage(QByteArray image)
{
    m_image = std::move(image);
    m_hasNewData = true;
    m_streamPosition = 0;
}

void PassThroughWristband::restoreSettings(const QByteArray& settings)
{
    if (settings.size() == SettingsSize) {
        m_settings = settings;
    }
}

void PassThroughWristband::setClockCorrection(int secondsPerDay)
{
    m_settings[CorrectionOffset] = static_cast<char>(secondsPerDay);
    m_clock.setCorrection(static_cast<std::int8_t>(m_settings[CorrectionOffset]));
}

void PassThroughWristband::reconnect()
{
    m_gone = false;
    m_blocksUntilGone = -1;
    m_streamPosition = 0;
}

ScsiTarget::Outcome PassThroughWristband::execute(platform::PassThroughRequest& request)
{
    if (m_gone) {
        request.clearResults();
        return Outcome::DeviceGone;
    }
    const auto& cdb = request.cdb;
    const bool reads =
        request.direction == platform::DataDirection::FromDevice && request.data != nullptr;
    if (cdb[0] == InquiryOpcode) {
        return reads ? inquiry(request) : Refuse(request, sense::InvalidFieldInCdb);
    }
    if (cdb[0] != VendorOpcode) {
        return Refuse(request, sense::InvalidOpcode);
    }
    const bool readCommand =
        cdb[1] == ReadSettingsCommand || cdb[1] == ReadMemoryCommand || cdb[1] == NextRecordCommand;
    if (readCommand && !reads) {
        return Refuse(request, sense::InvalidFieldInCdb);
    }
    if (readCommand && m_failingReads > 0) {
        --m_failingReads;
        return Refuse(request, sense::UnrecoveredReadError);
    }
    switch (cdb[1]) {
    case ReadSettingsCommand:
        return readSettings(request);
    case WriteSettingsCommand:
        if (request.direction != platform::DataDirection::ToDevice || request.data == nullptr) {
            return Refuse(request, sense::InvalidFieldInCdb);
        }
        if (m_failingWrites > 0) {
            --m_failingWrites;
            return Refuse(request, sense::WriteError);
        }
        return writeSettings(request);
    case ReadMemoryCommand:
        return readMemoryBlock(request);
    case EndCollectionCommand:
        // Records that could not be remembered as taken would be offered again as new, so the
        // end fails and the wristband keeps them.
        if (m_endCollectionObserver && !m_endCollectionObserver()) {
            return Refuse(request, sense::WriteError);
        }
        m_hasNewData = false;
        m_streamPosition = 0;
        ++m_endCollections;
        return Answer(request, 0);
    case NextRecordCommand:
        return readStreamBlock(request);
    default:
        return Refuse(request, sense::InvalidFieldInCdb);
    }
}

ScsiTarget::Outcome PassThroughWristband::inquiry(platform::PassThroughRequest& request) const
{
    if ((request.cdb[1] & 0x01) != 0) {
        return Refuse(request, sense::InvalidFieldInCdb); // no vital product data pages
    }
    return Answer(request, CopyInquiry(WristbandInquiry(m_modelLetter, m_hasNewData), request.cdb,
                                       request.data, request.length));
}

ScsiTarget::Outcome PassThroughWristband::readSettings(platform::PassThroughRequest& request) const
{
    QByteArray block = m_settings;
    const QByteArray header = QByteArrayLiteral("Gaitronix K7") + m_modelLetter + " V1";
    std::copy(header.begin(), header.end(), block.begin());
    encodeTime(m_clock.now(), block.data() + ClockOffset);
    if (const auto lastSet = m_clock.lastSet()) {
        encodeTime(*lastSet, block.data() + LastSetOffset);
    }
    const auto count = std::min<std::uint32_t>(request.length, SettingsSize);
    std::memcpy(request.data, block.constData(), count);
    return Answer(request, count);
}

ScsiTarget::Outcome PassThroughWristband::writeSettings(platform::PassThroughRequest& request)
{
    if (request.length < SettingsSize) {
        return Refuse(request, sense::ParameterListLength);
    }
    const std::uint8_t* data = request.data;
    const QDateTime clock = decodeTime(data + ClockOffset);
    if (!clock.isValid()) {
        // a block with a bad clock is refused whole
        return Refuse(request, sense::InvalidFieldInParameters);
    }
    for (const Range& range : KeptRanges) {
        std::copy_n(data + range.offset, range.size, m_settings.begin() + range.offset);
    }
    m_clock.setCorrection(static_cast<std::int8_t>(data[CorrectionOffset]));
    m_clock.set(clock);
    if (m_settingsObserver) {
        m_settingsObserver();
    }
    return Answer(request, SettingsSize);
}

ScsiTarget::Outcome PassThroughWristband::deliverRecordBlock(const QByteArray& block,
                                                             platform::PassThroughRequest& request)
{
    const auto count = std::min<std::uint32_t>(request.length, RecordBlockSize);
    std::memcpy(request.data, block.constData(), count);
    ++m_recordBlocksRead;
    if (m_blocksUntilGone > 0 && --m_blocksUntilGone == 0) {
        m_gone = true; // this block still arrives; the next command finds no device
    }
    return Answer(request, count);
}

ScsiTarget::Outcome PassThroughWristband::readMemoryBlock(platform::PassThroughRequest& request)
{
    if (describeModel(m_model).access != RecordAccess::Memory) {
        return Refuse(request, sense::InvalidFieldInCdb);
    }
    // The block number is the fifth command byte; the others do not select anything.
    return deliverRecordBlock(ImageBlock(m_image, request.cdb[4]), request);
}

ScsiTarget::Outcome PassThroughWristband::readStreamBlock(platform::PassThroughRequest& request)
{
    if (describeModel(m_model).access != RecordAccess::Stream) {
        return Refuse(request, sense::InvalidFieldInCdb);
    }
    QByteArray block;
    if (m_endless) {
        block = endlessBlock(m_streamPosition);
    } else {
        block = ImageBlock(m_image, m_streamPosition); // zeros once the stream is exhausted
    }
    ++m_streamPosition;
    return deliverRecordBlock(block, request);
}

// The image's blocks without their end mark, then further blocks 12 hours apart that repeat the
// image's step values, so the stream stays valid for as long as anyone reads it.
QByteArray PassThroughWristband::endlessBlock(int index) const
{
    const int count = BlockCount(m_image);
    if (index < count) {
        QByteArray block = ImageBlock(m_image, index);
        block[K9ELayout::EndOffset] = 0;
        return block;
    }
    QByteArray block =
        count > 0 ? ImageBlock(m_image, index % count) : QByteArray(RecordBlockSize, '\0');
    const QByteArray last = count > 0 ? ImageBlock(m_image, count - 1) : QByteArray();
    QDateTime base(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    if (!last.isEmpty() && validStreamHeader(last)) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(last.constData());
        const QDate date(2000 + bytes[0], bytes[1], bytes[2]);
        if (date.isValid()) {
            base = QDateTime(date, QTime(bytes[3], 0), Qt::UTC);
        }
    }
    const QDateTime start = base.addSecs(qint64{12} * 3600 * (index - count + 1));
    block[0] = static_cast<char>(std::clamp(start.date().year() - 2000, 1, 255));
    block[1] = static_cast<char>(start.date().month());
    block[2] = static_cast<char>(start.date().day());
    block[3] = static_cast<char>(start.time().hour());
    block[K9ELayout::EndOffset] = 0;
    return block;
}

} // namespace trek::emu
