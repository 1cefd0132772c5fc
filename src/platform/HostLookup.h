#pragma once

#include <string>
#include <string_view>

namespace qm {

// Resolves a host name to its first IPv4 address, formatted "%d.%d.%d.%d". False (dotted left
// untouched) when the name is empty, contains a NUL or does not resolve.
bool ResolveHostToDottedQuad(std::string_view host, std::string& dotted);

} // namespace qm
