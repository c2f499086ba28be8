#pragma once

// The Downloads window "Downloads - Larkspan", one for the program: every download of the
// run with its name, size and progress. Open, Show in Folder and Cancel act on the chosen
// download where its state allows; a download that starts is chosen.

#include <gtkmm.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "features/downloads/DownloadList.hpp"
#include "features/downloads/DownloadRow.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;

class frmDownloads : public Gtk::Window {
  public:
    frmDownloads(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                 ShellContext& context, std::shared_ptr<DownloadList> downloads);

    // ---- Controls, by their names.
    Gtk::TreeView* lstDownloads = nullptr;
    StyledButton* cmdOpen = nullptr;
    StyledButton* cmdShowInFolder = nullptr;
    StyledButton* cmdCancel = nullptr;
    StyledButton* cmdClose = nullptr;

    // What each row shows: name, size, bar percentage and bar text.
    struct ShownRow {
        std::string name;
        std::string size;
        int percent = 0;
        std::string progress;
    };
    std::vector<ShownRow> shownRows() const;
    std::optional<std::size_t> chosenRow() const;
    void chooseRow(std::size_t index);

    // ---- Events.
    void lstDownloads_Click();
    void cmdOpen_Click();
    void cmdShowInFolder_Click();
    void cmdCancel_Click();
    void cmdClose_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void downloadAdded(std::size_t index);
    void downloadChanged(std::size_t index);
    void showRow(std::size_t index);
    void updateButtons();
    std::shared_ptr<Download> chosenDownload() const;

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> store_;
    std::shared_ptr<DownloadList> downloads_;
};

// Makes the Downloads window (hidden) showing `downloads`; the registry's factory.
std::unique_ptr<Gtk::Window> makeDownloadsWindow(ShellContext& context,
                                                 std::shared_ptr<DownloadList> downloads);

}  // namespace larkspan
