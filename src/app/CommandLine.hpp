#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace larkspan {

// An address given on the command line as the program hands it on. The platform reads
// every argument without a scheme as a file name; "example.com/page" is meant as a web
// address, so an argument that names no existing file and has neither a scheme nor a
// path's leading "/", "." or "~" gets "http://" in front. Everything else is unchanged.
// (The program itself hands such an address to its page as typed, which tries https first.)
std::string commandLineAddress(const std::string& argument,
                               const std::function<bool(const std::string&)>& fileExists);

// What a start of the program asks for.
struct CommandLineRequest {
    bool help = false;
    bool version = false;
    // Addresses to open as the program opens them (each in a main window, or as tabs).
    std::vector<std::string> addresses;
    // "--new-window ADDRESS": a main window of its own on each address.
    std::vector<std::string> newWindows;
    // "--private-window [ADDRESS]": a private window on each; empty for its home page.
    std::vector<std::string> privateWindows;
};

// Reads the arguments (the program's name first). Nothing, with `error` set to one line
// that says why, when an option is unknown or lacks its address.
std::optional<CommandLineRequest> parseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string& error);

// The text "--help" prints: the usage line, the options and the addresses taken.
std::string commandLineHelp();

}  // namespace larkspan
