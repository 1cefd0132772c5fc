#pragma once

#include <string>
#include <string_view>

namespace qm {

// The settings record keeps an IPv6 address as sixteen decimal byte values joined by commas
// ("0,0,...,0,1"); the Standard page shows it as eight groups of four lower-case hexadecimal
// digits joined by colons ("0000:0000:...:0001"), without compressing zero groups.

// Record form to display form. A text that already holds colon groups (the reply parser stores
// received addresses that way) is normalised to four digits per group instead of being read as
// bytes. In the comma form a missing field counts as 0 and a field is read as a decimal number
// (leading digits only, like atoi; each byte keeps its low eight bits).
std::u16string Ipv6ToDisplay(std::u16string_view stored);

// Display form back to the record form. The text must hold exactly eight colon-separated groups of
// one to four hexadecimal digits (blanks around the text are ignored); otherwise the text is
// returned unchanged so that the configuration check marks the item instead of sending a wrong
// address.
std::u16string Ipv6FromDisplay(std::u16string_view display);

} // namespace qm
