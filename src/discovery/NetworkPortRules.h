#pragma once

#include "discovery/NetworkPortSource.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qm {

// Classification of a queue's port by its monitor.
inline constexpr int kNetPortOther = 0;
inline constexpr int kNetPortMaker = 1;    // the maker's TCP/IP port monitor
inline constexpr int kNetPortStandard = 2; // a usable standard TCP/IP entry
inline constexpr int kNetPortSeh = 3;      // the "SEH TCP/IP Port" monitor

// The two sizes of the maker monitor's "Property" record and where the TCP port number (32-bit
// little endian) and the address (NUL-terminated UTF-16LE) sit in each.
inline constexpr size_t kMakerPropertySmall = 1232;
inline constexpr size_t kMakerSmallPortOffset = 972;
inline constexpr size_t kMakerSmallAddressOffset = 1118;
inline constexpr size_t kMakerPropertyLarge = 1248;
inline constexpr size_t kMakerLargePortOffset = 984;
inline constexpr size_t kMakerLargeAddressOffset = 1130;

// The first port whose name equals `portName` exactly decides: no such port or no monitor 0;
// the maker's monitor 1; "SEH TCP/IP Port" 3; otherwise 2 when the standard monitor's text for
// the port splits at ", " into exactly two fields, the first non-empty and the second made only
// of decimal digits (and not empty), else 0.
int ClassifyNetworkPort(NetworkPortSource& source, std::u16string_view portName);

// "address, port" from the standard monitor's entry: the IP address, or the host name when the
// address is empty, ", ", and the port number in decimal (empty when the entry has none).
// Empty text when the port has no entry.
std::u16string ReadStandardTcpPort(NetworkPortSource& source, std::u16string_view portName);

// "address, port" from the maker monitor's "Property" record (empty parts when the value cannot
// be read); empty text when the port has no entry.
std::u16string ReadMakerTcpPort(NetworkPortSource& source, std::u16string_view portName);

// Decodes a "Property" value as the maker monitor stores it. A value of up to 1232 bytes is read
// as the small record (port at 972, address at 1118), one of up to 1248 bytes as the large
// record (984, 1130); bytes past the value's end count as zero; the address ends at its NUL or
// at the end of the record. A larger value gives ", " (both parts empty).
std::u16string DecodeMakerProperty(std::span<const uint8_t> property);

// The "SEH TCP/IP Port" detail: the port name with every ":" replaced by ", "
// ("192.168.1.5:9100" gives "192.168.1.5, 9100").
std::u16string SehPortDetail(std::u16string_view portName);

} // namespace qm
