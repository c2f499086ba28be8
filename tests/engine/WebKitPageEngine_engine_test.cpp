// The WebKitGTK page engine against pages served on 127.0.0.1: the events the program
// relies on, popups and close requests, document access, printing and the built-in site.
#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/DesktopOpen.hpp"
#include "common/MakerSite.hpp"
#include "engine/webkit/MakerSiteScheme.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

using test::PageServer;
using test::waitUntil;

constexpr int kLoadTimeoutMs = 10000;

// Everything an engine reports, in order.
struct EventLog {
    struct Entry {
        std::string kind;
        std::string text;
        long number = 0;
    };
    std::vector<Entry> entries;
    std::vector<sigc::connection> connections;

    explicit EventLog(PageEngine& engine) {
        connections.push_back(
            engine.signalNavigateComplete2.connect([this](const std::string& url) {
                entries.push_back({"navigate", url});
            }));
        connections.push_back(engine.signalDownloadComplete.connect([this] {
            entries.push_back({"complete", ""});
        }));
        connections.push_back(engine.signalTitleChange.connect([this](const std::string& title) {
            entries.push_back({"title", title});
        }));
        connections.push_back(
            engine.signalStatusTextChange.connect([this](const std::string& text) {
                entries.push_back({"status", text});
            }));
        connections.push_back(engine.signalProgressChange.connect([this](long p, long m) {
            entries.push_back({"progress", std::to_string(m), p});
        }));
        connections.push_back(engine.signalSetSecureLockIcon.connect([this](int state) {
            entries.push_back({"secure", "", state});
        }));
        connections.push_back(engine.signalWindowClosing.connect([this](bool child, bool&) {
            entries.push_back({"closing", child ? "child" : "top"});
        }));
        connections.push_back(engine.signalReadyToShow.connect([this] {
            entries.push_back({"ready", ""});
        }));
    }
    ~EventLog() {
        for (auto& c : connections) {
            c.disconnect();
        }
    }

    int count(const std::string& kind) const {
        return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                              [&](const Entry& e) { return e.kind == kind; }));
    }
    bool has(const std::string& kind, const std::string& text) const {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const Entry& e) { return e.kind == kind && e.text == text; });
    }
    bool hasStatusStartingWith(const std::string& prefix) const {
        return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
            return e.kind == "status" && e.text.rfind(prefix, 0) == 0;
        });
    }
    // Position of the first entry of that kind (and text, when given); -1 when none.
    int indexOf(const std::string& kind, const std::optional<std::string>& text = {}) const {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].kind == kind && (!text || entries[i].text == *text)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    std::vector<long> progress() const {
        std::vector<long> values;
        for (const auto& e : entries) {
            if (e.kind == "progress") {
                values.push_back(e.number);
            }
        }
        return values;
    }
};

// An engine shown in a window of its own, as a main window would host it.
struct HostedEngine {
    std::unique_ptr<PageEngine> engine;
    std::unique_ptr<Gtk::Window> window;
    std::unique_ptr<EventLog> log;

    explicit HostedEngine(std::unique_ptr<PageEngine> made) : engine(std::move(made)) {
        window = std::make_unique<Gtk::Window>();
        window->set_default_size(640, 480);
        window->add(engine->widget());
        window->show_all();
        log = std::make_unique<EventLog>(*engine);
    }
    ~HostedEngine() {
        log.reset();
        engine.reset();
        window.reset();
    }
    WebKitWebView* view() const { return WEBKIT_WEB_VIEW(engine->widget().gobj()); }

    // Navigates and waits until the page at that address (or the engine's error page for
    // it) has finished loading.
    bool load(const std::string& address) {
        std::size_t start = log->entries.size();
        engine->navigate(address);
        return waitUntil(
            [&] {
                bool arrived = false;
                for (std::size_t i = start; i < log->entries.size(); ++i) {
                    const auto& e = log->entries[i];
                    if (e.kind == "navigate" && e.text == address) {
                        arrived = true;
                    } else if (arrived && e.kind == "complete") {
                        return true;
                    }
                }
                return false;
            },
            kLoadTimeoutMs);
    }
    void runScript(const std::string& script) {
        webkit_web_view_evaluate_javascript(view(), script.c_str(), -1, nullptr, nullptr, nullptr,
                                            nullptr, nullptr);
    }
};

class WebKitPageEngineTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const bool initialized = [] {
            gtk_init(nullptr, nullptr);
            Gtk::Main::init_gtkmm_internals();
            return true;
        }();
        (void)initialized;
    }

    void SetUp() override { ASSERT_TRUE(server.listening()); }

    std::unique_ptr<HostedEngine> hosted() {
        return std::make_unique<HostedEngine>(
            makeWebKitPageEngine([this]() -> Dialogs& { return dialogs; }));
    }

    PageServer server;
    testing::ScriptedDialogs dialogs;
};

std::string page(const std::string& title, const std::string& head, const std::string& body) {
    return "<!DOCTYPE html><html><head><title>" + title + "</title>" + head + "</head><body>" +
           body + "</body></html>";
}

// ---- Navigation events ------------------------------------------------------------------

