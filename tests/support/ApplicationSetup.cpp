// Test programs that make the application object: those running side by side on one
// session bus never reach each other. Set before main, so no test can come first.
#include "app/Application.hpp"

namespace {

const bool kNotUnique = [] {
    larkspan::Application::setUnique(false);
    return true;
}();

}  // namespace
