#pragma once

#include <string>

namespace larkspan {

// The host of a web address in lower case; empty for an address without one (a file, a
// built-in page, text that is no address).
std::string addressHost(const std::string& address);

}  // namespace larkspan
