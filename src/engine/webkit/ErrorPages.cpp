// The engine's own error pages.
#include "engine/webkit/ErrorPages.hpp"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

namespace larkspan::engine {

namespace {

constexpr const char* kStyle =
    "<style>body{font-family:sans-serif;margin:3em auto;max-width:40em;padding:0 1em;"
    "color:#222;background:#fafafa}h1{font-size:1.5em}"
    ".address{font-family:monospace;word-break:break-all}</style>";

std::string document(const char* title, const std::string& body) {
    return std::string("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + title +
           "</title>" + kStyle + "</head><body><h1>" + title + "</h1>" + body + "</body></html>";
}

std::string addressLine(const std::string& address) {
    return "<p class=\"address\">" + escapeHtml(address) + "</p>";
}

const char* endSentence(PageEnd why) {
    switch (why) {
        case PageEnd::OutOfMemory:
            return "The page used more memory than it may and was stopped.";
        case PageEnd::Ended:
            return "The page's process was ended.";
        case PageEnd::Crashed:
            break;
    }
    return "The page's process ended unexpectedly.";
}

const char* failureSentence(LoadFailure why) {
    switch (why) {
        case LoadFailure::NameNotFound:
            return "No site of that name could be found. Check the address for typing "
                   "mistakes.";
        case LoadFailure::Refused:
            return "The site refused the connection. It may be down for the moment, or the "
                   "address may name the wrong port.";
        case LoadFailure::TimedOut:
            return "The site took too long to answer. It may be busy; try again in a moment.";
        case LoadFailure::NoNetwork:
            return "This computer could not reach the network. Check its network connection.";
        case LoadFailure::Other:
            break;
    }
    return "The page could not be loaded.";
}

std::string retryLink(const std::string& address, const char* id, const char* caption) {
    if (address.empty()) return {};
    return "<p><a id=\"" + std::string(id) + "\" href=\"" + escapeHtml(address) + "\">" + caption +
           "</a></p>";
}

}  // namespace

std::optional<LoadFailure> loadFailureOf(const GError* error) {
    if (error == nullptr) return LoadFailure::Other;
    // Stopped, or handed to a download or another program: nothing failed.
    if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
        g_error_matches(error, WEBKIT_POLICY_ERROR,
                        WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
        g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)) {
        return std::nullopt;
    }
    if (error->domain == G_RESOLVER_ERROR) {
        // A failure of the name service itself comes from a missing network.
        return error->code == G_RESOLVER_ERROR_TEMPORARY_FAILURE ? LoadFailure::NoNetwork
                                                                 : LoadFailure::NameNotFound;
    }
    if (error->domain == G_IO_ERROR) {
        switch (error->code) {
            case G_IO_ERROR_CONNECTION_REFUSED:
                return LoadFailure::Refused;
            case G_IO_ERROR_TIMED_OUT:
                return LoadFailure::TimedOut;
            case G_IO_ERROR_NETWORK_UNREACHABLE:
            case G_IO_ERROR_HOST_UNREACHABLE:
                return LoadFailure::NoNetwork;
            default:
                break;
        }
    }
    return LoadFailure::Other;
}

std::string unreachablePage(const std::string& address, LoadFailure why,
                            const std::string& detail) {
    std::string body = "<p>" + std::string(failureSentence(why));
    if (why == LoadFailure::Other && !detail.empty()) body += " " + escapeHtml(detail);
    body += "</p>" + addressLine(address) + retryLink(address, "retry", "Try Again");
    return document(kUnreachableTitle, body);
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> certificateProblems(unsigned flags) {
    struct Problem {
        unsigned flag;
        const char* sentence;
    };
    static const Problem problems[] = {
        {G_TLS_CERTIFICATE_UNKNOWN_CA,
         "It is not signed by an issuer this computer trusts (unknown issuer)."},
        {G_TLS_CERTIFICATE_BAD_IDENTITY, "It was issued for another site (wrong host)."},
        {G_TLS_CERTIFICATE_NOT_ACTIVATED, "It is not valid yet."},
        {G_TLS_CERTIFICATE_EXPIRED, "It has expired."},
        {G_TLS_CERTIFICATE_REVOKED, "It has been revoked."},
        {G_TLS_CERTIFICATE_INSECURE, "It uses an algorithm that is no longer safe."},
    };
    std::vector<std::string> out;
    for (const Problem& p : problems) {
        if (flags & p.flag) out.emplace_back(p.sentence);
    }
    if (out.empty()) out.emplace_back("It could not be verified.");
    return out;
}

std::string stoppedPage(const std::string& address, PageEnd why) {
    return document(kStoppedTitle, "<p>" + std::string(endSentence(why)) + "</p>" +
                                       addressLine(address) +
                                       retryLink(address, "reload", "Reload"));
}

std::string certificatePage(const std::string& address, unsigned flags) {
    std::string body =
        "<p>The page was not loaded: the certificate of the site could not be verified, so "
        "the connection cannot be trusted.</p>" +
        addressLine(address) + "<ul>";
    for (const std::string& problem : certificateProblems(flags)) {
        body += "<li>" + escapeHtml(problem) + "</li>";
    }
    return document(kCertificateTitle, body + "</ul>");
}

std::string noSandboxPage(const std::string& address) {
    return document(
        kNoSandboxTitle,
        "<p>The page was not loaded. Larkspan shows every web page inside a sandbox that keeps "
        "the page away from your files and programs, and this computer cannot make that "
        "sandbox: the bubblewrap tool (<code>bwrap</code>) is missing, or it may not create "
        "user namespaces here.</p>" +
            addressLine(address) +
            "<p>Install the <code>bubblewrap</code> package, or allow unprivileged user "
            "namespaces, then start Larkspan again.</p>"
            "<p>To show pages without the sandbox at your own risk, start Larkspan with the "
            "environment variable <code>WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1</code>.</p>");
}

std::string insecurePage(const std::string& address) {
    return document(kInsecureTitle,
                    "<p>The page was not loaded: only secure connections are used, and this "
                    "site offers none. What you send to it and what it shows you could be read "
                    "or changed on the way.</p>" +
                        addressLine(address) +
                        retryLink(address, "continue", "Continue to the insecure page"));
}

}  // namespace larkspan::engine
