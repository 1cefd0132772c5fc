#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// A dotted quad: splitting at every '.' gives exactly four fields, each non-empty, made only of
// decimal digits, with a value of at most 255. "192.168.0.256" and "1.2.3" are not.
bool IsDottedQuad(std::u16string_view text);
bool IsDottedQuad(std::string_view text);

// a.b.c.d -> (a << 24) | (b << 16) | (c << 8) | d, each field by decimal conversion (for the
// main window's address control). Only meaningful for a dotted quad.
uint32_t DottedQuadToValue(std::u16string_view text);

// The address a connection uses: a dotted quad as it is, otherwise the first IPv4 address the
// name resolves to, formatted "%d.%d.%d.%d". False when the name is empty or does not resolve.
bool AddressToDottedQuad(std::u16string_view address, std::string& dotted);

// The TCP port text converted as a decimal number (leading digits, like atoi); 0 when the text
// starts with no digit or the number exceeds 65535.
int PortNumberFromText(std::u16string_view text);

} // namespace qm
