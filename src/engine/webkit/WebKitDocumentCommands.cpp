// The page engine's document commands: editing, find, print, page setup, save, zoom,
// properties, PDF.
#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "common/DesktopOpen.hpp"
#include "common/Failure.hpp"
#include "common/Paths.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan {

using webkit_internal::toString;
using webkit_internal::unrefLater;

namespace {

constexpr const char* kPreviewTitle = "Print Preview";
constexpr const char* kPreviewFile = "Print Preview.pdf";

GtkWindow* toplevelWindow(WebKitWebView* view) {
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
    if (top != nullptr && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top)) {
        return GTK_WINDOW(top);
    }
    return nullptr;
}

// A file name made from a page title: characters a file name cannot hold are replaced and
// a long title is cut to a length every file system takes.
std::string fileNameFromTitle(const std::string& title) {
    constexpr glong kMaxNameChars = 100;
    std::string shortTitle = title;
    if (g_utf8_validate(title.c_str(), -1, nullptr) &&
        g_utf8_strlen(title.c_str(), -1) > kMaxNameChars) {
        const char* end = g_utf8_offset_to_pointer(title.c_str(), kMaxNameChars);
        shortTitle.assign(title.c_str(), static_cast<std::size_t>(end - title.c_str()));
    }
    std::string name;
    for (char c : shortTitle) {
        name += (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) {
        name.pop_back();
    }
    if (name.empty()) {
        name = "page";
    }
    return name + ".mht";
}

constexpr const char* kPdfType = "application/pdf";

// The media type of the document the view shows, as its server gave it.
std::string shownType(WebKitWebView* view) {
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    WebKitURIResponse* response =
        resource != nullptr ? webkit_web_resource_get_response(resource) : nullptr;
    return response != nullptr ? toString(webkit_uri_response_get_mime_type(response)) : "";
}

// The name a shown PDF document is saved under: the last part of its address, else its title.
std::string pdfFileName(const std::string& address, const std::string& title) {
    std::string last;
    if (GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr)) {
        const std::string path = toString(g_uri_get_path(uri));
        g_uri_unref(uri);
        if (gchar* plain =
                g_uri_unescape_string(path.substr(path.find_last_of('/') + 1).c_str(), nullptr)) {
            last = plain;
            g_free(plain);
        }
    }
    std::string name = fileNameFromTitle(last.empty() ? title : last);
    name.resize(name.size() - std::string_view(".mht").size());
    if (name.size() < 4 || g_ascii_strcasecmp(name.c_str() + name.size() - 4, ".pdf") != 0) {
        name += ".pdf";
    }
    return name;
}

// A shown PDF document saved as the bytes it came in, into a temporary file renamed into place.
struct DocumentSave {
    std::string file;
};

void onDocumentData(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<DocumentSave> save(static_cast<DocumentSave*>(data));
    GError* error = nullptr;
    gsize length = 0;
    guchar* bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, &error);
    if (bytes != nullptr) {
        // GLib writes a temporary file beside it and renames it into place.
        g_file_set_contents(save->file.c_str(), reinterpret_cast<const gchar*>(bytes),
                            static_cast<gssize>(length), nullptr);
        g_free(bytes);
    }
    if (error != nullptr) g_error_free(error);
}

bool startsWithPdfHeader(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char header[4] = {};
    return in.read(header, sizeof header) && std::string(header, sizeof header) == "%PDF";
}

// One printToPdf in flight.
struct PdfJob {
    std::weak_ptr<bool> alive;
    std::filesystem::path target;
    std::filesystem::path partial;
    std::function<void(bool)> done;
    bool failed = false;
};

// One properties call waiting for the size of the page.
struct PropertiesCall {
    std::weak_ptr<bool> alive;
    PageProperties properties;
    std::function<void(const PageProperties&)> done;
};

// One canUndo waiting for the engine's answer.
struct CanUndoCall {
    std::weak_ptr<bool> alive;
    std::function<void(bool)> done;
};

