#include "settings/ValueConverter.h"

#include "settings/ModelTable.h"

#include <limits>

namespace qm {
namespace {

constexpr int32_t kCounterMax = 9999999;

bool InRange(int32_t value, NumericRange range) {
    return value >= range.min && value <= range.max;
}

bool InRange(int32_t value, int min, int max) {
    return value >= min && value <= max;
}

bool PrintableAscii(const std::string& text, bool noQuoteComma) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
        if (noQuoteComma && (c == '"' || c == ',')) {
            return false;
        }
    }
    return true;
}

Converted Fail() {
    return Converted{};
}

Converted Number(int32_t number, int unitCode = kUnitNone) {
    Converted c;
    c.ok = true;
    c.number = number;
    c.unitCode = unitCode;
    return c;
}

// A whole number against a range (integer kind).
Converted WholeNumber(const std::string& token, NumericRange range) {
    int32_t n = 0;
    if (!ValueConverter::NumberCheck(token, 0, n) || !InRange(n, range)) {
        return Fail();
    }
    return Number(n);
}

Converted ConvertLength(const ValueItem& row, const LineTokens& t, const ConversionContext& ctx) {
    int decimals = 1;
    int unit = kUnitNone;
    const std::string& unitToken = t.Upper(2);
    if (t.count > 2) {
        if (unitToken == "MM") {
            unit = kUnitMm;
        } else if (unitToken == "INCH") {
            unit = kUnitInch;
            decimals = 2;
        } else if (unitToken == "V") {
            unit = kUnitVolt;
        } else if (unitToken == "DOTS") {
            unit = kUnitDots;
        }
    }
    const bool metric = unit == kUnitMm || unit == kUnitNone;
    int32_t n = 0;
    if (!ValueConverter::NumberCheck(t.Upper(1), decimals, n)) {
        return Fail();
    }
    if (row.rule == RangeRule::kPaperPosition) {
        // The range follows the FUNCTION SELECT of the same text (any line order).
        const NumericRange wideMetric{0, 508}, wideInch{0, 200};
        const NumericRange centredMetric{-254, 254}, centredInch{-100, 100};
        const int f = ctx.functionSelectCode;
        const bool rewind = f == 4;
        if (f == 0 || (rewind && ModelTable::AllowsRewind(ctx.model))) {
            return InRange(n, metric ? wideMetric : wideInch) ? Number(n, unit) : Fail();
        }
        if (rewind || f == 255) {
            if (InRange(n, metric ? centredMetric : centredInch) ||
                InRange(n, metric ? wideMetric : wideInch)) {
                return Number(n, unit);
            }
            return Fail();
        }
        return InRange(n, metric ? centredMetric : centredInch) ? Number(n, unit) : Fail();
    }
    return InRange(n, ValueConverter::RangeFor(row, metric, ctx)) ? Number(n, unit) : Fail();
}

Converted ConvertVoltage(const ValueItem& row, const LineTokens& t, const ConversionContext& ctx) {
    const bool volts = t.count > 2 && t.Upper(2) == "V";
    // Always read in hundredths of a volt: the pages write levels without the unit ("2.85"),
    // and such a value must read back as the same voltage it was written as.
    int32_t n = 0;
    if (!ValueConverter::NumberCheck(t.Upper(1), 2, n)) {
        return Fail();
    }
    if (!InRange(n, ValueConverter::RangeFor(row, true, ctx))) {
        return Fail();
    }
    return Number(n, volts ? kUnitVolt : kUnitNone);
}

Converted ConvertAddress(const LineTokens& t, int octetCount) {
    // Exactly the fields of the address: a field more is refused, also past the token limit.
    if (t.count != octetCount + 1 || t.moreTokens) {
        return Fail();
    }
    Converted c;
    for (int i = 0; i < octetCount; ++i) {
        int32_t n = 0;
        if (!ValueConverter::NumberCheck(t.Upper(i + 1), 0, n) || !InRange(n, 0, 255)) {
            return Fail();
        }
        c.octets[static_cast<size_t>(i)] = static_cast<uint8_t>(n);
    }
    c.ok = true;
    return c;
}

