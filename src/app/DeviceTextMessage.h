#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The private message 0x465 that the USB open posts to the main window carries a text in the
// form of a device path. Split at "#", a text of exactly five fields whose second field splits at
// "&" into exactly two parts yields its fifth field as the device text (shown in static 1119,
// which holds at most 10 characters); any other text yields nothing and changes nothing.
inline constexpr unsigned kDeviceTextMessage = 0x465;
inline constexpr size_t kDeviceTextLimit = 10;

std::optional<std::u16string> DeviceTextFromMessage(std::u16string_view posted);

} // namespace qm
