#pragma once

#include <map>
#include <string>

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
    // Requests for `path` wait unanswered until releaseHeld(): a load that never ends.
    void holdPage(const std::string& path);
    // Answers every held request with an empty page.
    void releaseHeld();

    // "http://127.0.0.1:<port>" (or "https://") followed by the path.
    std::string url(const std::string& path) const;
    // How many requests for `path` have arrived.
    int requestCount(const std::string& path) const;

  private:
    struct Page {
        std::string body;
        std::string contentType;
        bool hold = false;
    };

    static void onRequest(SoupServer* server, SoupServerMessage* message, const char* path,
                          GHashTable* query, void* data);

    void start(const std::string& tlsPem);

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    bool tls_ = false;
    std::map<std::string, Page> pages_;
    std::map<std::string, int> requests_;
    std::map<SoupServerMessage*, bool> held_;
};

}  // namespace larkspan::test
