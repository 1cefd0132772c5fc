#include "discovery/NetworkPortRules.h"

#include "platform/TextFields.h"

#include "platform/Encoding.h"

#include <algorithm>
#include <vector>

namespace qm {
namespace {

std::u16string DecimalText(int32_t value) {
    return U16(std::to_string(value));
}

std::u16string AddressAndPort(std::u16string_view address, std::u16string_view port) {
    std::u16string text(address);
    text += u", ";
    text += port;
    return text;
}

std::u16string DecodeRecord(std::span<const uint8_t> property, size_t size, size_t portOffset,
                            size_t addressOffset) {
    std::vector<uint8_t> area(size, 0);
    std::copy(property.begin(), property.end(), area.begin());
    const uint32_t port = static_cast<uint32_t>(area[portOffset]) |
                          static_cast<uint32_t>(area[portOffset + 1]) << 8 |
                          static_cast<uint32_t>(area[portOffset + 2]) << 16 |
                          static_cast<uint32_t>(area[portOffset + 3]) << 24;
    std::u16string address;
    for (size_t i = addressOffset; i + 1 < size; i += 2) {
        const auto c = static_cast<char16_t>(area[i] | area[i + 1] << 8);
        if (c == 0) {
            break;
        }
        address += c;
    }
    // The port is printed as a signed decimal number, as the monitor's readers always did.
    return AddressAndPort(address, DecimalText(static_cast<int32_t>(port)));
}

} // namespace

int ClassifyNetworkPort(NetworkPortSource& source, std::u16string_view portName) {
    const std::vector<PortEntry> ports = source.Ports();
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortEntry& port) { return port.name == portName; });
    if (it == ports.end() || !it->monitor) {
        return kNetPortOther;
    }
    if (*it->monitor == kMakerTcpMonitor) {
        return kNetPortMaker;
    }
    if (*it->monitor == kSehTcpMonitor) {
        return kNetPortSeh;
    }
    const std::u16string text = ReadStandardTcpPort(source, portName);
    const std::vector<std::u16string_view> fields = SplitFields(text, u", ");
    if (fields.size() == 2 && !fields[0].empty() && IsDecimalDigits(fields[1])) {
        return kNetPortStandard;
    }
    return kNetPortOther;
}

std::u16string ReadStandardTcpPort(NetworkPortSource& source, std::u16string_view portName) {
    StandardTcpEntry entry;
    if (!source.StandardEntry(portName, entry)) {
        return {};
    }
    const std::u16string& address = entry.ipAddress.empty() ? entry.hostName : entry.ipAddress;
    const std::u16string port =
        entry.portNumber ? DecimalText(static_cast<int32_t>(*entry.portNumber)) : std::u16string();
    return AddressAndPort(address, port);
}

std::u16string ReadMakerTcpPort(NetworkPortSource& source, std::u16string_view portName) {
    std::optional<std::vector<uint8_t>> property;
    if (!source.MakerProperty(portName, property)) {
        return {};
    }
    if (!property) {
        return AddressAndPort(u"", u"");
    }
    return DecodeMakerProperty(*property);
}

std::u16string DecodeMakerProperty(std::span<const uint8_t> property) {
    if (property.size() <= kMakerPropertySmall) {
        return DecodeRecord(property, kMakerPropertySmall, kMakerSmallPortOffset,
                            kMakerSmallAddressOffset);
    }
    if (property.size() <= kMakerPropertyLarge) {
        return DecodeRecord(property, kMakerPropertyLarge, kMakerLargePortOffset,
                            kMakerLargeAddressOffset);
    }
    return AddressAndPort(u"", u"");
}

std::u16string SehPortDetail(std::u16string_view portName) {
    std::u16string text;
    for (char16_t c : portName) {
        if (c == u':') {
            text += u", ";
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace qm
