#include "shell/FindBar.hpp"

#include <gdk/gdkkeysyms.h>

namespace larkspan {

FindBar::FindBar(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder)
    : Gtk::Box(cobject) {
    builder->get_widget("txtFind", txtFind);
    builder->get_widget("cmdFindPrevious", cmdFindPrevious);
    builder->get_widget("cmdFindNext", cmdFindNext);
    builder->get_widget("chkFindMatchCase", chkFindMatchCase);
    builder->get_widget("lblFindMatches", lblFindMatches);
    builder->get_widget("cmdFindClose", cmdFindClose);

    txtFind->signal_changed().connect([this] {
        if (!restoring_) search(true, true);
    });
    txtFind->signal_key_press_event().connect(sigc::mem_fun(*this, &FindBar::onKeyPress), false);
    // Escape closes the bar from any of its controls: their keys come up to the bar.
    signal_key_press_event().connect(
        [this](GdkEventKey* event) {
            if (event->keyval != GDK_KEY_Escape) return false;
            close();
            return true;
        },
        false);
    chkFindMatchCase->signal_toggled().connect([this] {
        if (!restoring_) search(true, true);
    });
    cmdFindNext->signal_clicked().connect([this] { findNext(); });
    cmdFindPrevious->signal_clicked().connect([this] { findPrevious(); });
    cmdFindClose->signal_clicked().connect([this] { close(); });
}

void FindBar::follow(Page& page) {
    if (page_ == &page) return;
    if (page_) {
        page_->findState() = {txtFind->get_text(), chkFindMatchCase->get_active(), get_visible(),
                              position_};
    }
    page_ = &page;
    engine_ = &page.engine();
    // Counts still on their way belong to the page shown before.
    ++*generation_;
    const Page::FindState& state = page.findState();
    restoring_ = true;
    txtFind->set_text(state.text);
    chkFindMatchCase->set_active(state.matchCase);
    restoring_ = false;
    position_ = state.position;
    showPosition();
    set_visible(state.open);
}

void FindBar::open() {
    show();
    txtFind->grab_focus();
    txtFind->select_region(0, -1);
}

void FindBar::close() {
    hide();
    ++*generation_;
    if (engine_) engine_->grabFocus();
}

bool FindBar::onKeyPress(GdkEventKey* event) {
    switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            search(false, (event->state & GDK_SHIFT_MASK) == 0);
            return true;
        default:
            return false;
    }
}

void FindBar::search(bool restart, bool forward) {
    unsigned generation = ++*generation_;
    std::string text = txtFind->get_text();
    if (text.empty() || !engine_) {
        position_.clear();
        showPosition();
        return;
    }
    FindQuery query{text, forward, chkFindMatchCase->get_active()};
    std::weak_ptr<unsigned> current = generation_;
    bool started =
        engine_->find(query, [this, current, generation, restart, forward](unsigned matches) {
            auto live = current.lock();
            if (!live || *live != generation) return;
            if (restart) {
                position_.restart(matches);
            } else {
                position_.step(forward, matches);
            }
            showPosition();
        });
    if (!started) {
        position_.restart(0);
        showPosition();
    }
}

void FindBar::showPosition() {
    lblFindMatches->set_text(position_.describe());
}

}  // namespace larkspan