TEST_F(WebKitPageEngineTest, NavigationReportsCompletionTitleProgressAndPlainSecureState) {
    server.addPage("/plain.html", page("Plain Page", "", "<p>plain</p>"));
    auto h = hosted();
    std::string nameAtCompletion;
    h->engine->signalDownloadComplete.connect(
        [&] { nameAtCompletion = h->engine->locationName(); });
    const std::string url = server.url("/plain.html");
    ASSERT_TRUE(h->load(url));
    // The window names itself after the page at DownloadComplete: the name must be known.
    EXPECT_EQ(nameAtCompletion, "Plain Page");
    waitUntil([&] { return h->log->has("title", "Plain Page"); }, kLoadTimeoutMs);

    const EventLog& log = *h->log;
    int navigate = log.indexOf("navigate", url);
    int complete = log.indexOf("complete");
    ASSERT_GE(navigate, 0);
    EXPECT_LT(navigate, complete);
    EXPECT_EQ(log.count("complete"), 1);
    EXPECT_TRUE(log.has("title", "Plain Page"));

    // Progress rises to 100 and ends with exactly one -1, the last progress report.
    std::vector<long> progress = log.progress();
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.back(), -1);
    EXPECT_EQ(std::count(progress.begin(), progress.end(), -1L), 1);
    EXPECT_EQ(progress[progress.size() - 2], 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end() - 1));
    for (const auto& e : log.entries) {
        if (e.kind == "progress") {
            EXPECT_EQ(e.text, "100");  // the maximum
        }
    }
    int lastProgress = -1;
    for (std::size_t i = 0; i < log.entries.size(); ++i) {
        if (log.entries[i].kind == "progress") {
            lastProgress = static_cast<int>(i);
        }
    }
    EXPECT_LT(lastProgress, complete);

    // A plain http page is not secure, reported after the navigation completed.
    int secure = log.indexOf("secure");
    ASSERT_GE(secure, 0);
    EXPECT_GT(secure, navigate);
    EXPECT_EQ(log.entries[static_cast<std::size_t>(secure)].number, engine::kSecureNone);

    EXPECT_TRUE(log.has("status", engine::kStatusDone));
    EXPECT_EQ(h->engine->locationURL(), url);
    EXPECT_EQ(h->engine->documentTitle(), "Plain Page");
    EXPECT_EQ(h->engine->locationName(), "Plain Page");
}

TEST_F(WebKitPageEngineTest, PageWithoutTitleIsNamedByItsAddress) {
    server.addPage("/untitled.html", "<html><body>no title</body></html>");
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/untitled.html")));
    EXPECT_EQ(h->engine->documentTitle(), "");
    EXPECT_EQ(h->engine->locationName(), server.url("/untitled.html"));
}

TEST_F(WebKitPageEngineTest, EachLoadEndsOnceEvenWhenStoppedOrFailed) {
    server.holdPage("/slow.html");
    server.addPage("/next.html", page("Next", "", "next"));
    auto h = hosted();
    h->engine->navigate(server.url("/slow.html"));
    ASSERT_TRUE(waitUntil([&] { return server.requestCount("/slow.html") > 0; }, kLoadTimeoutMs));
    h->engine->stop();
    ASSERT_TRUE(waitUntil([&] { return h->log->count("complete") == 1; }, kLoadTimeoutMs));
    std::vector<long> progress = h->log->progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), -1L), 1);

    // A refused connection fails the load; it still ends exactly once.
    h->log->entries.clear();
    h->engine->navigate("http://127.0.0.1:1/");
    ASSERT_TRUE(waitUntil([&] { return h->log->count("complete") >= 1; }, kLoadTimeoutMs));
    ASSERT_TRUE(h->load(server.url("/next.html")));
    progress = h->log->progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), -1L), h->log->count("complete"));
    EXPECT_EQ(h->engine->locationURL(), server.url("/next.html"));
}

// ---- New windows ------------------------------------------------------------------------

const char* kPopupPage =
    "<!DOCTYPE html><html><head><title>Popup</title></head><body>popup</body></html>";

std::string scriptOpener(const std::string& target) {
    return page("Opener",
                "<script>window.onload = function () { var w = window.open('" + target +
                    "'); document.title = w ? 'opened' : 'refused'; };</script>",
                "opener");
}

TEST_F(WebKitPageEngineTest, RefusedScriptPopupReachesNewWindowAndOpensNothing) {
    server.addPage("/opener.html", scriptOpener("/popup.html"));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    std::vector<NewWindowRequest> requests;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        requests.push_back(request);
        request.cancel = true;
    });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "refused"); }, kLoadTimeoutMs));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].targetUrl, server.url("/popup.html"));
    EXPECT_FALSE(requests[0].userGesture);
    EXPECT_EQ(server.requestCount("/popup.html"), 0);
}

TEST_F(WebKitPageEngineTest, UnansweredPopupRequestIsRefused) {
    server.addPage("/opener.html", scriptOpener("/popup.html"));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    int requests = 0;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest&) { ++requests; });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "refused"); }, kLoadTimeoutMs));
    EXPECT_EQ(requests, 1);
}

