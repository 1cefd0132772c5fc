#include "connection/SerialSettings.h"

#include "platform/Encoding.h"
#include "platform/TextFields.h"

#include <vector>

namespace qm {
namespace {

// Decimal conversion of the leading digits (as a C text-to-integer conversion would do it);
// saturates instead of overflowing.
uint32_t LeadingNumber(std::u16string_view text) {
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > 0xFFFFFFFFu) {
            return 0xFFFFFFFFu;
        }
    }
    return static_cast<uint32_t>(value);
}

std::u16string Number(uint32_t value) {
    return U16(std::to_string(value));
}

} // namespace

std::u16string FormatComSet(const SerialSettings& settings) {
    static constexpr std::u16string_view kParityLetters[] = {u"N", u"O", u"E", u"M", u"S"};
    std::u16string text = Number(settings.baudRate) + u" " + Number(settings.dataBits) + u" ";
    text += StopBitsText(settings.stopBits);
    text += u" ";
    text += kParityLetters[settings.parity <= 4 ? settings.parity : 4];
    text += u" ";
    text += settings.flow;
    return text;
}

int ReadComSet(std::u16string_view text, SerialSettings& settings) {
    std::vector<std::u16string_view> tokens = SplitFields(text, u" ");
    if (tokens.size() != 5) {
        return 0;
    }
    if (IsDecimalDigits(tokens[0])) {
        settings.baudRate = LeadingNumber(tokens[0]);
    }
    if (IsDecimalDigits(tokens[1])) {
        settings.dataBits = static_cast<uint8_t>(LeadingNumber(tokens[1]));
    }
    std::u16string stop = ToHalfWidth(tokens[2]);
    std::u16string parity = AsciiUpper(ToHalfWidth(tokens[3]));
    std::u16string flow = AsciiUpper(ToHalfWidth(tokens[4]));
    if (stop == u"1") {
        settings.stopBits = 0;
    } else if (stop == u"1.5") {
        settings.stopBits = 1;
    } else if (stop == u"2") {
        settings.stopBits = 2;
    }
    static constexpr std::u16string_view kParityLetters[] = {u"N", u"O", u"E", u"M", u"S"};
    for (uint8_t code = 0; code < 5; ++code) {
        if (parity == kParityLetters[code]) {
            settings.parity = code;
        }
    }
    if (flow == u"H" || flow == u"X" || flow == u"N") {
        settings.flow = flow;
    }
    return 1;
}

std::u16string_view StopBitsText(uint8_t code) {
    switch (code) {
    case 0:
        return u"1";
    case 1:
        return u"1.5";
    default:
        return u"2";
    }
}

std::u16string_view ParityName(uint8_t code) {
    static constexpr std::u16string_view kNames[] = {u"None", u"Odd", u"Even", u"Mark", u"Space"};
    return kNames[code <= 4 ? code : 4];
}

std::u16string_view FlowName(std::u16string_view flow) {
    if (flow == u"H") {
        return u"Hardware";
    }
    if (flow == u"X") {
        return u"Xon/Xoff";
    }
    return u"None";
}

std::u16string FormatSerialFields(const SerialSettings& settings) {
    std::u16string text = Number(settings.baudRate) + u", " + Number(settings.dataBits) + u", ";
    text += StopBitsText(settings.stopBits);
    text += u", ";
    text += ParityName(settings.parity);
    text += u", ";
    text += FlowName(settings.flow);
    return text;
}

std::u16string FormatSerialDescription(std::u16string_view port, const SerialSettings& settings) {
    std::u16string text;
    for (char16_t c : port) {
        if (c != u':') {
            text += c;
        }
    }
    return text + u", " + FormatSerialFields(settings);
}

int ParseSerialSettings(std::u16string_view text, SerialSettings& settings) {
    std::vector<std::u16string_view> fields = SplitFields(text, u", ");
    if (fields.size() != 5) {
        return 0;
    }
    settings.baudRate = LeadingNumber(fields[0]);
    settings.dataBits = static_cast<uint8_t>(LeadingNumber(fields[1]));
    settings.stopBits = fields[2] == u"1" ? 0 : fields[2] == u"1.5" ? 1 : 2;
    static constexpr std::u16string_view kNames[] = {u"None", u"Odd", u"Even", u"Mark"};
    settings.parity = 4;
    for (uint8_t code = 0; code < 4; ++code) {
        if (fields[3] == kNames[code]) {
            settings.parity = code;
        }
    }
    settings.flow = fields[4] == u"Hardware" ? u"H" : fields[4] == u"Xon/Xoff" ? u"X" : u"N";
    return 1;
}

ComDialogSelection ComSelectionFromSettings(const SerialSettings& settings) {
    ComDialogSelection selection;
    switch (settings.baudRate) {
    case 9600:
        selection.baud = 0;
        break;
    case 19200:
        selection.baud = 1;
        break;
    case 38400:
        selection.baud = 2;
        break;
    case 57600:
        selection.baud = 3;
        break;
    default:
        selection.baud = 4;
        break;
    }
    selection.dataBits = settings.dataBits == 7 ? 0 : 1;
    selection.stopBits = settings.stopBits == 0 ? 0 : 1;
    selection.parity = settings.parity == 2 ? 2 : settings.parity == 1 ? 1 : 0;
    selection.flow = settings.flow == u"X" ? 0 : settings.flow == u"H" ? 1 : 2;
    return selection;
}

SerialSettings ComSettingsFromDialog(const ComDialogTexts& texts, const ComDialogWords& words) {
    SerialSettings settings;
    settings.baudRate = LeadingNumber(texts.baud);
    settings.dataBits = static_cast<uint8_t>(LeadingNumber(texts.dataBits));
    settings.stopBits = texts.stopBits == u"1" ? 0 : 2;
    settings.parity = texts.parity == words.none ? 0 : texts.parity == words.odd ? 1 : 2;
    settings.flow = texts.flow == words.hardware ? u"H" : texts.flow == words.xonXoff ? u"X" : u"N";
    return settings;
}

} // namespace qm
