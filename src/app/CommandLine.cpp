#include "app/CommandLine.hpp"

#include <glib.h>

#include <cctype>

namespace larkspan {

namespace {

// True when `text` begins with a URI scheme ("http:", "file:", "mailto:"...).
bool hasScheme(const std::string& text) {
    auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    // "localhost:8080/page" is a host and port, not a scheme.
    std::size_t digits = colon + 1;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    bool port = digits > colon + 1 && (digits == text.size() || text[digits] == '/');
    return !port;
}

}  // namespace

std::string commandLineAddress(const std::string& argument,
                               const std::function<bool(const std::string&)>& fileExists) {
    if (argument.empty() || argument[0] == '-') return argument;
    if (argument[0] == '/' || argument[0] == '.' || argument[0] == '~') return argument;
    if (hasScheme(argument) || fileExists(argument)) return argument;
    return "http://" + argument;
}

namespace {

constexpr const char* kParameters = "[ADDRESS…]";
constexpr const char* kSummary =
    "Opens each ADDRESS in a main window of its own; without one, a main window shows the\n"
    "home page. When the program is already running, the running one opens them.";
constexpr const char* kDescription =
    "An ADDRESS is a web address (https://example.com, or example.com: tried over https\n"
    "first, then http), a file:// address or the name of a local file.";

gboolean takeNewWindow(const gchar*, const gchar* value, gpointer data, GError**) {
    static_cast<CommandLineRequest*>(data)->newWindows.emplace_back(value);
    return TRUE;
}

gboolean takePrivateWindow(const gchar*, const gchar* value, gpointer data, GError**) {
    static_cast<CommandLineRequest*>(data)->privateWindows.emplace_back(value ? value : "");
    return TRUE;
}

// The program's options; `help`, `version` and `rest` receive what GLib parses.
struct Options {
    gboolean help = FALSE;
    gboolean version = FALSE;
    gchar** rest = nullptr;
    GOptionContext* context = nullptr;

    explicit Options(CommandLineRequest* request) {
        const GOptionEntry entries[] = {
            {"help", 'h', 0, G_OPTION_ARG_NONE, &help, "Show the options and exit", nullptr},
            {"version", 0, 0, G_OPTION_ARG_NONE, &version, "Show the version and exit", nullptr},
            {"new-window", 0, 0, G_OPTION_ARG_CALLBACK, reinterpret_cast<gpointer>(takeNewWindow),
             "Open ADDRESS in a new main window", "ADDRESS"},
            {"private-window", 0, G_OPTION_FLAG_OPTIONAL_ARG, G_OPTION_ARG_CALLBACK,
             reinterpret_cast<gpointer>(takePrivateWindow),
             "Open a private window, on ADDRESS when one is given", "[ADDRESS]"},
            {G_OPTION_REMAINING, 0, 0, G_OPTION_ARG_FILENAME_ARRAY, &rest, nullptr, nullptr},
            {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr},
        };
        context = g_option_context_new(kParameters);
        // The program answers --help itself: GLib's own would end the running instance
        // when a later start hands its arguments over.
        g_option_context_set_help_enabled(context, FALSE);
        g_option_context_set_summary(context, kSummary);
        g_option_context_set_description(context, kDescription);
        GOptionGroup* group = g_option_group_new("larkspan", "", "", request, nullptr);
        g_option_group_add_entries(group, entries);
        g_option_context_set_main_group(context, group);
    }
    ~Options() {
        g_strfreev(rest);
        g_option_context_free(context);
    }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
};

}  // namespace

std::optional<CommandLineRequest> parseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string& error) {
    CommandLineRequest request;
    Options options(&request);
    std::vector<gchar*> strv;
    for (const std::string& a : arguments) strv.push_back(g_strdup(a.c_str()));
    strv.push_back(nullptr);
    gchar** args = strv.data();
    GError* failure = nullptr;
    bool parsed = g_option_context_parse_strv(options.context, &args, &failure);
    // Parsing takes out the arguments it read, freeing them; the rest are freed here.
    for (gchar** a = args; a && *a; ++a) g_free(*a);
    if (!parsed) {
        error = failure ? failure->message : "the arguments could not be read";
        g_clear_error(&failure);
        return std::nullopt;
    }
    request.help = options.help;
    request.version = options.version;
    for (gchar** a = options.rest; a && *a; ++a) request.addresses.emplace_back(*a);
    return request;
}

std::string commandLineHelp() {
    CommandLineRequest unused;
    Options options(&unused);
    gchar* text = g_option_context_get_help(options.context, TRUE, nullptr);
    std::string help = text ? text : "";
    g_free(text);
    return help;
}

}  // namespace larkspan