TEST_F(WebKitPageEngineTest, AllowedScriptPopupLoadsInRelatedEngine) {
    server.addPage("/opener.html", scriptOpener("/popup.html"));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    std::unique_ptr<HostedEngine> popup;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        popup = std::make_unique<HostedEngine>(h->engine->createRelated());
        popup->engine->setRegisterAsBrowser(true);
        request.ppDisp = popup->engine.get();
    });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "opened"); }, kLoadTimeoutMs));
    ASSERT_TRUE(popup);
    ASSERT_TRUE(waitUntil([&] { return popup->log->count("complete") > 0; }, kLoadTimeoutMs));
    EXPECT_TRUE(popup->log->has("navigate", server.url("/popup.html")));
    EXPECT_GE(popup->log->count("ready"), 1);
    EXPECT_EQ(popup->engine->locationURL(), server.url("/popup.html"));
    auto* child = dynamic_cast<WebKitPageEngine*>(popup->engine.get());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->isChildWindow());
    EXPECT_TRUE(child->registerAsBrowser());
    EXPECT_FALSE(dynamic_cast<WebKitPageEngine*>(h->engine.get())->isChildWindow());
}

TEST_F(WebKitPageEngineTest, EngineNotRelatedToTheOpenerIsNotUsedForItsPopup) {
    server.addPage("/opener.html", scriptOpener("/popup.html"));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    auto stranger = hosted();
    h->engine->signalNewWindow2.connect(
        [&](NewWindowRequest& request) { request.ppDisp = stranger->engine.get(); });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "refused"); }, kLoadTimeoutMs));
    EXPECT_EQ(server.requestCount("/popup.html"), 0);
}

const char* kLinkBody =
    "<a id='link' href='/popup.html' target='_blank' "
    "style='position:absolute;left:0;top:0;width:400px;height:300px;display:block'>open</a>"
    "<script>requestAnimationFrame(function () { requestAnimationFrame(function () {"
    " document.title = 'laid out'; }); });</script>";

TEST_F(WebKitPageEngineTest, TargetBlankLinkClickedByScriptReachesNewWindow) {
    server.addPage("/links.html", page("Links", "", kLinkBody));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    std::vector<NewWindowRequest> requests;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        requests.push_back(request);
        request.cancel = true;
    });
    ASSERT_TRUE(h->load(server.url("/links.html")));
    h->runScript("document.getElementById('link').click();");
    ASSERT_TRUE(waitUntil([&] { return !requests.empty(); }, kLoadTimeoutMs));
    EXPECT_EQ(requests[0].targetUrl, server.url("/popup.html"));
}

TEST_F(WebKitPageEngineTest, TargetBlankLinkClickedByUserIsAllowedIntoRelatedEngine) {
    server.addPage("/links.html", page("Links", "", kLinkBody));
    server.addPage("/popup.html", kPopupPage);
    auto h = hosted();
    std::vector<NewWindowRequest> requests;
    std::unique_ptr<HostedEngine> popup;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        requests.push_back(request);
        popup = std::make_unique<HostedEngine>(h->engine->createRelated());
        request.ppDisp = popup->engine.get();
    });
    ASSERT_TRUE(h->load(server.url("/links.html")));
    // The page must be laid out before a click can find the link.
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "laid out"); }, kLoadTimeoutMs));
    testing::sendClick(GTK_WIDGET(h->view()), 50, 50);
    ASSERT_TRUE(waitUntil([&] { return !requests.empty(); }, kLoadTimeoutMs));
    EXPECT_EQ(requests[0].targetUrl, server.url("/popup.html"));
    EXPECT_TRUE(requests[0].userGesture);
    ASSERT_TRUE(popup);
    ASSERT_TRUE(waitUntil([&] { return popup->log->has("navigate", server.url("/popup.html")); },
                          kLoadTimeoutMs));
}

void sendMotion(GtkWidget* widget, double x, double y) {
    GdkEvent* event = gdk_event_new(GDK_MOTION_NOTIFY);
    event->motion.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    event->motion.send_event = TRUE;
    event->motion.time = GDK_CURRENT_TIME;
    event->motion.x = x;
    event->motion.y = y;
    gdk_event_set_device(
        event, gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(widget))));
    gtk_widget_event(widget, event);
    gdk_event_free(event);
}

TEST_F(WebKitPageEngineTest, HoveredLinkIsShownAsStatusText) {
    server.addPage("/links.html", page("Links", "", kLinkBody));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/links.html")));
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "laid out"); }, kLoadTimeoutMs));
    sendMotion(GTK_WIDGET(h->view()), 50, 50);
    ASSERT_TRUE(waitUntil([&] { return h->log->has("status", server.url("/popup.html")); },
                          kLoadTimeoutMs));
    sendMotion(GTK_WIDGET(h->view()), 600, 400);
    ASSERT_TRUE(waitUntil(
        [&] {
            return h->log->entries.back().kind == "status" && h->log->entries.back().text.empty();
        },
        kLoadTimeoutMs));
}

TEST_F(WebKitPageEngineTest, FocusIsTakenAndReported) {
    server.addPage("/plain.html", page("Plain", "", "<input id='field'>"));
    auto h = hosted();
    int gained = 0;
    int lost = 0;
    h->engine->signalGotFocus.connect([&] { ++gained; });
    h->engine->signalLostFocus.connect([&] { ++lost; });
    ASSERT_TRUE(h->load(server.url("/plain.html")));
    h->window->present();
    h->engine->grabFocus();
    ASSERT_TRUE(waitUntil([&] { return gained > 0 && h->engine->hasFocus(); }, kLoadTimeoutMs));
    Gtk::Window other;
    other.show();
    other.present();
    ASSERT_TRUE(waitUntil([&] { return lost > 0; }, kLoadTimeoutMs));
    EXPECT_FALSE(h->engine->hasFocus());
}

