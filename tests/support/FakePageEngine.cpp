#include "support/FakePageEngine.hpp"

#include <algorithm>

namespace larkspan::testing {

std::vector<FakePageEngine*>& FakePageEngine::all() {
    static std::vector<FakePageEngine*> engines;
    return engines;
}

FakePageEngine::FakePageEngine() : view_("(page)") {
    view_.set_name("WebBrowser1");
    view_.set_can_focus(true);
    // A selectable label takes the keyboard focus as a page does.
    view_.set_selectable(true);
    all().push_back(this);
}

FakePageEngine::~FakePageEngine() {
    auto& v = all();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

std::unique_ptr<PageEngine> FakePageEngine::createRelated() {
    return std::make_unique<FakePageEngine>();
}

void FakePageEngine::navigate(const std::string& address) {
    navigations.push_back(address);
    calls.push_back("navigate " + address);
}

bool FakePageEngine::properties(std::function<void(const PageProperties&)> done) {
    calls.push_back("properties");
    done(PageProperties{title, location, "text/html", std::nullopt, 0});
    return true;
}

bool FakePageEngine::find(const FindQuery& query, std::function<void(unsigned)> counted) {
    calls.push_back("find " + query.text);
    counted(matches);
    return true;
}

bool FakePageEngine::setZoomLevel(int level) {
    calls.push_back("setZoomLevel " + std::to_string(level));
    if (level < 0 || level > 4) return false;
    zoom = level;
    return true;
}

void FakePageEngine::grabFocus() {
    focused_ = true;
    view_.grab_focus();
    signalGotFocus.emit();
}

void FakePageEngine::completeNavigation(const std::string& url, const std::string& pageTitle) {
    location = url;
    title = pageTitle;
    signalNavigateComplete2.emit(url);
    signalTitleChange.emit(pageTitle);
    signalProgressChange.emit(100, 100);
    signalProgressChange.emit(-1, 100);
    signalDownloadComplete.emit();
}

}  // namespace larkspan::testing
