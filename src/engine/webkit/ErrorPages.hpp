#pragma once

// The pages the engine shows in place of a page it could not show: one that could not be
// reached, one whose process stopped, one whose certificate failed verification, any page
// on a machine where the page processes' sandbox cannot be made, and a plain http page while
// only secure connections are used. Only the last offers a way on to the page it replaces
// other than loading it afresh.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

typedef struct _GError GError;

namespace larkspan::engine {

// Why a page could not be loaded.
enum class LoadFailure { NameNotFound, Refused, TimedOut, NoNetwork, Other };

// Why a page's process stopped.
enum class PageEnd { Crashed, OutOfMemory, Ended };

inline constexpr const char* kStoppedTitle = "This page stopped working";
inline constexpr const char* kCertificateTitle = "Certificate not trusted";
inline constexpr const char* kUnreachableTitle = "This page cannot be reached";
inline constexpr const char* kNoSandboxTitle = "Web pages cannot be shown safely";
inline constexpr const char* kInsecureTitle = "This site offers no secure connection";

// Text made safe inside markup and inside a quoted attribute.
std::string escapeHtml(std::string_view text);

// One sentence for each problem of a certificate (`flags` as the TLS layer reports them,
// GTlsCertificateFlags); at least one sentence, also when the flags name no known problem.
std::vector<std::string> certificateProblems(unsigned flags);

// What a failed load's error means to the user; nothing for a load that was stopped or
// handed elsewhere (a download, a link another program opens), which leaves no page to
// explain.
std::optional<LoadFailure> loadFailureOf(const GError* error);

// The page shown in place of the page at `address` that could not be loaded: the address,
// the reason in plain words (for `Other`, the engine's own `detail`) and a "Try Again" link
// that loads the address afresh.
std::string unreachablePage(const std::string& address, LoadFailure why, const std::string& detail);

// The page shown where the page at `address` stopped: what happened, the address and a
// "Reload" link that loads the address afresh.
std::string stoppedPage(const std::string& address, PageEnd why);

// The page shown instead of the page at `address`, whose certificate failed: the address
// and each of the problems.
std::string certificatePage(const std::string& address, unsigned flags);

// The page shown instead of the page at `address` on a machine where the sandbox of the
// page processes cannot be made: why, and what the user can do about it.
std::string noSandboxPage(const std::string& address);

// The page shown instead of the plain http page at `address` while only secure connections
// are used: the site offers no secure connection, with a "Continue to the insecure page"
// link that loads the page after all.
std::string insecurePage(const std::string& address);

}  // namespace larkspan::engine
