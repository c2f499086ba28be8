// The rules of secure connections: which typed addresses are tried over https first, which
// hosts are this machine, which failures mean no secure connection could be made, and which
// addresses "Use secure connections only" stops.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include "engine/webkit/SecureConnections.hpp"

namespace larkspan::engine {
namespace {

TEST(SecureConnections, OnlyTextTypedWithoutASchemeIsTriedOverHttpsFirst) {
    EXPECT_EQ(typedAddress(" example.org/a ").uri, "https://example.org/a");
    EXPECT_EQ(typedAddress(" example.org/a ").fallback, "http://example.org/a");
    EXPECT_EQ(typedAddress("localhost:8080/x").uri, "https://localhost:8080/x");
    EXPECT_EQ(typedAddress("localhost:8080/x").fallback, "http://localhost:8080/x");
    for (const char* explicitAddress :
         {"http://example.org/", "https://example.org/", "/tmp/page.html", "about:blank"}) {
        EXPECT_EQ(typedAddress(explicitAddress).fallback, "") << explicitAddress;
        EXPECT_FALSE(typedAddress(explicitAddress).uri.starts_with("https://http"));
    }
    EXPECT_EQ(typedAddress("http://example.org/").uri, "http://example.org/");
}

TEST(SecureConnections, LoopbackHostsAreThisMachineOnly) {
    for (const char* host : {"localhost", "LocalHost", "app.localhost", "127.0.0.1", "127.45.6.7",
                             "::1", "[::1]", "localhost."}) {
        EXPECT_TRUE(isLoopbackHost(host)) << host;
    }
    for (const char* host : {"example.org", "localhost.example.org", "128.0.0.1", "10.0.0.1", "::2",
                             "", "127.0.0.1.example.org"}) {
        EXPECT_FALSE(isLoopbackHost(host)) << host;
    }
}

TEST(SecureConnections, SecureOnlyStopsPlainPagesOfOtherMachinesNotLetThrough) {
    EXPECT_TRUE(refusedAsInsecure("http://Example.org/a", {}));
    EXPECT_FALSE(refusedAsInsecure("http://example.org/a", {"example.org"}));
    EXPECT_TRUE(refusedAsInsecure("http://www.example.org/a", {"example.org"}));
    EXPECT_FALSE(refusedAsInsecure("https://example.org/a", {}));
    EXPECT_FALSE(refusedAsInsecure("http://127.0.0.1:8080/", {}));
    EXPECT_FALSE(refusedAsInsecure("http://[::1]:8080/", {}));
    EXPECT_FALSE(refusedAsInsecure("http://localhost/", {}));
    EXPECT_FALSE(refusedAsInsecure("file:///tmp/a.html", {}));
}

TEST(SecureConnections, OnlyAFailureToConnectCountsAsNoSecureConnection) {
    auto failed = [](GQuark domain, int code) {
        GError* error = g_error_new_literal(domain, code, "x");
        bool result = failedToConnect(error);
        g_error_free(error);
        return result;
    };
    EXPECT_TRUE(failed(G_TLS_ERROR, G_TLS_ERROR_NOT_TLS));
    EXPECT_TRUE(failed(G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED));
    EXPECT_TRUE(failed(G_IO_ERROR, G_IO_ERROR_CONNECTION_CLOSED));
    EXPECT_TRUE(failed(G_IO_ERROR, G_IO_ERROR_TIMED_OUT));
    EXPECT_FALSE(failed(G_RESOLVER_ERROR, G_RESOLVER_ERROR_NOT_FOUND));
    // A plain server's answer to a handshake makes the network layer give it up; the user's
    // Stop is the engine's own cancellation.
    EXPECT_TRUE(failed(G_IO_ERROR, G_IO_ERROR_CANCELLED));
    EXPECT_FALSE(failed(WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED));
    EXPECT_FALSE(failedToConnect(nullptr));
}

}  // namespace
}  // namespace larkspan::engine