// ---- Close requests ---------------------------------------------------------------------

TEST_F(WebKitPageEngineTest, CloseInScriptOpenedWindowIsReportedAsChildWindow) {
    server.addPage("/opener.html", scriptOpener("/closing.html"));
    server.addPage(
        "/closing.html",
        page("Closing", "<script>window.onload = function () { window.close(); };</script>",
             "closing"));
    auto h = hosted();
    std::unique_ptr<HostedEngine> popup;
    std::optional<bool> closingChild;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        popup = std::make_unique<HostedEngine>(h->engine->createRelated());
        request.ppDisp = popup->engine.get();
        // Allowing the close destroys the popup's window and engine from inside the event,
        // as the main window does.
        popup->engine->signalWindowClosing.connect([&](bool child, bool& cancel) {
            closingChild = child;
            cancel = false;
            popup.reset();
        });
    });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil([&] { return closingChild.has_value(); }, kLoadTimeoutMs));
    EXPECT_TRUE(*closingChild);
    EXPECT_FALSE(popup);
    EXPECT_EQ(h->log->count("closing"), 0);
    // The opener lives on.
    server.addPage("/after.html", page("After", "", "after"));
    ASSERT_TRUE(h->load(server.url("/after.html")));
}

TEST_F(WebKitPageEngineTest, CloseInFirstWindowAfterTwoNavigationsIsReported) {
    server.addPage("/one.html", page("One", "", "one"));
    server.addPage("/two.html", page("Two", "", "two"));
    auto h = hosted();
    bool answered = false;
    h->engine->signalWindowClosing.connect([&](bool, bool& cancel) {
        cancel = true;
        answered = true;
    });
    ASSERT_TRUE(h->load(server.url("/one.html")));
    ASSERT_TRUE(h->load(server.url("/two.html")));
    h->runScript("window.close();");
    ASSERT_TRUE(waitUntil([&] { return h->log->count("closing") > 0; }, kLoadTimeoutMs));
    EXPECT_TRUE(h->log->has("closing", "top"));
    EXPECT_TRUE(answered);
    // Refused: the page stays.
    EXPECT_EQ(h->engine->locationURL(), server.url("/two.html"));
}

// ---- Document access --------------------------------------------------------------------

TEST_F(WebKitPageEngineTest, DocumentMarkupIsInnerMarkupOfRootElement) {
    server.addPage("/doc.html",
                   "<!DOCTYPE html><html lang='en'><head><title>Doc</title></head>"
                   "<body><p id=\"greeting\">Hello &amp; welcome</p></body></html>");
    auto h = hosted();
    std::optional<std::optional<std::string>> before;
    h->engine->documentMarkup([&](std::optional<std::string> markup) { before = markup; });
    ASSERT_TRUE(waitUntil([&] { return before.has_value(); }, kLoadTimeoutMs));
    EXPECT_FALSE(before->has_value());  // nothing loaded yet

    ASSERT_TRUE(h->load(server.url("/doc.html")));
    std::optional<std::optional<std::string>> result;
    h->engine->documentMarkup([&](std::optional<std::string> markup) { result = markup; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, kLoadTimeoutMs));
    ASSERT_TRUE(result->has_value());
    const std::string& markup = **result;
    EXPECT_EQ(markup.rfind("<head><title>Doc</title></head>", 0), 0u) << markup;
    EXPECT_NE(markup.find("<p id=\"greeting\">Hello &amp; welcome</p>"), std::string::npos);
    EXPECT_EQ(markup.find("<html"), std::string::npos);
}

TEST_F(WebKitPageEngineTest, EngineCanBeDestroyedWithWorkPendingAndAfterItsWindow) {
    server.holdPage("/slow.html");
    server.addPage("/doc.html", page("Doc", "", "doc"));
    server.addPage("/other.html", page("Other", "", "other"));
    bool lateCallback = false;
    {
        auto h = hosted();
        ASSERT_TRUE(h->load(server.url("/doc.html")));
        h->engine->navigate(server.url("/slow.html"));
        ASSERT_TRUE(
            waitUntil([&] { return server.requestCount("/slow.html") > 0; }, kLoadTimeoutMs));
        // Gone before the engine can answer.
        h->engine->documentMarkup([&](std::optional<std::string>) { lateCallback = true; });
    }
    {
        // The window may go before its engine.
        auto h = hosted();
        ASSERT_TRUE(h->load(server.url("/doc.html")));
        h->engine->documentMarkup([&](std::optional<std::string>) { lateCallback = true; });
        h->window.reset();
        EXPECT_EQ(h->engine->locationURL(), "");
        h->engine->navigate(server.url("/other.html"));
        h->engine->refresh();
        EXPECT_FALSE(h->engine->selectAll());
    }
    server.releaseHeld();
    // A second engine runs a whole load meanwhile; the first one's leftovers arrive and must
    // find it gone.
    auto other = hosted();
    ASSERT_TRUE(other->load(server.url("/other.html")));
    EXPECT_FALSE(lateCallback);
}

