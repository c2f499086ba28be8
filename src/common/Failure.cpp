#include "common/Failure.hpp"

#include <glib.h>
#include <glibmm/exception.h>

#include <exception>
#include <string>

namespace larkspan {

namespace {

// The message of the exception being handled, empty when it carries none.
std::string currentMessage() {
    std::exception_ptr failure = std::current_exception();
    if (!failure) return {};
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return e.what();
    } catch (const Glib::Exception& e) {
        return e.what();
    } catch (...) {
    }
    return {};
}

}  // namespace

void reportFailure(const char* what) noexcept {
    try {
        std::string message = currentMessage();
        if (message.empty()) message = "unknown error";
        g_warning("%s failed: %s", what != nullptr ? what : "a step", message.c_str());
    } catch (...) {
        // Out of memory while saying so: nothing more can be said.
    }
}

}  // namespace larkspan
