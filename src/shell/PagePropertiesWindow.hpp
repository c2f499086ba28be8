#pragma once

// A small window showing what the page engine tells of the page now loaded: its title,
// address, media type, size and whether its connection is secure.

#include <gtkmm.h>

#include <memory>
#include <string>

#include "engine/PageEngine.hpp"

namespace larkspan {

// The texts the window shows for each property.
struct PagePropertiesText {
    std::string title;
    std::string address;
    std::string type;
    std::string size;
    std::string security;
};

PagePropertiesText describePageProperties(const PageProperties& properties);

class PagePropertiesWindow : public Gtk::Window {
  public:
    PagePropertiesWindow(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder);

    // A window of its own, kept above `parent` (which may be null).
    static std::unique_ptr<PagePropertiesWindow> create(Gtk::Window* parent);

    // Fills the window with the properties and shows it.
    void showProperties(const PageProperties& properties);

    const PagePropertiesText& shown() const { return shown_; }

  private:
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::Label* title_ = nullptr;
    Gtk::Label* address_ = nullptr;
    Gtk::Label* type_ = nullptr;
    Gtk::Label* size_ = nullptr;
    Gtk::Label* security_ = nullptr;
    PagePropertiesText shown_;
};

}  // namespace larkspan