// ---- Printing ---------------------------------------------------------------------------

std::filesystem::path scratchFolder() {
    const char* root = std::getenv("LARKSPAN_TEST_ROOT");
    std::filesystem::path folder =
        root != nullptr ? std::filesystem::path(root) : std::filesystem::temp_directory_path();
    return folder;
}

TEST_F(WebKitPageEngineTest, PrintToPdfWritesPdfFile) {
    server.addPage("/print.html", page("Print me", "", "<h1>Printed page</h1><p>text</p>"));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/print.html")));
    std::filesystem::path file = scratchFolder() / "printed page.pdf";
    std::optional<bool> result;
    h->engine->printToPdf(file.string(), [&](bool ok) { result = ok; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, 20000));
    EXPECT_TRUE(*result);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_GT(std::filesystem::file_size(file), 0u);
    std::ifstream in(file, std::ios::binary);
    std::string header(4, '\0');
    in.read(header.data(), 4);
    EXPECT_EQ(header, "%PDF");
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".part"));
}

TEST_F(WebKitPageEngineTest, PreviewAndMailSaySoWhenTheDesktopHasNoProgramForThem) {
    // The desktop's programs come from an empty folder: none for PDF files or for mail.
    const std::filesystem::path nothing = scratchFolder() / "no programs";
    std::filesystem::create_directories(nothing);
    ::setenv("XDG_DATA_DIRS", nothing.c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", nothing.c_str(), 1);
    server.addPage("/print.html", page("Print me", "", "<h1>Printed page</h1>"));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/print.html")));

    // The preview is the page as a PDF file, handed to the desktop's viewer.
    dialogs.answer(Dialogs::Answer::Ok);
    EXPECT_TRUE(h->engine->printPreview());
    ASSERT_TRUE(waitUntil([&] { return dialogs.shown().size() == 1; }, 20000));
    EXPECT_EQ(dialogs.shown()[0].title, "Print Preview");
    EXPECT_NE(dialogs.shown()[0].text.find("No program is set up to open \"Print Preview.pdf\""),
              std::string::npos)
        << dialogs.shown()[0].text;
    const std::filesystem::path preview =
        scratchFolder() / "cache" / "larkspan" / "Print Preview.pdf";
    std::ifstream in(preview, std::ios::binary);
    std::string header(4, '\0');
    in.read(header.data(), 4);
    EXPECT_EQ(header, "%PDF");

    // A mail address has no program to go to either.
    dialogs.answer(Dialogs::Answer::Ok);
    h->engine->navigate("mailto:someone@example.org");
    ASSERT_TRUE(waitUntil([&] { return dialogs.shown().size() == 2; }, kLoadTimeoutMs));
    EXPECT_EQ(dialogs.shown()[1].text, kNoMailProgram);
    EXPECT_EQ(h->engine->locationURL(), server.url("/print.html"));
}

TEST_F(WebKitPageEngineTest, PrintToPdfReportsFailure) {
    auto h = hosted();
    std::optional<bool> nothingLoaded;
    h->engine->printToPdf((scratchFolder() / "empty.pdf").string(),
                          [&](bool ok) { nothingLoaded = ok; });
    ASSERT_TRUE(waitUntil([&] { return nothingLoaded.has_value(); }, kLoadTimeoutMs));
    EXPECT_FALSE(*nothingLoaded);

    server.addPage("/print.html", page("Print me", "", "text"));
    ASSERT_TRUE(h->load(server.url("/print.html")));
    std::filesystem::path file = scratchFolder() / "no such folder" / "out.pdf";
    std::optional<bool> result;
    h->engine->printToPdf(file.string(), [&](bool ok) { result = ok; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }, 20000));
    EXPECT_FALSE(*result);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// ---- Script errors ----------------------------------------------------------------------

std::string throwingPage() {
    return page("Throwing",
                "<script>throw new Error('boom');</script>"
                "<script>Promise.reject(new Error('rejected'));</script>"
                "<script>setTimeout(function () { document.title = 'after'; }, 0);</script>",
                "throwing");
}

TEST_F(WebKitPageEngineTest, ScriptErrorsAreReportedWhenNotSilent) {
    server.addPage("/throw.html", throwingPage());
    auto h = hosted();
    EXPECT_FALSE(h->engine->silent());
    h->engine->navigate(server.url("/throw.html"));
    ASSERT_TRUE(waitUntil(
        [&] {
            return h->log->hasStatusStartingWith(std::string(engine::kErrorOnPage)) &&
                   h->log->has("title", "after");
        },
        kLoadTimeoutMs));
    auto reported = [&](const std::string& word) {
        return std::any_of(h->log->entries.begin(), h->log->entries.end(), [&](const auto& e) {
            return e.kind == "status" && e.text.rfind(engine::kErrorOnPage, 0) == 0 &&
                   e.text.find(word) != std::string::npos;
        });
    };
    EXPECT_TRUE(reported("boom"));
    // The unhandled rejection is reported once the engine notices it.
    EXPECT_TRUE(waitUntil([&] { return reported("rejected"); }, kLoadTimeoutMs));
}

TEST_F(WebKitPageEngineTest, ScriptErrorInPopupIsReportedByThePopupsEngine) {
    server.addPage("/opener.html", scriptOpener("/throw.html"));
    server.addPage("/throw.html", throwingPage());
    auto h = hosted();
    std::unique_ptr<HostedEngine> popup;
    h->engine->signalNewWindow2.connect([&](NewWindowRequest& request) {
        popup = std::make_unique<HostedEngine>(h->engine->createRelated());
        request.ppDisp = popup->engine.get();
    });
    h->engine->navigate(server.url("/opener.html"));
    ASSERT_TRUE(waitUntil(
        [&] {
            return popup && popup->log->has("title", "after") &&
                   popup->log->hasStatusStartingWith(std::string(engine::kErrorOnPage));
        },
        kLoadTimeoutMs));
    EXPECT_FALSE(h->log->hasStatusStartingWith(std::string(engine::kErrorOnPage)));
}

TEST_F(WebKitPageEngineTest, SilentEngineReportsNoScriptErrors) {
    server.addPage("/throw.html", throwingPage());
    auto h = hosted();
    h->engine->setSilent(true);
    EXPECT_TRUE(h->engine->silent());
    h->engine->navigate(server.url("/throw.html"));
    // The title is set after the errors were raised, through the same channel.
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "after"); }, kLoadTimeoutMs));
    ASSERT_TRUE(waitUntil([&] { return h->log->count("complete") > 0; }, kLoadTimeoutMs));
    EXPECT_FALSE(h->log->hasStatusStartingWith(std::string(engine::kErrorOnPage)));
}

