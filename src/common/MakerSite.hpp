#pragma once

// Addresses of the maker's web site. The pages are built into the program and served
// under the "larkspan" address scheme, so they work without a network connection.
namespace larkspan::site {

// The scheme the built-in pages are served under.
inline constexpr const char* kScheme = "larkspan";
// The start page of a fresh installation.
inline constexpr const char* kHome = "larkspan://site/";
// How to report a problem.
inline constexpr const char* kIssuePage = "larkspan://site/CII.htm";
// Where to get the newest release.
inline constexpr const char* kDownloadPage = "larkspan://site/download.php?action=dc&cid=6";

}  // namespace larkspan::site
