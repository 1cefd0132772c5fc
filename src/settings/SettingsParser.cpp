#include "settings/SettingsParser.h"

#include "platform/Encoding.h"
#include "settings/EntrySource.h"
#include "settings/ModelTable.h"
#include "settings/ReplyReader.h"
#include "settings/SettingCatalogue.h"
#include "settings/ValueConverter.h"
#include "settings/ValueText.h"

#include <optional>
#include <string>
#include <string_view>

namespace qm {
namespace {

using Table = EntrySource::Table;

const int kFunctionSelectRow = SettingCatalogue::FindEnumeratedRow("FUNCTION SELECT");
const int kPrintMethodRow = SettingCatalogue::FindEnumeratedRow("PRINT METHOD");
const int kPrintSpeedRow = SettingCatalogue::FindEnumeratedRow("PRINT SPEED");
const int kBuzzerRow = SettingCatalogue::FindEnumeratedRow("BUZZER SELECT");
const int kBaudRow = SettingCatalogue::FindEnumeratedRow("RS-232C BAUD");
const int kEmulationSelectRow = SettingCatalogue::FindEnumeratedRow("EMULATION SELECT");
const int kMachineEmulationRow = SettingCatalogue::FindEnumeratedRow("MACHINE EMULATION CODE");
const int kRibbonEndRow = SettingCatalogue::FindEnumeratedRow("RIBBON END DETECTION");
const int kPaperEndLevelRow = SettingCatalogue::FindValueRow("PAPER END LEVEL");
const int kSerialNumberRow = SettingCatalogue::FindValueRow("SERIAL NUMBER");
const int kStartPosRow = SettingCatalogue::FindValueRow("HEAD CHECK START POS");
const int kStopPosRow = SettingCatalogue::FindValueRow("HEAD CHECK STOP POS");
const int kPatternWidthRow = SettingCatalogue::FindValueRow("HEAD CHECK PATTERN WIDTH");
const int kPaperPositionRow = SettingCatalogue::FindValueRow("PAPER POSITION");

constexpr int kCodeZebra = 1;
constexpr int kCodeEpl = 2;
constexpr int kRewindCode = 4;

size_t Index(int i) {
    return static_cast<size_t>(i);
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

void SetMetricFromUnit(RowFlags& flags, const ValueItem& row, const Converted& c) {
    switch (c.unitCode) {
    case kUnitMm:
    case kUnitSecondRange:
        flags.metric = 1;
        break;
    case kUnitInch:
    case kUnitDots:
        flags.metric = 0;
        break;
    case kUnitNone:
        // A length without a unit was checked against the metric range: it is metric.
        if (row.convert == ConvertKind::kLength && !c.wholeNumberForm) {
            flags.metric = 1;
        }
        break;
    default:
        break;
    }
}

// The display text of a value row's field, or of 0 in the same format for a rejected value.
std::u16string FormatValue(const ValueItem& row, const MenuImage::ValueField& field, int metric,
                           bool zero) {
    const int32_t n = zero ? 0 : field.number;
    switch (row.convert) {
    case ConvertKind::kOneDecimal:
        return ValueText::Fixed(n, 1);
    case ConvertKind::kVoltage:
        return ValueText::Fixed(n, 2);
    case ConvertKind::kLength:
        if (row.calibrationSlot == 0) { // SENSOR LEVEL: tenths of a volt
            return ValueText::Fixed(n, 1);
        }
        return metric ? ValueText::Fixed(n, 1) : ValueText::Fixed(n, 2);
    case ConvertKind::kIpv4:
        return zero ? u"0.0.0.0" : ValueText::Ipv4(field.octets);
    case ConvertKind::kIpv6:
        return ValueText::Ipv6(zero ? std::array<uint8_t, 16>{} : field.octets);
    case ConvertKind::kText:
    case ConvertKind::kRfidText:
    case ConvertKind::kRfidTextUnit:
        return zero ? std::u16string() : AnsiToWide(field.text);
    case ConvertKind::kOnOffWord:
        return zero ? std::u16string() : (n != 0 ? u"ON" : u"OFF");
    case ConvertKind::kSymbolSet:
        return zero ? std::u16string() : AnsiToWide(SettingCatalogue::SymbolSetText(n));
    default: // integer, dot count, counter, RFID power
        return ValueText::Fixed(n, 0);
    }
}

bool IsListValue(const ValueItem& row) {
    return row.convert == ConvertKind::kOnOffWord || row.convert == ConvertKind::kSymbolSet;
}

// Stores one value row's transfer into an item.
void TransferValue(SettingValue& item, const ValueItem& row, const MenuImage::ValueField& field,
                   const RowFlags& flags, int fromOutside) {
    if (flags.bad) {
        item.error = 1;
    }
    if (!fromOutside) {
        return;
    }
    item.ticked = 1;
    item.value = FormatValue(row, field, flags.metric, flags.bad != 0);
    if (row.convert == ConvertKind::kLength || row.convert == ConvertKind::kDotCount) {
        item.metric = flags.metric;
    }
    if (IsListValue(row)) {
        item.choice = flags.bad ? 0 : field.number;
    }
}

// List index of a code for the RS-232C BAUD row (codes 1, 2, 3, 5, 7, 8, 9 -> 0..6).
int RankOfCode(const SettingItem& row, int code) {
    int rank = 0;
    for (const Choice& c : row.choices.choices) {
        if (c.code < code) {
            ++rank;
        }
    }
    return rank;
}

} // namespace

SettingsParser::SettingsParser(const SettingsOptions& options) : options_(options) {}

int SettingsParser::CalibrationResult() const {
    if (!flags_.sensorAdjustment.received || flags_.sensorAdjustment.bad) {
        return -1;
    }
    return image_.sensorAdjustmentResult;
}

int SettingsParser::ParseSettings(SettingsRecord& record, int fromOutside) {
    const int model = record.modelIndex;
    if (!ModelTable::IsValid(model)) {
        return 0;
    }
    flags_ = ParseFlags{};
    errorLine_ = ErrorLine{};
    if (fromOutside) {
        secondRange_ = {1, 1, 1};
    } else {
        secondRange_.startPos = record.Item(entry::kHeadCheckStartPos).metric;
        secondRange_.stopPos = record.Item(entry::kHeadCheckStopPos).metric;
        secondRange_.patternWidth = record.Item(entry::kHeadCheckPatternWidth).metric;
    }

    ReplyReader reader(record.text);
    std::string line;
    if (fromOutside) {
        reader.ReadLine(line);
        reader.ReadLine(line);
    }
    image_.codes[Index(kFunctionSelectRow)] = 255;
    paperPositionLines_.clear();

    while (reader.ReadLine(line) && !line.empty()) {
        if (line == "END" || line == "EXIT") {
            break;
        }
        const LineTokens tokens = LineTokens::Tokenise(line);
        if (tokens.count == 0) {
            break;
        }
        if (!MatchEnumerated(tokens, model) && !MatchValue(tokens, model) &&
            !MatchRfidCalibration(tokens, model)) {
            MatchRfidAlternative(tokens, model);
        }
    }
    // Now FUNCTION SELECT holds what the whole text says, as in the configuration sent from it.
    for (const LineTokens& tokens : paperPositionLines_) {
        StoreValue(kPaperPositionRow, tokens, model);
    }
    paperPositionLines_.clear();

    TransferEnumerated(record, fromOutside);
    TransferValues(record, fromOutside);
    TransferRfid(record, fromOutside);
    return 1;
}

bool SettingsParser::MatchEnumerated(const LineTokens& t, int model) {
    std::string_view key = t.Upper(0);
    if (key == "LCD STANDBY" && ModelTable::UsesLcdStandbyKey(model)) {
        key = "STANDBY MODE";
    }
    const int r = SettingCatalogue::FindEnumeratedRow(key);
    if (r < 0) {
        return false;
    }
    const SettingItem& row = SettingCatalogue::EnumeratedRows()[Index(r)];
    RowFlags& flags = flags_.enumerated[Index(r)];
    flags.received = 1;
    const std::string& value = t.Upper(1);
    for (const Choice& c : row.choices.choices) {
        if (UpperAscii(c.text) == value) {
            image_.codes[Index(r)] = static_cast<uint8_t>(c.code);
            return true;
        }
    }
    flags.bad = 1;
    return false;
}

bool SettingsParser::MatchValue(const LineTokens& t, int model) {
    const int r = SettingCatalogue::FindValueRow(t.Upper(0));
    if (r < 0) {
        return false;
    }
    if (r == kPaperPositionRow) {
        flags_.values[Index(r)].received = 1;
        paperPositionLines_.push_back(t);
        return true;
    }
    return StoreValue(r, t, model);
}

bool SettingsParser::StoreValue(int r, const LineTokens& t, int model) {
    const ValueItem& row = SettingCatalogue::ValueRows()[Index(r)];
    RowFlags& flags = flags_.values[Index(r)];
    flags.received = 1;
    ConversionContext ctx;
    ctx.model = model;
    ctx.functionSelectCode = image_.codes[Index(kFunctionSelectRow)];
    ctx.ttColdHeatrateLimit = options_.ttColdHeatrateLimit;
    if (r == kStartPosRow) {
        ctx.secondRangeAllowed = secondRange_.startPos != 0;
    } else if (r == kStopPosRow) {
        ctx.secondRangeAllowed = secondRange_.stopPos != 0;
    } else if (r == kPatternWidthRow) {
        ctx.secondRangeAllowed = secondRange_.patternWidth != 0;
    }
    const Converted c = ValueConverter::Convert(row, t, ctx);
    if (!c.ok) {
        flags.bad = 1;
        return false;
    }
    if (c.wholeNumberForm) {
        image_.verticalImageShiftDots = c.number;
    } else {
        MenuImage::ValueField& field = image_.values[Index(r)];
        field.number = c.number;
        field.octets = c.octets;
        field.text = c.text;
    }
    if (row.calibrationSlot >= 0) {
        image_.calibrationLevels[Index(row.calibrationSlot)] = static_cast<int16_t>(c.number);
    }
    if (r == kPaperEndLevelRow) {
        image_.paperEndLevelTimesTen = c.number * 10;
    }
    SetMetricFromUnit(flags, row, c);
    return true;
}

bool SettingsParser::MatchRfidCalibration(const LineTokens& t, int model) {
    const int r = SettingCatalogue::FindRfidCalibrationRow(t.Upper(0));
    if (r < 0) {
        return false;
    }
    RowFlags& flags = flags_.rfidCalibration[Index(r)];
    flags.received = 1;
    ConversionContext ctx;
    ctx.model = model;
    const Converted c =
        ValueConverter::Convert(SettingCatalogue::RfidCalibrationRows()[Index(r)], t, ctx);
    if (!c.ok) {
        flags.bad = 1;
        return false;
    }
    image_.rfidCalibration[Index(r)].text = c.text;
    return true;
}

bool SettingsParser::MatchRfidAlternative(const LineTokens& t, int model) {
    const int a = SettingCatalogue::FindRfidAlternativeRow(t.Upper(0));
    if (a < 0) {
        return false;
    }
    const int r = SettingCatalogue::RfidAlternativeRows()[Index(a)].primaryValueRow;
    const ValueItem& row = SettingCatalogue::ValueRows()[Index(r)];
    RowFlags& flags = flags_.rfidAlternative[Index(a)];
    flags.received = 1;
    ConversionContext ctx;
    ctx.model = model;
    const Converted c = ValueConverter::Convert(row, t, ctx);
    if (c.ok) {
        MenuImage::ValueField& field = image_.values[Index(r)];
        field.number = c.number;
        field.octets = c.octets;
        field.text = c.text;
        SetMetricFromUnit(flags, row, c);
    } else {
        flags.bad = 1;
    }
    // The primary row's item shows the value: its flags follow the line read last.
    flags_.values[Index(r)] = flags;
    return c.ok;
}

void SettingsParser::TransferEnumerated(SettingsRecord& record, int fromOutside) const {
    const int model = record.modelIndex;
    const auto rows = SettingCatalogue::EnumeratedRows();
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        const EntrySource source = EntrySource::Of(e, options_.fixReflectKeys);
        if (source.table != Table::kEnumerated) {
            continue;
        }
        const int r = source.row;
        const RowFlags& flags = flags_.enumerated[Index(r)];
        if (!flags.received) {
            continue;
        }
        const int code = image_.codes[Index(r)];
        bool bad = flags.bad != 0;
        int index = code;
        if (r == kBaudRow) {
            index = RankOfCode(rows[Index(r)], code);
        } else if (r == kFunctionSelectRow) {
            bad = bad || (code == kRewindCode && !ModelTable::AllowsRewind(model));
        } else if (r == kPrintSpeedRow) {
            const int method = image_.codes[Index(kPrintMethodRow)];
            bad = bad ||
                  code > ModelTable::MaxPrintSpeedCode(model, method, options_.japaneseInterface);
        } else if (r == kBuzzerRow) {
            bad = bad || (code > 4 && !ModelTable::OffersBuzzerOnOff(model));
        } else if (r == kEmulationSelectRow) {
            index = ModelTable::OffersEltronEmulation(model) ? code + 1 : code;
        } else if (r == kRibbonEndRow) {
            if (ModelTable::RibbonEndRuleFor(model) == RibbonEndRule::kQuickIsBad) {
                bad = bad || code == 0;
                index = code - 1;
            }
            // Models with QUICK in their list, and the models that do not show the item,
            // keep index = code, so a received "SLOW" is never sent back as another value.
        }
        SettingValue& item = record.Item(e);
        if (bad) {
            item.error = 1;
        }
        if (fromOutside) {
            item.ticked = 1;
            item.choice = bad ? 0 : index;
        }
    }

