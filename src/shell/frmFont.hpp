#pragma once

// The font chooser: the installed font families, sizes 5 to 72 and a preview. "Change"
// makes the chosen family the font option, which the main windows (status bar, address
// box, search box) and the options dialog (engine box, font-name label) follow. However
// the chooser is closed by the user, the options dialog is shown again.

#include <gtkmm.h>

#include <memory>
#include <string>
#include <vector>

namespace larkspan {

class ShellContext;
class StyledButton;

class frmFont : public Gtk::Window {
  public:
    frmFont(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
            ShellContext& context);

    // The font the chooser starts from: "Arial", 8.25 points.
    static constexpr const char* kReferenceFamily = "Arial";
    static constexpr double kReferenceSize = 8.25;
    // The preview's size after a family is clicked.
    static constexpr int kPreviewSize = 16;

    // Controls, by their names.
    Gtk::TreeView* List1 = nullptr;    // font families
    Gtk::TreeView* List2 = nullptr;    // sizes
    Gtk::Label* Label1 = nullptr;      // preview
    Gtk::Entry* Text1 = nullptr;       // hidden reference box
    StyledButton* Command1 = nullptr;  // "Change"
    StyledButton* Command2 = nullptr;  // "Cancel"

    // Events.
    void List1_Click();
    void List2_Click();
    void Command1_Click();
    void Command2_Click();

    // What the lists and the preview show now.
    std::string selectedFamily() const;
    std::string selectedSize() const;
    const std::string& previewFamily() const { return previewFamily_; }
    int previewSize() const { return previewSize_; }

    // The installed family names, in the order the list shows them.
    static std::vector<std::string> installedFamilies(const Glib::RefPtr<Pango::Context>& ctx);
    // The listed family that stands for `family`: itself when installed (letter case
    // aside), else the family the font system substitutes for it.
    static std::string nearestFamily(const Glib::RefPtr<Pango::Context>& ctx,
                                     const std::vector<std::string>& installed,
                                     const std::string& family);

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void showPreview();
    bool selectRow(Gtk::TreeView& list, const std::string& text);
    static std::string selectedText(const Gtk::TreeView& list);
    // Closes the chooser once the handler has returned and shows the options dialog.
    void closeByUser(bool changed);

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::string previewFamily_;
    int previewSize_ = kPreviewSize;
};

// Makes the font chooser (hidden); the registry's factory for "frmFont".
std::unique_ptr<Gtk::Window> makeFontChooser(ShellContext& context);

}  // namespace larkspan
