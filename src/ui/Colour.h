#pragma once

#include <cstdint>

namespace qm::ui {

// An RGB colour a dialog hands back for a colour request.
struct Colour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    constexpr bool operator==(const Colour&) const = default;
};

inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 128, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kBlack{0, 0, 0};

} // namespace qm::ui