    // MACHINE EMULATION CODE selects the emulation entry when EMULATION SELECT did not.
    const RowFlags& mec = flags_.enumerated[Index(kMachineEmulationRow)];
    SettingValue& emulation = record.Item(entry::kEmulationSelect);
    if (fromOutside && mec.received && !mec.bad && !emulation.ticked) {
        const int code = image_.codes[Index(kMachineEmulationRow)];
        const bool eltron = ModelTable::OffersEltronEmulation(model);
        if (code == kCodeZebra) {
            emulation.ticked = 1;
            emulation.choice = eltron ? 1 : 0;
        } else if (code == kCodeEpl && eltron) {
            emulation.ticked = 1;
            emulation.choice = 0;
        }
    }
}

void SettingsParser::TransferValues(SettingsRecord& record, int fromOutside) const {
    const int model = record.modelIndex;
    const auto rows = SettingCatalogue::ValueRows();
    const bool lengthShift = ModelTable::HasLengthVerticalImageShift(model);
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        const EntrySource source = EntrySource::Of(e, options_.fixReflectKeys);
        if (source.table != Table::kValue) {
            continue;
        }
        const int r = source.row;
        const RowFlags& flags = flags_.values[Index(r)];
        if (!flags.received) {
            continue;
        }
        const ValueItem& row = rows[Index(r)];
        if (e == entry::kVerticalImageShiftLength && !lengthShift) {
            continue;
        }
        if (e == entry::kVerticalImageShiftDots) {
            if (lengthShift) {
                continue;
            }
            SettingValue& item = record.Item(e);
            if (flags.bad) {
                item.error = 1;
            }
            if (fromOutside) {
                item.ticked = 1;
                item.value = ValueText::Fixed(flags.bad ? 0 : image_.verticalImageShiftDots, 0);
            }
            continue;
        }
        TransferValue(record.Item(e), row, image_.values[Index(r)], flags, fromOutside);
    }

