// The page engine's document commands: editing, print, page setup, save, zoom, properties, PDF.
#include <gtk/gtk.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "engine/WebKitPageEngine.hpp"
#include "engine/WebKitPageEngineInternal.hpp"

namespace larkspan {

using webkit_internal::toString;
using webkit_internal::unrefLater;

namespace {

GtkWindow* toplevelWindow(WebKitWebView* view) {
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
    if (top != nullptr && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top)) {
        return GTK_WINDOW(top);
    }
    return nullptr;
}

std::string withThousands(std::size_t value) {
    std::string digits = std::to_string(value);
    std::string result;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0) {
            result.insert(result.begin(), ',');
        }
        result.insert(result.begin(), *it);
        ++count;
    }
    return result;
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

// One Properties window waiting for the size of the page.
struct PropertiesCall {
    std::weak_ptr<bool> alive;
    WebKitPageEngine* engine;
    std::string type;
};

}  // namespace

// ---- The commands --------------------------------------------------------------------

bool WebKitPageEngine::execCommand(DocCommand command, int /*option*/, std::optional<int> input,
                                   int* output) {
    if (viewDestroyed_) {
        return false;
    }
    try {
        auto editing = [this](const char* name) {
            if (!hasPage()) {
                return false;
            }
            webkit_web_view_execute_editing_command(view_, name);
            return true;
        };
        switch (command) {
            case DocCommand::Cut:
                return editing(WEBKIT_EDITING_COMMAND_CUT);
            case DocCommand::Copy:
                return editing(WEBKIT_EDITING_COMMAND_COPY);
            case DocCommand::Paste:
                return editing(WEBKIT_EDITING_COMMAND_PASTE);
            case DocCommand::Undo:
                return editing(WEBKIT_EDITING_COMMAND_UNDO);
            case DocCommand::SelectAll:
                return editing(WEBKIT_EDITING_COMMAND_SELECT_ALL);
            case DocCommand::Print:
            case DocCommand::PrintPreview:
                // The print dialog offers the preview.
                return runPrintDialog();
            case DocCommand::PageSetup:
                return runPageSetup();
            case DocCommand::SaveAs:
                return runSaveAs();
            case DocCommand::Properties:
                return showProperties();
            case DocCommand::Zoom:
                if (input) {
                    auto factor = engine::zoomFactorForLevel(*input);
                    if (!factor) {
                        return false;
                    }
                    webkit_web_view_set_zoom_level(view_, *factor);
                    return true;
                }
                if (output == nullptr) {
                    return false;
                }
                *output = engine::zoomLevelForFactor(webkit_web_view_get_zoom_level(view_));
                return true;
        }
    } catch (...) {
    }
    return false;
}

bool WebKitPageEngine::runPrintDialog() {
    if (!hasPage()) {
        return false;
    }
    std::weak_ptr<bool> alive = alive_;
    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    if (printSettings_ != nullptr) {
        webkit_print_operation_set_print_settings(operation, printSettings_);
    }
    if (pageSetup_ != nullptr) {
        webkit_print_operation_set_page_setup(operation, pageSetup_);
    }
    g_signal_connect(operation, "finished", G_CALLBACK(WebKitPageEngineCallbacks::onPrintDone),
                     nullptr);
    WebKitPrintOperationResponse response =
        webkit_print_operation_run_dialog(operation, toplevelWindow(view_));
    if (response != WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
        g_signal_handlers_disconnect_by_func(
            operation, reinterpret_cast<gpointer>(WebKitPageEngineCallbacks::onPrintDone), nullptr);
        g_object_unref(operation);
        return !alive.expired();
    }
    if (alive.expired()) {
        return false;
    }
    // Keep the choices made in the dialog for the next print.
    if (GtkPrintSettings* chosen = webkit_print_operation_get_print_settings(operation)) {
        GtkPrintSettings* copy = gtk_print_settings_copy(chosen);
        if (printSettings_ != nullptr) {
            g_object_unref(printSettings_);
        }
        printSettings_ = copy;
    }
    if (GtkPageSetup* chosen = webkit_print_operation_get_page_setup(operation)) {
        GtkPageSetup* copy = gtk_page_setup_copy(chosen);
        if (pageSetup_ != nullptr) {
            g_object_unref(pageSetup_);
        }
        pageSetup_ = copy;
    }
    return true;
}

