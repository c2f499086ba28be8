#include "support/FakePageEngine.hpp"

#include <algorithm>

#include "app/Application.hpp"

namespace larkspan::testing {

std::vector<FakePageEngine*>& FakePageEngine::all() {
    static std::vector<FakePageEngine*> engines;
    return engines;
}

FakePageEngine::FakePageEngine() : view_("(page)") {
    view_.set_name("WebBrowser1");
    view_.set_can_focus(true);
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

bool FakePageEngine::execCommand(DocCommand command, int option, std::optional<int> input,
                                 int* output) {
    calls.push_back("exec " + std::to_string(static_cast<int>(command)));
    if (command == DocCommand::Zoom && option == 2) {
        if (input) {
            if (*input < 0 || *input > 4) return false;
            zoom = *input;
        } else if (output) {
            *output = zoom;
        }
    }
    return true;
}

void FakePageEngine::grabFocus() {
    focused_ = true;
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

void useFakeEngines() {
    Application::setEngineFactory([] { return std::make_unique<FakePageEngine>(); });
}

}  // namespace larkspan::testing
