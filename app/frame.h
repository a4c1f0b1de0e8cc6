// The menu bar shared by the main window and every editor window: each frame builds its own.
#pragma once

#include <wx/menu.h>
#include <wx/string.h>

class Frame {
  public:
    Frame();
    virtual ~Frame() = default;

    // The file shown by the frame; for the main window the last file opened through it.
    wxString name;

  protected:
    wxMenuBar* menu_bar;
    wxMenu* file_menu;
    wxMenu* edit_menu;
    wxMenu* execute_menu;
    wxMenu* view_menu;
    wxMenu* help_menu;
    wxMenu* watch_submenu;
};

// Number of items of the file menu without recent files.
constexpr size_t FILE_MENU_FIXED_ITEMS = 14;
// Position of the first recent-file item in the file menu.
constexpr size_t RECENT_FILES_POS = 12;