    // "SERIAL NUMBER" is the serial number that goes with "USB SERIAL NUMBER".
    const RowFlags& serial = flags_.values[Index(kSerialNumberRow)];
    if (serial.received) {
        SettingValue& item = record.Item(entry::kUsbSerialNumber);
        if (serial.bad) {
            item.error = 1;
        }
        if (fromOutside) {
            item.ticked = 1;
            item.value = serial.bad ? std::u16string()
                                    : AnsiToWide(image_.values[Index(kSerialNumberRow)].text);
        }
    }
}

void SettingsParser::TransferRfid(SettingsRecord& record, int fromOutside) const {
    const auto rows = SettingCatalogue::RfidCalibrationRows();
    for (int e = entry::kRfidCalibExecuted; e <= entry::kRfidCalibPower; ++e) {
        const EntrySource source = EntrySource::Of(e, options_.fixReflectKeys);
        if (source.table != Table::kRfidCalibration) {
            continue;
        }
        const RowFlags& flags = flags_.rfidCalibration[Index(source.row)];
        if (flags.received) {
            TransferValue(record.Item(e), rows[Index(source.row)],
                          image_.rfidCalibration[Index(source.row)], flags, fromOutside);
        }
    }
}

int SettingsParser::ParseCalibrationAnswer(const SettingsRecord& record) {
    flags_.sensorAdjustment = RowFlags{};
    errorLine_ = ErrorLine{};
    const SettingItem& answer = SettingCatalogue::SensorAdjustmentAnswer();
    ReplyReader reader(record.text, true);
    std::string line;
    while (reader.ReadLine(line)) {
        if (line.empty()) {
            continue;
        }
        if (line == "END" || line == "EXIT") {
            break;
        }
        const LineTokens t = LineTokens::Tokenise(line);
        if (t.count == 0) {
            continue;
        }
        if (t.Upper(0) == answer.key) {
            flags_.sensorAdjustment.received = 1;
            const int c = SettingCatalogue::FindChoice(answer, t.Upper(1));
            if (c >= 0) {
                image_.sensorAdjustmentResult =
                    static_cast<uint8_t>(answer.choices.choices[Index(c)].code);
                flags_.sensorAdjustment.bad = 0;
            } else {
                flags_.sensorAdjustment.bad = 1;
            }
        } else if (errorLine_.number == 0) {
            errorLine_.number = reader.LinesRead();
            errorLine_.text = line;
        }
    }
    return errorLine_.number != 0 ? 1 : 0;
}

