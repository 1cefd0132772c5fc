#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qm {

// The binary image of the printer menu between parsing and the transfer into the record:
// one field per catalogue row, the seven calibration level slots and the sensor-adjustment
// result. The parser overwrites it field by field; a rejected value leaves its field as it was.
struct MenuImage {
    static constexpr int kEnumeratedFields = 85;
    static constexpr int kValueFields = 91;
    static constexpr int kRfidCalibrationFields = 3;

    // One value row's field. Numbers use `number` (16-bit rows keep to -32768..32767, byte rows
    // to 0..255, the counter to 32 bits); addresses use `octets`; texts use `text`, never
    // longer than the row's maximum.
    struct ValueField {
        int32_t number = 0;
        std::array<uint8_t, 16> octets{};
        std::string text;
    };

    std::array<uint8_t, kEnumeratedFields> codes{};
    std::array<ValueField, kValueFields> values{};
    std::array<ValueField, kRfidCalibrationFields> rfidCalibration{};
    int32_t verticalImageShiftDots = 0;         // the whole-number form of "VERTICAL IMAGE SHIFT"
    int32_t paperEndLevelTimesTen = 0;          // companion of "PAPER END LEVEL"
    std::array<int16_t, 8> calibrationLevels{}; // slots 1..7 (0 unused); sensor level copy in 0
    uint8_t sensorAdjustmentResult = 0;         // 0 SUCCEEDED, 1 FAILED
};

} // namespace qm