template <typename F, typename... Args>
void callGuarded(const F& done, Args&&... args) {
    if (!done) {
        return;
    }
    try {
        done(std::forward<Args>(args)...);
    } catch (...) {
        reportFailure("handing over a document command's answer");
    }
}

}  // namespace

// ---- The commands --------------------------------------------------------------------

bool WebKitPageEngine::runEditing(const char* command) {
    if (!hasPage()) {
        return false;
    }
    webkit_web_view_execute_editing_command(view_, command);
    return true;
}

bool WebKitPageEngine::cut() {
    return runEditing(WEBKIT_EDITING_COMMAND_CUT);
}

bool WebKitPageEngine::copy() {
    return runEditing(WEBKIT_EDITING_COMMAND_COPY);
}

bool WebKitPageEngine::paste() {
    return runEditing(WEBKIT_EDITING_COMMAND_PASTE);
}

bool WebKitPageEngine::selectAll() {
    return runEditing(WEBKIT_EDITING_COMMAND_SELECT_ALL);
}

bool WebKitPageEngine::editableFocused() const {
    if (viewDestroyed_) {
        return false;
    }
    // Pasting is possible exactly where the selection (the caret) lies in editable content.
    WebKitEditorState* state = webkit_web_view_get_editor_state(view_);
    return state != nullptr && webkit_editor_state_is_paste_available(state);
}

bool WebKitPageEngine::undo() {
    return runEditing(WEBKIT_EDITING_COMMAND_UNDO);
}

void WebKitPageEngine::canUndo(std::function<void(bool)> done) {
    if (!hasPage()) {
        callGuarded(done, false);
        return;
    }
    webkit_web_view_can_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_UNDO, cancellable_,
                                                WebKitPageEngineCallbacks::onCanUndo,
                                                new CanUndoCall{alive_, std::move(done)});
}

std::optional<int> WebKitPageEngine::zoomLevel() const {
    if (viewDestroyed_) {
        return std::nullopt;
    }
    return engine::zoomLevelForFactor(webkit_web_view_get_zoom_level(view_));
}

bool WebKitPageEngine::setZoomLevel(int level) {
    auto factor = engine::zoomFactorForLevel(level);
    if (viewDestroyed_ || !factor) {
        return false;
    }
    webkit_web_view_set_zoom_level(view_, *factor);
    return true;
}

bool WebKitPageEngine::find(const FindQuery& query, std::function<void(unsigned)> counted) {
    if (!hasPage() || query.text.empty()) {
        return false;
    }
    guint32 options = WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (!query.matchCase) {
        options |= WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
    }
    if (!query.forward) {
        options |= WEBKIT_FIND_OPTIONS_BACKWARDS;
    }
    WebKitFindController* controller = webkit_web_view_get_find_controller(view_);
    findCounted_ = std::move(counted);
    // The search selects the next match; the count comes separately, as WebKit reports the
    // number of matches only when asked to count them.
    webkit_find_controller_search(controller, query.text.c_str(), options, G_MAXUINT);
    webkit_find_controller_count_matches(controller, query.text.c_str(), options, G_MAXUINT);
    return true;
}

bool WebKitPageEngine::print() {
    return !viewDestroyed_ && runPrintDialog();
}

bool WebKitPageEngine::printPreview() {
    // The engine's print dialog offers no preview: the page is printed to a PDF file in the
    // cache folder, which the desktop's viewer shows.
    if (!hasPage()) {
        return false;
    }
    const std::filesystem::path file = paths::cacheDir() / kPreviewFile;
    std::weak_ptr<bool> alive = alive_;
    printToPdf(file.string(), [this, alive, file](bool printed) {
        // Told from the main loop, not from inside the print operation's signal.
        Glib::signal_idle().connect_once([this, alive, file, printed] {
            if (alive.expired()) {
                return;
            }
            Gtk::Window* parent = nullptr;
            if (GtkWindow* top = viewDestroyed_ ? nullptr : toplevelWindow(view_)) {
                parent = Glib::wrap(top);
            }
            if (!printed) {
                dialogs_().message(parent, "The page could not be prepared for the preview.",
                                   kPreviewTitle, Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                                   [](Dialogs::Answer) {});
                return;
            }
            openFileOrSay(parent, file, kPreviewTitle);
        });
    });
    return true;
}