// ---- Document commands ------------------------------------------------------------------

TEST_F(WebKitPageEngineTest, ZoomLevelIsSetAndQueriedBack) {
    server.addPage("/zoom.html", page("Zoom", "", "zoom"));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/zoom.html")));
    EXPECT_EQ(h->engine->zoomLevel(), engine::kDefaultZoomLevel);
    ASSERT_TRUE(h->engine->setZoomLevel(3));
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(h->view()), engine::kZoomFactors[3]);
    EXPECT_EQ(h->engine->zoomLevel(), 3);
    EXPECT_FALSE(h->engine->setZoomLevel(5));
    EXPECT_FALSE(h->engine->setZoomLevel(-1));
    EXPECT_EQ(h->engine->zoomLevel(), 3);
}

TEST_F(WebKitPageEngineTest, SelectAllAndCopyActOnThePage) {
    server.addPage("/text.html", page("Text", "", "<p>Copy this text</p>"));
    auto h = hosted();
    EXPECT_FALSE(h->engine->copy());  // no page yet
    ASSERT_TRUE(h->load(server.url("/text.html")));
    ASSERT_TRUE(h->engine->selectAll());
    h->runScript("document.title = 'selected:' + window.getSelection().toString().trim();");
    ASSERT_TRUE(
        waitUntil([&] { return h->log->has("title", "selected:Copy this text"); }, kLoadTimeoutMs));
}

TEST_F(WebKitPageEngineTest, TypingInAFieldCanBeUndoneAndTheFieldIsKnownFocused) {
    server.addPage("/form.html", page("Form", "", "<input id='field'>"));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/form.html")));
    auto undoable = [&] {
        std::optional<bool> answer;
        h->engine->canUndo([&](bool can) { answer = can; });
        EXPECT_TRUE(waitUntil([&] { return answer.has_value(); }, kLoadTimeoutMs));
        return answer.value_or(false);
    };
    EXPECT_FALSE(undoable());
    EXPECT_FALSE(h->engine->editableFocused());
    h->runScript(
        "var f = document.getElementById('field'); f.focus();"
        "document.execCommand('insertText', false, 'typed'); document.title = 'typed';");
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "typed"); }, kLoadTimeoutMs));
    EXPECT_TRUE(undoable());
    // The field has the page's focus, and the engine knows it.
    EXPECT_TRUE(waitUntil([&] { return h->engine->editableFocused(); }, kLoadTimeoutMs));
    ASSERT_TRUE(h->engine->undo());
    h->runScript("document.title = 'value:' + document.getElementById('field').value;");
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "value:"); }, kLoadTimeoutMs));
    h->runScript("document.getElementById('field').blur();");
    EXPECT_TRUE(waitUntil([&] { return !h->engine->editableFocused(); }, kLoadTimeoutMs));
}

TEST_F(WebKitPageEngineTest, FindCountsTheMatchesWithOrWithoutCase) {
    server.addPage("/find.html", page("Find", "", "<p>Apple, apple and APPLE; a pear.</p>"));
    auto h = hosted();
    EXPECT_FALSE(h->engine->find({"apple"}, [](unsigned) {}));  // no page yet
    ASSERT_TRUE(h->load(server.url("/find.html")));
    auto count = [&](const FindQuery& query) {
        std::optional<unsigned> matches;
        EXPECT_TRUE(h->engine->find(query, [&](unsigned n) { matches = n; }));
        EXPECT_TRUE(waitUntil([&] { return matches.has_value(); }, kLoadTimeoutMs));
        return matches.value_or(999);
    };
    EXPECT_EQ(count({"apple", true, false}), 3u);
    EXPECT_EQ(count({"apple", false, true}), 1u);
    EXPECT_EQ(count({"plum", true, false}), 0u);
    // The match found is selected.
    count({"pear", true, false});
    h->runScript("document.title = 'found:' + window.getSelection().toString();");
    ASSERT_TRUE(waitUntil([&] { return h->log->has("title", "found:pear"); }, kLoadTimeoutMs));
}