Converted ConvertText(const ValueItem& row, const LineTokens& t) {
    // The whole value, not just its first token: a name such as "CAFE,GUEST" or "LAB:2" must not
    // arrive cut to "CAFE" or "LAB" (and be sent back so); the character rules below still
    // refuse a comma where the printer does not take one.
    const std::string value = t.WholeValue(row.text == TextRule::kPrintableUpper);
    if (value.size() > row.maxLength) {
        return Fail();
    }
    if (row.text != TextRule::kAny &&
        !PrintableAscii(value, row.text == TextRule::kPrintableNoQuoteComma)) {
        return Fail();
    }
    Converted c;
    c.ok = true;
    c.text = value;
    return c;
}

Converted ConvertDotCount(const ValueItem& row, const LineTokens& t, const ConversionContext& ctx) {
    std::string token;
    if (row.rule == RangeRule::kHeadCheckPosition) {
        if (t.Upper(1) != "DOT") {
            return Fail();
        }
        token = t.Upper(2);
    } else {
        token = t.Upper(1);
    }
    int32_t n = 0;
    if (!ValueConverter::NumberCheck(token, 0, n)) {
        return Fail();
    }
    int firstMin = row.metric.min, firstMax = row.metric.max;
    int secondMin = 1, secondMax = 1240;
    if (row.rule == RangeRule::kHeadCheckPosition) {
        const HeadCheckRanges r = ModelTable::HeadCheckRangesFor(ctx.model);
        firstMin = r.firstMin;
        firstMax = r.firstMax;
        secondMin = r.secondMin;
        secondMax = r.secondMax;
    }
    if (InRange(n, firstMin, firstMax)) {
        return Number(n, kUnitDots);
    }
    if (ctx.secondRangeAllowed && InRange(n, secondMin, secondMax)) {
        return Number(n, kUnitSecondRange);
    }
    return Fail();
}

Converted ConvertCounter(const LineTokens& t) {
    const std::string& token = t.Upper(1);
    int64_t n = 0;
    int digits = 0;
    for (char c : token) {
        if (c == ' ') {
            continue;
        }
        if (c < '0' || c > '9') {
            return Fail();
        }
        n = n * 10 + (c - '0');
        ++digits;
        if (n > kCounterMax) {
            return Fail();
        }
    }
    if (digits == 0) {
        return Fail();
    }
    return Number(static_cast<int32_t>(n));
}

Converted ConvertOnOffWord(const ValueItem& row, const LineTokens& t) {
    const std::string& token = t.Upper(1);
    if (token.size() > row.maxLength) {
        return Fail();
    }
    if (token == "ON") {
        return Number(1);
    }
    if (token == "OFF") {
        return Number(0);
    }
    return Fail();
}

Converted ConvertSymbolSet(const LineTokens& t) {
    const std::string& token = t.Original(1);
    if (token.size() != 2) {
        return Fail();
    }
    const int code = SettingCatalogue::SymbolSetCode(token);
    return code < 0 ? Fail() : Number(code);
}

Converted ConvertRfidPower(const ValueItem& row, const LineTokens& t) {
    std::string token = t.Upper(1);
    if (token.size() > 4 && token.ends_with(" DBM")) {
        token.resize(token.size() - 4);
    }
    return WholeNumber(token, row.metric);
}

Converted ConvertRfidText(const ValueItem& row, const LineTokens& t, bool withUnit) {
    std::string value = t.Original(1);
    if (withUnit && t.count > 2) {
        value += ' ';
        value += t.Original(2);
    }
    if (value.size() > row.maxLength) {
        return Fail();
    }
    Converted c;
    c.ok = true;
    c.text = std::move(value);
    return c;
}

} // namespace

