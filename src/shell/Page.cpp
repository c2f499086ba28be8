#include "shell/Page.hpp"

#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "common/Dialogs.hpp"
#include "shell/ProgressDisplay.hpp"

namespace larkspan {

namespace {

// The engine's text sizes run from "Smallest" (0) to "Largest" (4); "Medium" is 2.
constexpr int kSmallestText = 0;
constexpr int kLargestText = 4;
constexpr int kMediumText = 2;

std::string trimSpaces(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::int32_t clamp32(long v) {
    return static_cast<std::int32_t>(std::clamp<long>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

Page::Page(std::unique_ptr<PageEngine> engine) : engine_(std::move(engine)) {
    PageEngine& e = *engine_;
    address_ = e.locationURL();
    engineConns_ = {
        e.signalNavigateComplete2.connect([this](const std::string&) {
            address_ = engine_->locationURL();
            arrivedTyped_ = typedPending_;
            typedPending_ = false;
            signalAddressChanged.emit();
        }),
        e.signalDownloadComplete.connect([this] {
            caption_ = engine_->locationName();
            signalCaptionChanged.emit();
        }),
        e.signalTitleChange.connect([this](const std::string& title) {
            title_ = trimSpaces(title);
            signalTitleChanged.emit();
        }),
        e.signalStatusTextChange.connect([this](const std::string& text) {
            statusText_ = trimSpaces(text);
            signalStatusTextChanged.emit();
        }),
        e.signalProgressChange.connect([this](long progress, long maximum) {
            // Whether a load goes on does not depend on how the window shows it.
            ProgressUpdate u = onProgressChange(clamp32(progress), clamp32(maximum), true, 0);
            if (u.loading) loading_ = *u.loading;
            signalProgress.emit(progress, maximum);
        }),
        e.signalSetSecureLockIcon.connect([this](int secureState) {
            secureState_ = secureState;
            signalSecureStateChanged.emit();
        }),
        e.signalCommandStateChange.connect([this](engine::Command command, bool enable) {
            (command == engine::Command::Back ? canGoBack_ : canGoForward_) = enable;
            // Gone on from where the window opened, the page is the user's own.
            if (canGoBack_) placeholder_ = false;
            signalHistoryChanged.emit();
        }),
        e.signalHistoryChange.connect([this] { signalHistoryChanged.emit(); }),
        e.signalWindowClosing.connect(sigc::mem_fun(*this, &Page::askToClose)),
    };
    refreshTimer_.signalTimer.connect([this] { engine_->refresh(); });
}

Page::~Page() {
    for (sigc::connection& c : engineConns_) c.disconnect();
}

void Page::askToClose(bool, bool& cancel) {
    // Refused now; the page's window closes once the user allows it.
    cancel = true;
    auto* owner = dynamic_cast<Gtk::Window*>(engine_->widget().get_toplevel());
    dialogs().message(owner, "This window is attempting to close!\r\nDo you want to allow this?",
                      "Allow Window Close?", Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                      whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer answer) {
                          if (answer == Dialogs::Answer::Yes) signalCloseAllowed.emit();
                      }));
}

void Page::loadWhenShown(const std::string& address, const std::string& title,
                         const std::string& history, std::function<void()> load) {
    pendingLoad_ = std::move(load);
    pendingHistory_ = history;
    address_ = address;
    signalAddressChanged.emit();
    title_ = trimSpaces(title);
    signalTitleChanged.emit();
}

void Page::shown() {
    if (!pendingLoad_) return;
    auto load = std::move(pendingLoad_);
    pendingLoad_ = nullptr;
    pendingHistory_.clear();
    load();
}

std::string Page::historyState() const {
    return pendingLoad_ ? pendingHistory_ : engine_->historyState();
}

void Page::stepTextSize(int step) {
    int level = kMediumText;
    if (step != 0) {
        std::optional<int> current = engine_->zoomLevel();
        if (!current) return;
        level = std::clamp(*current + step, kSmallestText, kLargestText);
    }
    if (engine_->setZoomLevel(level)) signalTextSizeChosen.emit(level, step == 0);
}

void Page::chooseTextSize(int level) {
    if (engine_->setZoomLevel(level)) signalTextSizeChosen.emit(level, false);
}

void Page::chooseAutoRefresh(int seconds) {
    if (!autoRefresh_.choose(seconds)) return;
    autoRefresh_.applyTo(refreshTimer_);
    signalAutoRefreshChanged.emit();
}

void Page::turnOffAutoRefresh() {
    autoRefresh_.turnOff();
    signalAutoRefreshChanged.emit();
    autoRefresh_.applyTo(refreshTimer_);
}

}  // namespace larkspan
