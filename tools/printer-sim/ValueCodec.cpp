#include "ValueCodec.h"

#include <cctype>
#include <cmath>

namespace qm::sim {

namespace {

constexpr size_t kMaxTextLength = 64;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<std::string> OctetList(std::string_view text, size_t count) {
    std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != count) {
        return std::nullopt;
    }
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::optional<long> v = ParseFixed(parts[i], 0);
        if (!v || *v < 0 || *v > 255 || parts[i].empty() || parts[i][0] == '-') {
            return std::nullopt;
        }
        out += (i ? "," : "") + std::to_string(*v);
    }
    return out;
}

long RoundDiv(double value) {
    return std::lround(value);
}

} // namespace

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            out.emplace_back(text.substr(start));
            return out;
        }
        out.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::optional<long> ParseFixed(std::string_view text, int decimals) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long whole = 0;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 100000000L) {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    long fraction = 0;
    int fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (fractionDigits < decimals) {
                fraction = fraction * 10 + (text[i] - '0');
                ++fractionDigits;
            } else if (text[i] != '0') {
                return std::nullopt;
            }
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    for (; fractionDigits < decimals; ++fractionDigits) {
        fraction *= 10;
    }
    long scale = 1;
    for (int d = 0; d < decimals; ++d) {
        scale *= 10;
    }
    long value = whole * scale + fraction;
    return negative ? -value : value;
}

std::string FormatFixed(long scaled, int decimals) {
    long scale = 1;
    for (int d = 0; d < decimals; ++d) {
        scale *= 10;
    }
    long magnitude = scaled < 0 ? -scaled : scaled;
    std::string out = scaled < 0 ? "-" : "";
    out += std::to_string(magnitude / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % scale);
        out += "." + std::string(static_cast<size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return out;
}

std::optional<std::string> NormaliseValue(const MenuKey& row,
                                          const std::vector<std::string>& tokens) {
    if (tokens.empty() || tokens[0].empty()) {
        return std::nullopt;
    }
    const std::string& value = tokens[0];
    switch (row.form) {
    case ValueForm::kChoice:
        return Upper(value);
    case ValueForm::kInt:
    case ValueForm::kCounter: {
        std::optional<long> v = ParseFixed(value, 0);
        if (!v || (row.form == ValueForm::kCounter && *v < 0)) {
            return std::nullopt;
        }
        return std::to_string(*v);
    }
    case ValueForm::kDec1:
    case ValueForm::kVolt1: {
        std::optional<long> v = ParseFixed(value, 1);
        return v ? std::optional<std::string>(FormatFixed(*v, 1)) : std::nullopt;
    }
    case ValueForm::kVolt2: {
        std::optional<long> v = ParseFixed(value, 2);
        return v ? std::optional<std::string>(FormatFixed(*v, 2)) : std::nullopt;
    }
    case ValueForm::kLength: {
        std::string unit = tokens.size() > 1 ? Upper(tokens[1]) : "MM";
        if (unit != "MM" && unit != "INCH") {
            return std::nullopt;
        }
        int decimals = unit == "MM" ? 1 : 2;
        std::optional<long> v = ParseFixed(value, decimals);
        if (!v) {
            return std::nullopt;
        }
        return FormatFixed(*v, decimals) + "\t" + unit;
    }
    case ValueForm::kIpv4:
        return OctetList(value, 4);
    case ValueForm::kIpv6:
        return OctetList(value, 16);
    case ValueForm::kText:
        if (value.size() > kMaxTextLength) {
            return std::nullopt;
        }
        return value;
    case ValueForm::kDot: {
        // "DOT\t848" as the program writes it; a bare number is accepted as well.
        std::string number = value;
        if (Upper(value) == "DOT") {
            if (tokens.size() < 2) {
                return std::nullopt;
            }
            number = tokens[1];
        }
        std::optional<long> v = ParseFixed(number, 0);
        if (!v || *v < 1) {
            return std::nullopt;
        }
        return std::to_string(*v);
    }
    }
    return std::nullopt;
}

std::optional<long> StoredLengthTenthsMm(std::string_view stored) {
    std::vector<std::string> parts = Split(stored, '\t');
    bool inch = parts.size() > 1 && parts[1] == "INCH";
    std::optional<long> v = ParseFixed(parts[0], inch ? 2 : 1);
    if (!v) {
        return std::nullopt;
    }
    return inch ? RoundDiv(static_cast<double>(*v) * 2.54) : *v;
}

std::string RenderValue(const MenuKey& row, std::string_view stored, bool inch) {
    switch (row.form) {
    case ValueForm::kVolt1:
    case ValueForm::kVolt2:
        return std::string(stored) + "\tV";
    case ValueForm::kDot:
        return "DOT\t" + std::string(stored);
    case ValueForm::kLength: {
        std::vector<std::string> parts = Split(stored, '\t');
        bool storedInch = parts.size() > 1 && parts[1] == "INCH";
        std::optional<long> v = ParseFixed(parts[0], storedInch ? 2 : 1);
        if (!v) {
            return std::string(stored);
        }
        if (inch) {
            long hundredths = storedInch ? *v : RoundDiv(static_cast<double>(*v) / 2.54);
            return FormatFixed(hundredths, 2) + "\tINCH";
        }
        long tenths = storedInch ? RoundDiv(static_cast<double>(*v) * 2.54) : *v;
        return FormatFixed(tenths, 1) + "\tMM";
    }
    default:
        return std::string(stored);
    }
}

} // namespace qm::sim