bool ValueConverter::NumberCheck(std::string token, int decimals, int32_t& number) {
    // 1. "-" only as the first character; one "." at most, with something before it.
    const size_t start = (!token.empty() && token[0] == '-') ? 1 : 0;
    const size_t point = token.find('.');
    if (token.find('-', 1) != std::string::npos) {
        return false;
    }
    if (point != std::string::npos) {
        if (token.find('.', point + 1) != std::string::npos || point <= start) {
            return false;
        }
    }
    // A value without any digit (empty, "-", "-.") is refused before padding can turn it
    // into a zero.
    if (token.find_first_of("0123456789") == std::string::npos) {
        return false;
    }
    // 2./3. Bring the decimals to the wanted count.
    if (decimals == 0) {
        if (point != std::string::npos) {
            return false;
        }
    } else if (point == std::string::npos) {
        token += '.';
        token.append(static_cast<size_t>(decimals), '0');
    } else {
        const size_t have = token.size() - point - 1;
        if (have < static_cast<size_t>(decimals)) {
            token.append(static_cast<size_t>(decimals) - have, '0');
        } else if (have > static_cast<size_t>(decimals)) {
            const size_t keep = point + 1 + static_cast<size_t>(decimals);
            for (size_t i = keep; i < token.size(); ++i) {
                if (token[i] != '0') {
                    return false;
                }
            }
            token.resize(keep);
        }
    }
    // 4. Digits only (besides "-" and "."), at least one, fitting 16 bits.
    int64_t value = 0;
    int digits = 0;
    for (size_t i = start; i < token.size(); ++i) {
        const char c = token[i];
        if (c == '.') {
            continue;
        }
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
        ++digits;
        if (value > 32768) {
            return false;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (start == 1) {
        value = -value;
    }
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        return false;
    }
    number = static_cast<int32_t>(value);
    return true;
}

NumericRange ValueConverter::RangeFor(const ValueItem& row, bool metric,
                                      const ConversionContext& ctx) {
    switch (row.rule) {
    case RangeRule::kPrintDarkness:
        return ModelTable::IsEltronVariant(ctx.model) ? NumericRange{0, 15} : NumericRange{0, 30};
    case RangeRule::kStandbyTimer:
        return ModelTable::HasLongStandbyTimer(ctx.model) ? NumericRange{1, 1440}
                                                          : NumericRange{1, 99};
    case RangeRule::kPaperEndLevel:
        return ModelTable::HasHighPaperEndLevel(ctx.model) ? NumericRange{1, 330}
                                                           : NumericRange{1, 300};
    case RangeRule::kTtColdHeatrate: {
        const auto limit = static_cast<int16_t>(ctx.ttColdHeatrateLimit);
        return NumericRange{static_cast<int16_t>(-limit), limit};
    }
    default:
        return metric ? row.metric : row.inch;
    }
}

Converted ValueConverter::Convert(const ValueItem& row, const LineTokens& t,
                                  const ConversionContext& ctx) {
    switch (row.convert) {
    case ConvertKind::kInteger:
        return WholeNumber(t.Upper(1), RangeFor(row, true, ctx));
    case ConvertKind::kOneDecimal: {
        int32_t n = 0;
        if (!NumberCheck(t.Upper(1), 1, n) || !InRange(n, RangeFor(row, true, ctx))) {
            return Fail();
        }
        return Number(n);
    }
    case ConvertKind::kLength:
        if (row.rule == RangeRule::kVerticalImageShift &&
            !ModelTable::HasLengthVerticalImageShift(ctx.model)) {
            Converted c = WholeNumber(t.Upper(1), NumericRange{-120, 120});
            c.wholeNumberForm = true;
            return c;
        }
        return ConvertLength(row, t, ctx);
    case ConvertKind::kVoltage:
        return ConvertVoltage(row, t, ctx);
    case ConvertKind::kIpv4:
        return ConvertAddress(t, 4);
    case ConvertKind::kIpv6:
        return ConvertAddress(t, 16);
    case ConvertKind::kText:
        return ConvertText(row, t);
    case ConvertKind::kDotCount:
        return ConvertDotCount(row, t, ctx);
    case ConvertKind::kCounter:
        return ConvertCounter(t);
    case ConvertKind::kOnOffWord:
        return ConvertOnOffWord(row, t);
    case ConvertKind::kSymbolSet:
        return ConvertSymbolSet(t);
    case ConvertKind::kRfidPower:
        return ConvertRfidPower(row, t);
    case ConvertKind::kRfidText:
        return ConvertRfidText(row, t, false);
    case ConvertKind::kRfidTextUnit:
        return ConvertRfidText(row, t, true);
    }
    return Fail();
}

} // namespace qm
