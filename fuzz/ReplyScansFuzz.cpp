// The scans of single replies: DetectEmulationCode, HasRfidSection, ParseMachineInfo and
// ParseRfidCalibrationInfo give values from their ranges and only what the reply holds.

#include "FuzzSupport.h"

using namespace qm;

namespace {

template <size_t N>
void CheckValues(const std::array<std::u16string, N>& values, const std::string& reply,
                 const char* what) {
    for (const std::u16string& value : values) {
        const std::string bytes = WideToAnsi(value);
        fuzz::Check(bytes.size() <= 39, what, "a value longer than 39 bytes");
        fuzz::Check(reply.find(bytes) != std::string::npos, what,
                    "a value not in the reply: " + bytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string reply =
        AnsiToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string bytes = WideToAnsi(reply);
    const int code = DetectEmulationCode(reply);
    fuzz::Check(code >= 0 && code <= 3, "the emulation code is 0-3");
    if (code != 0) {
        fuzz::Check(bytes.find("MACHINE EMULATION CODE") != std::string::npos,
                    "an emulation code comes from its line");
    }
    const int rfid = HasRfidSection(reply);
    fuzz::Check(rfid == 0 || rfid == 1, "the RFID check is 0 or 1");
    if (rfid) {
        fuzz::Check(bytes.find("RFID SETTINGS") != std::string::npos,
                    "an RFID section comes from its line");
    }
    CheckValues(ParseMachineInfo(reply).values, bytes, "machine information values");
    CheckValues(ParseRfidCalibrationInfo(reply).values, bytes, "RFID calibration values");
    return 0;
}