bool WebKitPageEngine::runPageSetup() {
    std::weak_ptr<bool> alive = alive_;
    if (printSettings_ == nullptr) {
        printSettings_ = gtk_print_settings_new();
    }
    GtkPrintSettings* settings = GTK_PRINT_SETTINGS(g_object_ref(printSettings_));
    GtkPageSetup* chosen =
        gtk_print_run_page_setup_dialog(toplevelWindow(view_), pageSetup_, settings);
    g_object_unref(settings);
    if (alive.expired()) {
        if (chosen != nullptr) {
            g_object_unref(chosen);
        }
        return false;
    }
    if (chosen != nullptr) {
        if (pageSetup_ != nullptr) {
            g_object_unref(pageSetup_);
        }
        pageSetup_ = chosen;
    }
    return true;
}

bool WebKitPageEngine::runSaveAs() {
    if (!hasPage()) {
        return false;
    }
    std::weak_ptr<bool> alive = alive_;
    std::string suggested = fileNameFromTitle(documentTitle());
    std::string chosen;
    {
        Gtk::FileChooserDialog dialog("Save Web Page", Gtk::FILE_CHOOSER_ACTION_SAVE);
        if (GtkWindow* parent = toplevelWindow(view_)) {
            dialog.set_transient_for(*Glib::wrap(parent));
        }
        dialog.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dialog.add_button("_Save", Gtk::RESPONSE_ACCEPT);
        dialog.set_default_response(Gtk::RESPONSE_ACCEPT);
        dialog.set_do_overwrite_confirmation(true);
        dialog.set_current_name(suggested);
        auto filter = Gtk::FileFilter::create();
        filter->set_name("Web archive (*.mht)");
        filter->add_pattern("*.mht");
        dialog.add_filter(filter);
        if (dialog.run() != Gtk::RESPONSE_ACCEPT) {
            return !alive.expired();
        }
        chosen = dialog.get_filename();
    }
    if (alive.expired() || chosen.empty() || viewDestroyed_) {
        return false;
    }
    GFile* file = g_file_new_for_path(chosen.c_str());
    webkit_web_view_save_to_file(view_, file, WEBKIT_SAVE_MODE_MHTML, nullptr,
                                 WebKitPageEngineCallbacks::onSaved, nullptr);
    g_object_unref(file);
    return true;
}

bool WebKitPageEngine::showProperties() {
    if (!hasPage()) {
        return false;
    }
    std::string type;
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
    if (resource != nullptr) {
        if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
            type = toString(webkit_uri_response_get_mime_type(response));
        }
        auto* call = new PropertiesCall{alive_, this, type};
        webkit_web_resource_get_data(resource, cancellable_, WebKitPageEngineCallbacks::onPageData,
                                     call);
        return true;
    }
    presentProperties(type, std::nullopt);
    return true;
}

void WebKitPageEngine::presentProperties(const std::string& type, std::optional<std::size_t> size) {
    std::string title = documentTitle();
    std::string details = "Address: " + locationURL() + "\n";
    details += "Type: " + (type.empty() ? std::string("unknown") : type) + "\n";
    details += "Size: " + (size ? withThousands(*size) + " bytes" : std::string("unknown"));
    propertiesDialog_ =
        std::make_unique<Gtk::MessageDialog>(title.empty() ? std::string("(untitled page)") : title,
                                             false, Gtk::MESSAGE_INFO, Gtk::BUTTONS_CLOSE, false);
    propertiesDialog_->set_title("Properties");
    propertiesDialog_->set_secondary_text(details);
    if (GtkWindow* parent = toplevelWindow(view_)) {
        propertiesDialog_->set_transient_for(*Glib::wrap(parent));
    }
    Gtk::MessageDialog* dialog = propertiesDialog_.get();
    dialog->signal_response().connect([dialog](int) { dialog->hide(); });
    dialog->show();
}

void WebKitPageEngine::printToPdf(const std::string& file, std::function<void(bool)> done) {
    auto refuse = [&done] {
        if (done) {
            try {
                done(false);
            } catch (...) {
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
    std::optional<std::size_t> size;
    if (error == nullptr) {
        size = length;
    } else {
        g_error_free(error);
    }
    if (call->alive.expired()) {
        return;
    }
    try {
        call->engine->presentProperties(call->type, size);
    } catch (...) {
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
        ok = false;
    }
    if (job->alive.expired() || !job->done) {
        return;
    }
    try {
        job->done(ok);
    } catch (...) {
    }
}

}  // namespace larkspan
