#include "discovery/NetworkPortRules.h"

#include "discovery/CupsPortSource.h"

#include <gtest/gtest.h>

#include <map>

namespace qm {
namespace {

// Port data held in maps, standing in for the print system.
class TablePortSource : public NetworkPortSource {
public:
    std::vector<PortEntry> ports;
    std::map<std::u16string, StandardTcpEntry> standard;
    std::map<std::u16string, std::optional<std::vector<uint8_t>>> maker;

    std::vector<PortEntry> Ports() override { return ports; }
    bool StandardEntry(std::u16string_view name, StandardTcpEntry& entry) override {
        auto it = standard.find(std::u16string(name));
        if (it == standard.end()) {
            return false;
        }
        entry = it->second;
        return true;
    }
    bool MakerProperty(std::u16string_view name,
                       std::optional<std::vector<uint8_t>>& property) override {
        auto it = maker.find(std::u16string(name));
        if (it == maker.end()) {
            return false;
        }
        property = it->second;
        return true;
    }
};

// A "Property" value of `size` bytes with the port and the address at the given offsets.
std::vector<uint8_t> PropertyBlob(size_t size, size_t portOffset, uint32_t port,
                                  size_t addressOffset, std::u16string_view address,
                                  bool terminate = true) {
    std::vector<uint8_t> blob(size, 0xAB);
    for (int i = 0; i < 4; ++i) {
        blob[portOffset + i] = static_cast<uint8_t>(port >> (8 * i));
    }
    size_t at = addressOffset;
    for (char16_t c : address) {
        blob[at++] = static_cast<uint8_t>(c & 0xFF);
        blob[at++] = static_cast<uint8_t>(c >> 8);
    }
    if (terminate) {
        blob[at] = 0;
        blob[at + 1] = 0;
    }
    return blob;
}

TEST(ClassifyNetworkPort, DecidesByTheMonitorOfTheFirstPortWithThatName) {
    TablePortSource source;
    source.ports = {{u"IP_10.0.0.5", std::u16string(kStandardTcpMonitor)},
                    {u"KV_1", std::u16string(kMakerTcpMonitor)},
                    {u"192.168.1.5:9100", std::u16string(kSehTcpMonitor)},
                    {u"NoMonitor", std::nullopt},
                    {u"KV_1", std::u16string(kSehTcpMonitor)}, // later duplicate is ignored
                    {u"HostOnly", u"Other Monitor"},
                    {u"NoPort", std::u16string(kStandardTcpMonitor)},
                    {u"BadPort", std::u16string(kStandardTcpMonitor)},
                    {u"NoEntry", std::u16string(kStandardTcpMonitor)}};
    source.standard[u"IP_10.0.0.5"] = {u"10.0.0.5", u"", 9100u};
    source.standard[u"HostOnly"] = {u"", u"printer01", 9100u};
    source.standard[u"NoPort"] = {u"10.0.0.6", u"", std::nullopt};
    source.standard[u"BadPort"] = {u"10, 0", u"", 9100u}; // three fields once joined

    EXPECT_EQ(ClassifyNetworkPort(source, u"IP_10.0.0.5"), kNetPortStandard);
    EXPECT_EQ(ClassifyNetworkPort(source, u"KV_1"), kNetPortMaker);
    EXPECT_EQ(ClassifyNetworkPort(source, u"192.168.1.5:9100"), kNetPortSeh);
    EXPECT_EQ(SehPortDetail(u"192.168.1.5:9100"), u"192.168.1.5, 9100");
    EXPECT_EQ(ClassifyNetworkPort(source, u"NoMonitor"), kNetPortOther);
    // Any monitor other than the two named ones goes by the standard entry.
    EXPECT_EQ(ClassifyNetworkPort(source, u"HostOnly"), kNetPortStandard);
    EXPECT_EQ(ReadStandardTcpPort(source, u"HostOnly"), u"printer01, 9100");
    // An entry without a port number reads "10.0.0.6, " and is not usable.
    EXPECT_EQ(ReadStandardTcpPort(source, u"NoPort"), u"10.0.0.6, ");
    EXPECT_EQ(ClassifyNetworkPort(source, u"NoPort"), kNetPortOther);
    EXPECT_EQ(ClassifyNetworkPort(source, u"BadPort"), kNetPortOther);
    EXPECT_EQ(ClassifyNetworkPort(source, u"NoEntry"), kNetPortOther);
    EXPECT_EQ(ReadStandardTcpPort(source, u"NoEntry"), u"");
    EXPECT_EQ(ClassifyNetworkPort(source, u"Missing"), kNetPortOther);
    EXPECT_EQ(ClassifyNetworkPort(source, u"ip_10.0.0.5"), kNetPortOther); // exact names only
}

TEST(ReadMakerTcpPort, DecodesBothRecordSizes) {
    TablePortSource source;
    source.maker[u"small"] = PropertyBlob(1232, 972, 9100, 1118, u"192.168.10.20");
    source.maker[u"large"] = PropertyBlob(1248, 984, 6101, 1130, u"printer-7");
    source.maker[u"huge"] = PropertyBlob(1300, 984, 6101, 1130, u"printer-7");
    source.maker[u"unreadable"] = std::nullopt;
    EXPECT_EQ(ReadMakerTcpPort(source, u"small"), u"192.168.10.20, 9100");
    EXPECT_EQ(ReadMakerTcpPort(source, u"large"), u"printer-7, 6101");
    EXPECT_EQ(ReadMakerTcpPort(source, u"huge"), u", ");
    EXPECT_EQ(ReadMakerTcpPort(source, u"unreadable"), u", ");
    EXPECT_EQ(ReadMakerTcpPort(source, u"absent"), u"");
}

TEST(DecodeMakerProperty, StaysInsideTheRecord) {
    // An address without its NUL ends at the end of the 1232-byte area.
    const std::u16string longName(57, u'x');
    EXPECT_EQ(DecodeMakerProperty(PropertyBlob(1232, 972, 1, 1118, longName, false)),
              longName + u", 1");
    // A short value reads as zeros beyond its end.
    const std::vector<uint8_t> tiny(10, 0x41);
    EXPECT_EQ(DecodeMakerProperty(tiny), u", 0");
    // The port is printed as a signed 32-bit number.
    EXPECT_EQ(DecodeMakerProperty(PropertyBlob(1232, 972, 0xFFFFFFFFu, 1118, u"a")), u"a, -1");
    // A value one byte over the small size is read as the large record.
    EXPECT_EQ(DecodeMakerProperty(PropertyBlob(1233, 984, 7, 1130, u"b")), u"b, 7");
}

TEST(CupsPortSource, NetworkUrisAreStandardMonitorPorts) {
    CupsPortSource source({"socket://10.1.2.3:9101", "socket://printer01", "lpd://host:515/q",
                           "ipp://host/printers/x", "socket://[fe80::1]:9100", "usb://A/B",
                           "socket://host:91x0"});
    const std::vector<PortEntry> ports = source.Ports();
    ASSERT_EQ(ports.size(), 7u);
    EXPECT_EQ(ports[0].monitor, std::u16string(kStandardTcpMonitor));
    EXPECT_EQ(ports[5].monitor, std::u16string(kLocalPortMonitor));

    EXPECT_EQ(ReadStandardTcpPort(source, u"socket://10.1.2.3:9101"), u"10.1.2.3, 9101");
    EXPECT_EQ(ReadStandardTcpPort(source, u"socket://printer01"), u"printer01, 9100");
    EXPECT_EQ(ClassifyNetworkPort(source, u"lpd://host:515/q"), kNetPortStandard);
    EXPECT_EQ(ClassifyNetworkPort(source, u"ipp://host/printers/x"), kNetPortOther);
    EXPECT_EQ(ReadStandardTcpPort(source, u"socket://[fe80::1]:9100"), u"fe80::1, 9100");
    EXPECT_EQ(ClassifyNetworkPort(source, u"usb://A/B"), kNetPortOther);
    EXPECT_EQ(ClassifyNetworkPort(source, u"socket://host:91x0"), kNetPortOther);
    std::optional<std::vector<uint8_t>> property;
    EXPECT_FALSE(source.MakerProperty(u"socket://printer01", property));
}

} // namespace
} // namespace qm