// ---- scans of single replies ---------------------------------------------------------------

namespace {

// The first line before "END" that contains `text` (empty lines are skipped); nullopt when the
// reply has none.
std::optional<std::string> FindLineBeforeEnd(std::u16string_view reply, std::string_view text) {
    ReplyReader reader(reply, true);
    std::string line;
    while (reader.ReadLine(line)) {
        if (line.empty()) {
            continue;
        }
        if (line == "END") {
            return std::nullopt;
        }
        if (line.find(text) != std::string::npos) {
            return line;
        }
    }
    return std::nullopt;
}

} // namespace

int DetectEmulationCode(std::u16string_view reply) {
    const std::optional<std::string> line = FindLineBeforeEnd(reply, "MACHINE EMULATION CODE");
    if (!line) {
        return 0;
    }
    const LineTokens t = LineTokens::Tokenise(*line);
    const std::string& value = t.Upper(1);
    if (value == "CODE_ZEBRA") {
        return 1;
    }
    if (value == "CODE_EPL") {
        return 2;
    }
    if (value == "CODE_KORVANE") {
        return 3;
    }
    return 0;
}

int HasRfidSection(std::u16string_view reply) {
    return FindLineBeforeEnd(reply, "RFID SETTINGS") ? 1 : 0;
}

namespace {

constexpr size_t kInfoValueBytes = 39; // a 40-byte value with its terminator

// The byte position `count` characters after `from` (a UTF-8 character is a lead byte and its
// continuation bytes), at most the end of the text.
size_t SkipCharacters(std::string_view text, size_t from, size_t count) {
    for (; count > 0 && from < text.size(); --count) {
        ++from;
        while (from < text.size() && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) {
            ++from;
        }
    }
    return from;
}

template <size_t N>
std::array<std::u16string, N> ScanKeyTable(std::u16string_view reply,
                                           const std::array<std::string_view, N>& keys,
                                           size_t skipAfterKey) {
    std::array<std::u16string, N> values;
    ReplyReader reader(reply, true);
    std::string line;
    while (reader.ReadLine(line)) {
        if (line.empty()) {
            continue;
        }
        if (line == "END") {
            break;
        }
        for (size_t i = 0; i < N; ++i) {
            const size_t at = line.find(keys[i]);
            if (at == std::string::npos) {
                continue;
            }
            const size_t from = SkipCharacters(line, at + keys[i].size(), skipAfterKey);
            std::string rest = from < line.size() ? line.substr(from, kInfoValueBytes) : "";
            // A character cut by the 39-byte limit is left out rather than shown broken.
            rest.resize(Utf8PrefixLength(rest));
            values[i] = AnsiToWide(rest);
            break;
        }
    }
    return values;
}

} // namespace

MachineInfo ParseMachineInfo(std::u16string_view reply) {
    static constexpr std::array<std::string_view, 4> kKeys = {
        "Serial Number : ", "Print Counter Length ", "Service Counter Length ", "Cut Counter "};
    return MachineInfo{ScanKeyTable(reply, kKeys, 0)};
}

RfidCalibrationInfo ParseRfidCalibrationInfo(std::u16string_view reply) {
    static constexpr std::array<std::string_view, 3> kKeys = {
        "RFID CALIB EXECUTED", "RFID CALIB POSITION OFFSET", "RFID CALIB POWER"};
    return RfidCalibrationInfo{ScanKeyTable(reply, kKeys, 3)}; // the "\t:\t" after the key
}

} // namespace qm
