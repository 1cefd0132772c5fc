#pragma once

#include <string_view>

namespace qm::sim {

// The print commands the printer knows, by command language. A command is a message of its
// own: the printer acts on it as soon as it has come, whatever follows it.
struct PrintCommand {
    std::string_view bytes;
    std::string_view kind;
    std::string_view language; // empty: the language the printer runs (Zebra and Eltron share it)
};

inline constexpr PrintCommand kPrintCommands[] = {
    {"~WC\n", "self-test", "zebra"},
    {"U\n", "self-test", "eltron"},
    {std::string_view("\x02Z\r\n", 4), "self-test", "native"},
    {"~!Q4\n", "sample", ""},
    {std::string_view("\x02\x1bQ4\r\n", 6), "sample", "native"},
};

} // namespace qm::sim
