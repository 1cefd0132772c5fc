#pragma once

#include "settings/ReplyReader.h"
#include "settings/SettingCatalogue.h"

#include <array>
#include <cstdint>
#include <string>

namespace qm {

// Unit codes a conversion leaves behind (they decide the row's metric flag).
enum UnitCode : int {
    kUnitNone = -1,
    kUnitMm = 0,
    kUnitInch = 1,
    kUnitVolt = 10,
    kUnitDots = 11, // also the head check's first range
    kUnitSecondRange = 12,
};

// What a conversion depends on besides the line.
struct ConversionContext {
    int model = 0;
    int functionSelectCode = 255;    // FUNCTION SELECT of the whole text, 255 unknown
    bool secondRangeAllowed = false; // head check rows
    int ttColdHeatrateLimit = 10;
};

// A converted value, stored by the parser only when ok.
struct Converted {
    bool ok = false;
    int unitCode = kUnitNone;
    int32_t number = 0;
    std::array<uint8_t, 16> octets{};
    std::string text;
    bool wholeNumberForm = false; // VERTICAL IMAGE SHIFT on models where it is not a length
};

// The value conversions of the reply parser.
class ValueConverter {
public:
    // The number check for a wanted number of decimals (0, 1, 2): "-" only first, one "."
    // with a digit before it, decimals padded or cut when the cut digits are zeros; the
    // digits without the point as one number that must fit 16 bits. Returns true and the
    // number on success.
    static bool NumberCheck(std::string token, int decimals, int32_t& number);

    static Converted Convert(const ValueItem& row, const LineTokens& tokens,
                             const ConversionContext& context);

    // The range a numeric row checks against for a unit (metric or inch).
    static NumericRange RangeFor(const ValueItem& row, bool metric,
                                 const ConversionContext& context);
};

} // namespace qm
