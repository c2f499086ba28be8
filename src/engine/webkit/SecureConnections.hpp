#pragma once

// The rules of secure connections: which addresses are tried over https first, which hosts
// count as this machine, which failures of a secure attempt mean the site offers no secure
// connection, and which loads "Use secure connections only" stops.

#include <set>
#include <string>
#include <string_view>

typedef struct _GError GError;

namespace larkspan::engine {

// An address as typed, made ready to load. Text typed without a scheme ("example.com",
// "localhost:8080/x") is tried as https first; `fallback` is then the plain http address
// loaded when the secure one cannot be reached, and empty for every other address.
struct TypedAddress {
    std::string uri;
    std::string fallback;
};
TypedAddress typedAddress(const std::string& text);

// The host of an address in lower case, without the brackets of an IPv6 literal; empty
// when the address has none.
std::string hostOf(const std::string& address);

// Whether `host` names this machine: "localhost" and the names under it, 127.0.0.0/8, ::1.
bool isLoopbackHost(std::string_view host);

// Whether the failure of a load means that no secure connection could be made at all
// (refused, reset, timed out, or a handshake that failed or was given up), as opposed to a
// site that could not be found, a load the user stopped, or a site that answered with an
// error of its own.
bool failedToConnect(const GError* error);

// Whether "Use secure connections only" stops the load of `address`: a plain http address
// whose host is neither this machine nor one of `allowedHosts` (let through for this run).
bool refusedAsInsecure(const std::string& address, const std::set<std::string>& allowedHosts);

}  // namespace larkspan::engine
