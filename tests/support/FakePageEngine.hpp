#pragma once

#include <gtkmm/label.h>

#include <string>
#include <vector>

#include "engine/PageEngine.hpp"

namespace larkspan::testing {

// A page engine that loads nothing: it records what it was asked and lets the test raise
// the engine's events by hand.
class FakePageEngine final : public PageEngine {
  public:
    FakePageEngine();
    ~FakePageEngine() override;

    Gtk::Widget& widget() override { return view_; }
    std::unique_ptr<PageEngine> createRelated() override;

    void navigate(const std::string& address) override;
    void goBack() override { calls.push_back("back"); }
    void goForward() override { calls.push_back("forward"); }
    std::vector<HistoryEntry> backHistory() const override { return back; }
    std::vector<HistoryEntry> forwardHistory() const override { return forward; }
    void goToHistory(int steps) override { calls.push_back("history " + std::to_string(steps)); }
    // The fake's own lists, its address and title, in bytes of its own; empty without an
    // address.
    std::string historyState() const override;
    // Takes back what historyState() gave (recorded as "restore <address>").
    bool restoreHistoryState(const std::string& state) override;
    void stop() override { calls.push_back("stop"); }
    void refresh() override { calls.push_back("refresh"); }
    void refreshBypassingCache() override { calls.push_back("refreshBypassingCache"); }
    bool showInspector() override { return record("showInspector"); }
    // Leaves at once, as a page does.
    void leaveFullScreen() override;
    bool saveAs() override { return record("saveAs"); }
    bool print() override { return record("print"); }
    bool printPreview() override { return record("printPreview"); }
    bool pageSetup() override { return record("pageSetup"); }
    bool properties(std::function<void(const PageProperties&)> done) override;
    bool find(const FindQuery& query, std::function<void(unsigned)> counted) override;
    bool cut() override { return record("cut"); }
    bool copy() override { return record("copy"); }
    bool paste() override { return record("paste"); }
    bool selectAll() override { return record("selectAll"); }
    bool editableFocused() const override { return fieldFocused; }
    bool undo() override { return record("undo"); }
    void canUndo(std::function<void(bool)> done) override { done(undoable); }
    std::optional<int> zoomLevel() const override { return zoom; }
    bool setZoomLevel(int level) override;

    std::string locationURL() const override { return location; }
    std::string locationName() const override { return title; }
    std::string documentTitle() const override { return title; }
    void documentMarkup(std::function<void(std::optional<std::string>)> done) override {
        done(markup);
    }
    bool silent() const override { return silent_; }
    void setSilent(bool s) override { silent_ = s; }
    bool isPrivate() const override { return privateSession; }
    bool showsErrorPage() const override { return errorPage; }
    void setRegisterAsBrowser(bool v) override { registerAsBrowser = v; }
    WindowFeatures requestedGeometry() const override { return features; }
    void grabFocus() override;
    bool hasFocus() const override { return focused_; }
    void printToPdf(const std::string&, std::function<void(bool)> done) override { done(false); }

    // Completes a navigation the way the real engine reports one.
    void completeNavigation(const std::string& url, const std::string& pageTitle);

    std::vector<std::string> navigations;
    // Pages this engine opens (its popups) are private too.
    bool privateSession = false;
    // The page shown is one of the engine's error pages.
    bool errorPage = false;
    std::vector<std::string> calls;
    std::string location;
    std::string title;
    std::optional<std::string> markup;
    // The history the engine reports, nearest first (set it, then raise HistoryChange).
    std::vector<HistoryEntry> back;
    std::vector<HistoryEntry> forward;
    bool registerAsBrowser = false;
    int zoom = 2;
    bool undoable = false;
    // Whether the page's focus is in one of its text fields.
    bool fieldFocused = false;
    WindowFeatures features;
    // The number of matches every find reports.
    unsigned matches = 0;

    // Every fake engine alive in this process, in creation order.
    static std::vector<FakePageEngine*>& all();

  private:
    bool record(const std::string& call) {
        calls.push_back(call);
        return true;
    }

    Gtk::Label view_;
    bool silent_ = false;
    bool focused_ = false;
};

}  // namespace larkspan::testing
