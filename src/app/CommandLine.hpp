#pragma once

#include <functional>
#include <string>

namespace larkspan {

// An address given on the command line as the program hands it on. The platform reads
// every argument without a scheme as a file name; "example.com/page" is meant as a web
// address, so an argument that names no existing file and has neither a scheme nor a
// path's leading "/", "." or "~" gets "http://" in front. Everything else is unchanged.
std::string commandLineAddress(const std::string& argument,
                               const std::function<bool(const std::string&)>& fileExists);

}  // namespace larkspan