TEST_F(WebKitPageEngineTest, PropertiesGiveTitleAddressTypeSizeAndSecureState) {
    const std::string body = page("About this page", "", "<p>Some text</p>");
    server.addPage("/props.html", body, "text/html");
    auto h = hosted();
    EXPECT_FALSE(h->engine->properties([](const PageProperties&) {}));  // no page yet
    ASSERT_TRUE(h->load(server.url("/props.html")));
    std::optional<PageProperties> shown;
    ASSERT_TRUE(h->engine->properties([&](const PageProperties& p) { shown = p; }));
    ASSERT_TRUE(waitUntil([&] { return shown.has_value(); }, kLoadTimeoutMs));
    EXPECT_EQ(shown->title, "About this page");
    EXPECT_EQ(shown->address, server.url("/props.html"));
    EXPECT_EQ(shown->type, "text/html");
    EXPECT_EQ(shown->size, body.size());
    EXPECT_EQ(shown->secureState, engine::kSecureNone);
}

TEST_F(WebKitPageEngineTest, SaveAsWritesTheFileChosenInTheProgramsDialog) {
    server.addPage("/save.html", page("Saved page", "", "<p>keep me</p>"));
    auto h = hosted();
    ASSERT_TRUE(h->load(server.url("/save.html")));
    const std::filesystem::path file = scratchFolder() / "saved copy.mht";
    dialogs.file(file.string());
    EXPECT_TRUE(h->engine->saveAs());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, "save");
    EXPECT_EQ(dialogs.shown()[0].text, "Saved page.mht");
    ASSERT_TRUE(waitUntil(
        [&] {
            std::error_code ec;
            return std::filesystem::file_size(file, ec) > 0 && !ec;
        },
        kLoadTimeoutMs));
    std::ifstream in(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("multipart/related"), std::string::npos);
    EXPECT_NE(content.find("keep me"), std::string::npos);

    // Cancelled: nothing is saved, and the command still counts as done.
    dialogs.file(std::nullopt);
    EXPECT_TRUE(h->engine->saveAs());
    EXPECT_TRUE(dialogs.allAnswered());
}

// ---- The built-in site ------------------------------------------------------------------

TEST_F(WebKitPageEngineTest, MakerSitePagesLoad) {
    auto h = hosted();
    ASSERT_TRUE(h->load(site::kHome));

    EXPECT_EQ(h->engine->locationURL(), site::kHome);
    EXPECT_FALSE(h->engine->documentTitle().empty());
    std::optional<std::optional<std::string>> markup;
    h->engine->documentMarkup([&](std::optional<std::string> m) { markup = m; });
    ASSERT_TRUE(waitUntil([&] { return markup.has_value(); }, kLoadTimeoutMs));
    ASSERT_TRUE(markup->has_value());
    EXPECT_NE((*markup)->find("CII.htm"), std::string::npos);
    EXPECT_NE((*markup)->find("download.php"), std::string::npos);

    std::string home = h->engine->documentTitle();
    ASSERT_TRUE(h->load(site::kIssuePage));
    EXPECT_FALSE(h->engine->documentTitle().empty());
    EXPECT_NE(h->engine->documentTitle(), home);
    ASSERT_TRUE(h->load(site::kDownloadPage));
    EXPECT_FALSE(h->engine->documentTitle().empty());
    EXPECT_NE(h->engine->documentTitle(), home);
}

TEST_F(WebKitPageEngineTest, UnknownMakerSitePageFailsCleanly) {
    auto h = hosted();
    // The engine shows an error page of its own for the address.
    ASSERT_TRUE(h->load("larkspan://site/no-such-page.html"));
    std::vector<long> progress = h->log->progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), -1L), h->log->count("complete"));
    EXPECT_EQ(h->log->indexOf("navigate", std::string(site::kHome)), -1);
    std::optional<std::optional<std::string>> markup;
    h->engine->documentMarkup([&](std::optional<std::string> m) { markup = m; });
    ASSERT_TRUE(waitUntil([&] { return markup.has_value(); }, kLoadTimeoutMs));
    if (markup->has_value()) {
        EXPECT_EQ((*markup)->find("Welcome to Larkspan"), std::string::npos);
    }
    // The engine still works afterwards.
    ASSERT_TRUE(h->load(site::kHome));
    EXPECT_FALSE(h->engine->documentTitle().empty());
}

// ---- Plain rules --------------------------------------------------------------------------