namespace {

// A print or page setup dialog's answer, for the engine that showed it (if it still lives).
struct PrintDialogAnswer {
    std::weak_ptr<bool> alive;
    std::function<void()> printWith;  // set for the print dialog
    std::function<void(GtkPageSetup*)> keepSetup;
};

void forgetPrintDialogAnswer(gpointer data, GClosure*) {
    delete static_cast<PrintDialogAnswer*>(data);
}

}  // namespace

bool WebKitPageEngine::runPrintDialog() {
    if (!hasPage()) {
        return false;
    }
    // The print dialog of our own, answered through its response: the engine's own dialog
    // would wait for the user in a nested main loop.
    GtkWidget* dialog = gtk_print_unix_dialog_new(nullptr, toplevelWindow(view_));
    GtkPrintUnixDialog* chooser = GTK_PRINT_UNIX_DIALOG(dialog);
    gtk_print_unix_dialog_set_manual_capabilities(
        chooser, static_cast<GtkPrintCapabilities>(
                     GTK_PRINT_CAPABILITY_NUMBER_UP | GTK_PRINT_CAPABILITY_NUMBER_UP_LAYOUT |
                     GTK_PRINT_CAPABILITY_PAGE_SET | GTK_PRINT_CAPABILITY_REVERSE |
                     GTK_PRINT_CAPABILITY_COPIES | GTK_PRINT_CAPABILITY_COLLATE |
                     GTK_PRINT_CAPABILITY_SCALE));
    gtk_print_unix_dialog_set_embed_page_setup(chooser, TRUE);
    if (printSettings_ != nullptr) {
        gtk_print_unix_dialog_set_settings(chooser, printSettings_);
    }
    if (pageSetup_ != nullptr) {
        gtk_print_unix_dialog_set_page_setup(chooser, pageSetup_);
    }
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    auto* answer = new PrintDialogAnswer{alive_, nullptr, nullptr};
    answer->keepSetup = [this, chooser](GtkPageSetup*) {
        // Keep the choices made in the dialog for the next print.
        GtkPrintSettings* chosen = gtk_print_unix_dialog_get_settings(chooser);
        if (GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(chooser)) {
            gtk_print_settings_set_printer(chosen, gtk_printer_get_name(printer));
        }
        if (printSettings_ != nullptr) {
            g_object_unref(printSettings_);
        }
        printSettings_ = chosen;
        if (GtkPageSetup* setup = gtk_print_unix_dialog_get_page_setup(chooser)) {
            if (pageSetup_ != nullptr) {
                g_object_unref(pageSetup_);
            }
            pageSetup_ = gtk_page_setup_copy(setup);
        }
    };
    answer->printWith = [this] {
        if (viewDestroyed_) {
            return;
        }
        WebKitPrintOperation* operation = webkit_print_operation_new(view_);
        webkit_print_operation_set_print_settings(operation, printSettings_);
        if (pageSetup_ != nullptr) {
            webkit_print_operation_set_page_setup(operation, pageSetup_);
        }
        g_signal_connect(operation, "finished", G_CALLBACK(WebKitPageEngineCallbacks::onPrintDone),
                         nullptr);
        webkit_print_operation_print(operation);
    };
    g_signal_connect_data(dialog, "response",
                          G_CALLBACK(+[](GtkDialog* shown, int response, gpointer data) {
                              auto* answered = static_cast<PrintDialogAnswer*>(data);
                              if (response == GTK_RESPONSE_OK && !answered->alive.expired()) {
                                  try {
                                      answered->keepSetup(nullptr);
                                      answered->printWith();
                                  } catch (...) {
                                      reportFailure("printing the page");
                                  }
                              }
                              // The answer goes with the dialog, once this signal is over.
                              gtk_widget_destroy(GTK_WIDGET(shown));
                          }),
                          answer, forgetPrintDialogAnswer, static_cast<GConnectFlags>(0));
    gtk_widget_show(dialog);
    return true;
}

