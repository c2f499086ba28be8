// The scripts every page of a family runs, and the close requests and script errors they send.
#include <glibmm/main.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <string>

#include "common/Failure.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan {

using webkit_internal::toString;
using webkit_internal::unrefLater;

namespace {

// Script message channels between the page and the program.
constexpr const char* kCloseChannel = "larkspanClose";
constexpr const char* kErrorChannel = "larkspanError";

// WebKit ignores window.close() in a window that script did not open once it has history;
// the program wants to hear every such request. The page's close() first tries the
// engine's own, which a window opened by a page may use (the view's "close" signal then
// reports it); when that is refused, the request comes to the program as a message.
constexpr const char* kCloseScript = R"JS(
(function () {
  if (!(window.webkit && window.webkit.messageHandlers &&
        window.webkit.messageHandlers.larkspanClose)) { return; }
  var engineClose = window.close;
  window.close = function close() {
    try { engineClose.call(window); } catch (e) { }
    if (!window.closed) {
      window.webkit.messageHandlers.larkspanClose.postMessage(String(location.href));
    }
  };
})();
)JS";

// Uncaught script errors and unhandled promise rejections, passed on to the program, which
// reports them unless the engine is silent. The message names the page it comes from: the
// pages of a window and of its popups share these scripts and one message channel.
constexpr const char* kErrorScript = R"JS(
(function () {
  var handlers = window.webkit && window.webkit.messageHandlers;
  if (!(handlers && handlers.larkspanError)) { return; }
  function describe(value) {
    try {
      if (value && typeof value === 'object' && 'message' in value) { return String(value.message); }
      return String(value);
    } catch (e) {
      return 'unknown error';
    }
  }
  function report(text) {
    var top = null;
    try { top = String(window.top.location.href); } catch (e) { }
    try {
      window.webkit.messageHandlers.larkspanError.postMessage(
          { page: String(location.href), top: top, text: text });
    } catch (e) { }
  }
  window.addEventListener('error', function (event) {
    if (!(event instanceof ErrorEvent)) { return; }
    report(event.message ? String(event.message) : describe(event.error));
  });
  window.addEventListener('unhandledrejection', function (event) {
    report('Unhandled promise rejection: ' + describe(event.reason));
  });
})();
)JS";

// Error texts come from the page: keep them to one line of reasonable length.
constexpr glong kMaxErrorChars = 500;

std::string oneLine(const char* text) {
    if (text == nullptr) {
        return {};
    }
    std::string result;
    if (g_utf8_validate(text, -1, nullptr)) {
        if (g_utf8_strlen(text, -1) > kMaxErrorChars) {
            const char* end = g_utf8_offset_to_pointer(text, kMaxErrorChars);
            result.assign(text, end);
            result += "...";
        } else {
            result = text;
        }
    } else {
        gchar* valid = g_utf8_make_valid(text, -1);
        result = oneLine(valid);
        g_free(valid);
        return result;
    }
    std::replace_if(
        result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
        ' ');
    return result;
}

// An address without its fragment, for telling which page a message came from.
std::string withoutFragment(const std::string& address) {
    return address.substr(0, address.find('#'));
}

std::string stringProperty(JSCValue* object, const char* name) {
    std::string result;
    if (object == nullptr || !jsc_value_is_object(object)) {
        return result;
    }
    JSCValue* value = jsc_value_object_get_property(object, name);
    if (value != nullptr) {
        if (jsc_value_is_string(value)) {
            gchar* text = jsc_value_to_string(value);
            result = toString(text);
            g_free(text);
        }
        g_object_unref(value);
    }
    return result;
}

WebKitUserContentManager* makeContentManager() {
    WebKitUserContentManager* manager = webkit_user_content_manager_new();
    WebKitUserScript* close =
        webkit_user_script_new(kCloseScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager, close);
    webkit_user_script_unref(close);
    WebKitUserScript* errors =
        webkit_user_script_new(kErrorScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager, errors);
    webkit_user_script_unref(errors);
    webkit_user_content_manager_register_script_message_handler(manager, kCloseChannel);
    webkit_user_content_manager_register_script_message_handler(manager, kErrorChannel);
    return manager;
}

}  // namespace

// ---- The family of pages -------------------------------------------------------------

PageFamily::PageFamily() : contentManager(makeContentManager()) {
    using C = WebKitPageEngineCallbacks;
    g_signal_connect(contentManager, "script-message-received::larkspanClose",
                     G_CALLBACK(C::onCloseMessage), this);
    g_signal_connect(contentManager, "script-message-received::larkspanError",
                     G_CALLBACK(C::onErrorMessage), this);
}

PageFamily::~PageFamily() {
    g_signal_handlers_disconnect_by_data(contentManager, this);
    g_idle_add(unrefLater, contentManager);
}

WebKitPageEngine* PageFamily::memberAt(const std::string& address) const {
    if (address.empty()) {
        return nullptr;
    }
    std::string wanted = withoutFragment(address);
    for (WebKitPageEngine* member : members) {
        if (withoutFragment(member->locationURL()) == wanted) {
            return member;
        }
    }
    return nullptr;
}

// ---- Script messages -----------------------------------------------------------------

void WebKitPageEngineCallbacks::onCloseMessage(WebKitUserContentManager*,
                                               WebKitJavascriptResult* result, gpointer data) {
    auto* family = static_cast<PageFamily*>(data);
    try {
        // Only a page that the engine refused to close sends this: the family's root
        // (every other member was opened by a page and closes through "close").
        WebKitPageEngine* self = family->root;
        if (self == nullptr || result == nullptr) {
            return;
        }
        if (family->members.size() > 1) {
            JSCValue* value = webkit_javascript_result_get_js_value(result);
            gchar* text = value != nullptr ? jsc_value_to_string(value) : nullptr;
            std::string sender = toString(text);
            g_free(text);
            if (family->memberAt(sender) != self) {
                return;
            }
        }
        // Answered from the main loop rather than from inside the message delivery: the
        // handler may ask the user and close the window, engine and view with it.
        std::weak_ptr<bool> alive = self->alive_;
        Glib::signal_idle().connect_once([alive, self] {
            if (!alive.expired()) {
                self->requestClose();
            }
        });
    } catch (...) {
        reportFailure("answering a page script's request to close its window");
    }
}

void WebKitPageEngineCallbacks::onErrorMessage(WebKitUserContentManager*,
                                               WebKitJavascriptResult* result, gpointer data) {
    auto* family = static_cast<PageFamily*>(data);
    try {
        if (result == nullptr || family->members.empty()) {
            return;
        }
        JSCValue* value = webkit_javascript_result_get_js_value(result);
        std::string top = stringProperty(value, "top");
        std::string page = stringProperty(value, "page");
        WebKitPageEngine* self = family->members.size() == 1
                                     ? family->members.front()
                                     : family->memberAt(top.empty() ? page : top);
        if (self == nullptr || self->silent_) {
            return;
        }
        std::string status =
            std::string(engine::kErrorOnPage) + oneLine(stringProperty(value, "text").c_str());
        self->emitGuarded([&] { self->signalStatusTextChange.emit(status); });
    } catch (...) {
        reportFailure("reporting a script error");
    }
}

}  // namespace larkspan
