#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _SoupServerMessage SoupServerMessage;
typedef struct _GHashTable GHashTable;

namespace larkspan::test {

// A small HTTP server on 127.0.0.1 for engine tests, on a port the system picks. It runs in
// the default GLib main context: requests are answered while the test waits in the main
// loop (see waitUntil).
class PageServer {
  public:
    PageServer();
    // An HTTPS server presenting the certificate and key in `tlsPem` (PEM text).
    explicit PageServer(const std::string& tlsPem);
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    // False when the server could not listen; the tests then fail early.
    bool listening() const { return port_ != 0; }
    unsigned port() const { return port_; }

    // Serves `body` at `path` ("/page.html") with status 200.
    void addPage(const std::string& path, const std::string& body,
                 const std::string& contentType = "text/html; charset=utf-8");
    // Adds a header to the answers for `path` (a page added before).
    void addHeader(const std::string& path, const std::string& name, const std::string& value);
    // Requests for `path` wait unanswered until releaseHeld(): a load that never ends.
    void holdPage(const std::string& path);
    // Requests for `path` get their headers and the first `firstBytes` bytes of `body`,
    // then wait until releaseHeld(), which sends the rest.
    void streamPage(const std::string& path, const std::string& body,
                    const std::string& contentType, std::size_t firstBytes);
    // Answers every held request with an empty page.
    void releaseHeld();
    // Breaks off every streamed answer that waits: its connection closes mid-body.
    void breakHeld();

    // "http://127.0.0.1:<port>" (or "https://") followed by the path.
    std::string url(const std::string& path) const;
    // How many requests for `path` have arrived.
    int requestCount(const std::string& path) const;
    // A header of the latest request for `path`; empty when it had none.
    std::string requestHeader(const std::string& path, const std::string& name) const;

  private:
    struct Page {
        std::string body;
        std::string contentType;
        bool hold = false;
        std::vector<std::pair<std::string, std::string>> headers;
        // For a streamed page, how much goes out before the hold; the rest follows it.
        std::optional<std::size_t> firstBytes;
    };
    struct Held {
        std::string rest;  // what a streamed answer still has to send
        bool streamed = false;
    };

    static void onRequest(SoupServer* server, SoupServerMessage* message, const char* path,
                          GHashTable* query, void* data);

    static void onFinished(SoupServerMessage* message, void* data);
    void start(const std::string& tlsPem);

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    bool tls_ = false;
    std::map<std::string, Page> pages_;
    std::map<std::string, int> requests_;
    std::map<std::string, std::map<std::string, std::string>> requestHeaders_;
    std::map<SoupServerMessage*, Held> held_;
};

}  // namespace larkspan::test