bool WebKitPageEngine::pageSetup() {
    if (viewDestroyed_) {
        return false;
    }
    if (printSettings_ == nullptr) {
        printSettings_ = gtk_print_settings_new();
    }
    auto* answer = new PrintDialogAnswer{alive_, nullptr, nullptr};
    answer->keepSetup = [this](GtkPageSetup* chosen) {
        if (chosen == nullptr) {
            return;
        }
        GtkPageSetup* copy = gtk_page_setup_copy(chosen);
        if (pageSetup_ != nullptr) {
            g_object_unref(pageSetup_);
        }
        pageSetup_ = copy;
    };
    gtk_print_run_page_setup_dialog_async(
        toplevelWindow(view_), pageSetup_, printSettings_,
        +[](GtkPageSetup* chosen, gpointer data) {
            // The dialog keeps `chosen`; cancelled, it is the setup it was shown with.
            std::unique_ptr<PrintDialogAnswer> answered(static_cast<PrintDialogAnswer*>(data));
            if (answered->alive.expired()) {
                return;
            }
            try {
                answered->keepSetup(chosen);
            } catch (...) {
                reportFailure("keeping the page setup");
            }
        },
        answer);
    return true;
}

bool WebKitPageEngine::saveAs() {
    if (!hasPage()) {
        return false;
    }
    std::weak_ptr<bool> alive = alive_;
    Gtk::Window* parent = nullptr;
    if (GtkWindow* top = toplevelWindow(view_)) {
        parent = Glib::wrap(top);
    }
    // A PDF document the engine shows in its viewer is saved as the document itself.
    const bool pdf = shownType(view_) == kPdfType;
    try {
        dialogs_().saveFile(
            parent, pdf ? "Save Document" : "Save Web Page",
            pdf ? pdfFileName(locationURL(), documentTitle()) : fileNameFromTitle(documentTitle()),
            pdf ? std::vector<Dialogs::FileFilter>{{"PDF document (*.pdf)", {"*.pdf"}}}
                : std::vector<Dialogs::FileFilter>{{"Web archive (*.mht)", {"*.mht"}}},
            [this, alive, pdf](std::optional<std::string> chosen) {
                if (!chosen || chosen->empty() || alive.expired() || viewDestroyed_) {
                    return;
                }
                WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
                if (pdf && resource != nullptr) {
                    webkit_web_resource_get_data(resource, cancellable_, onDocumentData,
                                                 new DocumentSave{*chosen});
                    return;
                }
                GFile* file = g_file_new_for_path(chosen->c_str());
                webkit_web_view_save_to_file(view_, file, WEBKIT_SAVE_MODE_MHTML, nullptr,
                                             WebKitPageEngineCallbacks::onSaved, nullptr);
                g_object_unref(file);
            });
    } catch (...) {
        reportFailure("asking where to save the page");
        return false;
    }
    return true;
}

PageProperties WebKitPageEngine::currentProperties() const {
    PageProperties result;
    result.title = documentTitle();
    result.address = locationURL();
    result.secureState = secureState_;
    return result;
}

bool WebKitPageEngine::properties(std::function<void(const PageProperties&)> done) {
    if (!hasPage()) {
        return false;
    }
    PageProperties result = currentProperties();
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
    if (resource == nullptr) {
        callGuarded(done, result);
        return true;
    }
    if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
        result.type = toString(webkit_uri_response_get_mime_type(response));
    }
    // The size is that of the page's data, which WebKit hands over asynchronously.
    auto* call = new PropertiesCall{alive_, std::move(result), std::move(done)};
    webkit_web_resource_get_data(resource, cancellable_, WebKitPageEngineCallbacks::onPageData,
                                 call);
    return true;
}