TEST(WebKitPageEngineRules, ZoomLevelsMapToFactorsAndBack) {
    for (int level = 0; level < 5; ++level) {
        auto factor = engine::zoomFactorForLevel(level);
        ASSERT_TRUE(factor.has_value());
        EXPECT_EQ(engine::zoomLevelForFactor(*factor), level);
    }
    EXPECT_DOUBLE_EQ(*engine::zoomFactorForLevel(2), 1.0);
    EXPECT_FALSE(engine::zoomFactorForLevel(-1));
    EXPECT_FALSE(engine::zoomFactorForLevel(5));
    EXPECT_EQ(engine::zoomLevelForFactor(0.1), 0);
    EXPECT_EQ(engine::zoomLevelForFactor(9.0), 4);
    EXPECT_EQ(engine::zoomLevelForFactor(1.05), 2);
    EXPECT_EQ(engine::zoomLevelForFactor(std::numeric_limits<double>::quiet_NaN()), 2);
}

TEST(WebKitPageEngineRules, ProgressFractionsBecomePercentages) {
    EXPECT_EQ(engine::progressPercent(0.0), 0);
    EXPECT_EQ(engine::progressPercent(0.1), 10);
    EXPECT_EQ(engine::progressPercent(0.996), 100);
    EXPECT_EQ(engine::progressPercent(1.0), 100);
    EXPECT_EQ(engine::progressPercent(1.7), 100);
    EXPECT_EQ(engine::progressPercent(-0.5), 0);
    EXPECT_EQ(engine::progressPercent(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(WebKitPageEngineRules, TypedAddressesBecomeLoadableAddresses) {
    EXPECT_EQ(engine::normalizeAddress("  https://example.org/a?b=1  "),
              "https://example.org/a?b=1");
    EXPECT_EQ(engine::normalizeAddress("example.org"), "http://example.org");
    EXPECT_EQ(engine::normalizeAddress("localhost:8080/x"), "http://localhost:8080/x");
    EXPECT_EQ(engine::normalizeAddress("localhost:8080"), "http://localhost:8080");
    EXPECT_EQ(engine::normalizeAddress("127.0.0.1:8000"), "http://127.0.0.1:8000");
    EXPECT_EQ(engine::normalizeAddress("about:blank"), "about:blank");
    EXPECT_EQ(engine::normalizeAddress("mailto:someone@example.org"), "mailto:someone@example.org");
    EXPECT_EQ(engine::normalizeAddress(site::kDownloadPage), site::kDownloadPage);
    EXPECT_EQ(engine::normalizeAddress("/tmp/a page.html"), "file:///tmp/a%20page.html");
    gchar* home =
        g_filename_to_uri((std::string(g_get_home_dir()) + "/page.html").c_str(), nullptr, nullptr);
    EXPECT_EQ(engine::normalizeAddress(" ~/page.html"), home);
    g_free(home);
    EXPECT_EQ(engine::normalizeAddress("~user.example.org"), "http://~user.example.org");
    EXPECT_EQ(engine::normalizeAddress("   "), "");
    EXPECT_EQ(engine::normalizeAddress(""), "");
}

TEST(MakerSiteAddresses, NameTheirBuiltInPages) {
    const std::string folder = "/org/larkspan/Larkspan/site/";
    EXPECT_EQ(makerSiteResourcePath(site::kHome), folder + "index.html");
    EXPECT_EQ(makerSiteResourcePath("larkspan://site"), folder + "index.html");
    EXPECT_EQ(makerSiteResourcePath("LARKSPAN://Site/index.html"), folder + "index.html");
    EXPECT_EQ(makerSiteResourcePath(site::kIssuePage), folder + "CII.htm");
    EXPECT_EQ(makerSiteResourcePath(site::kDownloadPage), folder + "download.php");
    EXPECT_EQ(makerSiteResourcePath("larkspan://site/download.php"), folder + "download.php");
    EXPECT_EQ(makerSiteResourcePath("larkspan://site/CII.htm#top"), folder + "CII.htm");

    EXPECT_FALSE(makerSiteResourcePath("larkspan://site/nothing.html"));
    EXPECT_FALSE(makerSiteResourcePath("larkspan://site/../site/CII.htm"));
    EXPECT_EQ(makerSiteResourcePath("larkspan://site/%43II.htm"), folder + "CII.htm");
    EXPECT_FALSE(makerSiteResourcePath("larkspan://site/CII.htm/more"));
    EXPECT_FALSE(makerSiteResourcePath("larkspan://other/CII.htm"));
    EXPECT_FALSE(makerSiteResourcePath("larkspan://site:81/"));
    EXPECT_FALSE(makerSiteResourcePath("http://site/CII.htm"));
    EXPECT_FALSE(makerSiteResourcePath("not an address"));
    EXPECT_FALSE(makerSiteResourcePath(""));
}

TEST(MakerSiteAddresses, PagesAreBuiltIn) {
    for (const char* address : {site::kHome, site::kIssuePage, site::kDownloadPage}) {
        auto path = makerSiteResourcePath(address);
        ASSERT_TRUE(path) << address;
        GBytes* bytes =
            g_resources_lookup_data(path->c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
        ASSERT_NE(bytes, nullptr) << *path;
        std::string text(static_cast<const char*>(g_bytes_get_data(bytes, nullptr)),
                         g_bytes_get_size(bytes));
        g_bytes_unref(bytes);
        EXPECT_NE(text.find("<title>"), std::string::npos) << *path;
        EXPECT_NE(text.find("Larkspan"), std::string::npos) << *path;
    }
}

}  // namespace
}  // namespace larkspan