void WebKitPageEngine::printToPdf(const std::string& file, std::function<void(bool)> done) {
    auto refuse = [&done] {
        if (done) {
            try {
                done(false);
            } catch (...) {
                reportFailure("reporting a print to PDF that could not start");
            }
        }
    };
    if (file.empty() || !hasPage()) {
        refuse();
        return;
    }
    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(file, ec);
    if (ec || target.filename().empty()) {
        refuse();
        return;
    }
    std::filesystem::path partial = target;
    partial += ".part";
    std::filesystem::remove(partial, ec);
    gchar* uri = g_filename_to_uri(partial.c_str(), nullptr, nullptr);
    if (uri == nullptr) {
        refuse();
        return;
    }
    GtkPrintSettings* settings = gtk_print_settings_new();
    // The file printer carries a translated name; ask GTK's own catalogue for it.
    gtk_print_settings_set_printer(settings, g_dgettext("gtk30", "Print to File"));
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    g_free(uri);

    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    webkit_print_operation_set_print_settings(operation, settings);
    g_object_unref(settings);
    if (pageSetup_ != nullptr) {
        webkit_print_operation_set_page_setup(operation, pageSetup_);
    }
    auto* job = new PdfJob{alive_, target, partial, std::move(done)};
    g_signal_connect(operation, "failed", G_CALLBACK(WebKitPageEngineCallbacks::onPdfFailed), job);
    g_signal_connect(operation, "finished", G_CALLBACK(WebKitPageEngineCallbacks::onPdfFinished),
                     job);
    webkit_print_operation_print(operation);
}

// ---- Their callbacks -----------------------------------------------------------------

void WebKitPageEngineCallbacks::onSaved(GObject* source, GAsyncResult* result, gpointer) {
    GError* error = nullptr;
    webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
}

void WebKitPageEngineCallbacks::onPageData(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PropertiesCall> call(static_cast<PropertiesCall*>(data));
    GError* error = nullptr;
    gsize length = 0;
    guchar* bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, &error);
    g_free(bytes);
    if (error == nullptr) {
        call->properties.size = length;
    } else {
        g_error_free(error);
    }
    if (!call->alive.expired()) {
        callGuarded(call->done, call->properties);
    }
}

void WebKitPageEngineCallbacks::onCountedMatches(WebKitFindController*, guint count,
                                                 gpointer data) {
    auto* self = engineOf(data);
    // The callback may start another search; it is moved out first.
    auto counted = std::move(self->findCounted_);
    self->findCounted_ = nullptr;
    callGuarded(counted, static_cast<unsigned>(count));
}

void WebKitPageEngineCallbacks::onCanUndo(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<CanUndoCall> call(static_cast<CanUndoCall*>(data));
    GError* error = nullptr;
    gboolean can =
        webkit_web_view_can_execute_editing_command_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!call->alive.expired()) {
        callGuarded(call->done, can != FALSE);
    }
}

void WebKitPageEngineCallbacks::onPrintDone(WebKitPrintOperation* operation, gpointer) {
    g_idle_add(unrefLater, operation);
}

void WebKitPageEngineCallbacks::onPdfFailed(WebKitPrintOperation*, GError*, gpointer data) {
    static_cast<PdfJob*>(data)->failed = true;
}

void WebKitPageEngineCallbacks::onPdfFinished(WebKitPrintOperation* operation, gpointer data) {
    std::unique_ptr<PdfJob> job(static_cast<PdfJob*>(data));
    g_signal_handlers_disconnect_by_data(operation, data);
    g_idle_add(unrefLater, operation);
    bool ok = false;
    try {
        std::error_code ec;
        ok = !job->failed && std::filesystem::file_size(job->partial, ec) > 0 && !ec &&
             startsWithPdfHeader(job->partial);
        if (ok) {
            std::filesystem::rename(job->partial, job->target, ec);
            ok = !ec;
        }
        if (!ok) {
            std::filesystem::remove(job->partial, ec);
        }
    } catch (...) {
        reportFailure("putting a printed PDF file in place");
        ok = false;
    }
    if (job->alive.expired() || !job->done) {
        return;
    }
    try {
        job->done(ok);
    } catch (...) {
        reportFailure("reporting a finished print to PDF");
    }
}

}  // namespace larkspan
