// The main window: menus, tool bar, status bar, the table of open files, the recent files,
// fonts and zoom, and the count of editor windows (at least one always exists).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>
#include <wx/font.h>
#include <wx/mdi.h>
#include <wx/statline.h>
#include <wx/toolbar.h>

#include "app/frame.h"
#include "app/recent_files.h"

class ChildFrame;
class OutputDisplay;

class ParentFrame : public Frame, public wxMDIParentFrame {
  public:
    ParentFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                const wxSize& size);

    int get_newest_file_index() const { return recent.get_newest_file_index(); }
    wxString get_recent_file_name(int i) const { return recent.get_recent_file_name(i); }

    void nuevo();
    void NewChild();
    void DeadChild();
    void NotifyOpen(const wxString& name, ChildFrame* editor);
    void NotifyClose(const wxString& name);
    bool isOpen(const wxString& name) const;
    ChildFrame* open_editor(const wxString& name) const;
    ChildFrame* GetCurrentChild() const;
    void activate_children();
    bool CloseChildren();
    void SetZoom(int z);
    int zoom() const { return zoom_level; }
    void SetTextFont(const wxFont& font);
    const wxFont& text_font() const { return text_font_; }
    void init_win();
    void ajustar_editores();
    void maximizar_editores();
    int editor_count() const { return child_count; }
    bool is_closing() const { return closing; }
    wxToolBar* tool_bar() const { return toolbar; }
    wxMenuBar* main_menu_bar() const { return menu_bar; }
    const RecentFiles& recent_files() const { return recent; }
    // The one execution window, created hidden with the main window.
    OutputDisplay* execution_window() const { return output_display; }
    // Checks or unchecks "V&entana de ejecución" in the menus and on the tool bar.
    void enable_ver_outscreen(bool shown);
    // The run commands, enabled while no program executes.
    void EnableExec();
    void DisableExec();
    // The run has ended or been stopped: "Terminar" off, "Ejecutar" on.
    void exec_finished();

    bool abrir(const wxString& path);
    bool DoOpen(const wxString& path);
    bool DoOpen(const wxString& path, const wxString& name, const wxString& directory);

    void LoadDefaultSettings();
    void LoadSettings();
    void SaveSettings();

  private:
    bool TryBefore(wxEvent& event) override;
    void nuevo_cmd(wxCommandEvent&) { nuevo(); }
    void cerrar(wxCommandEvent& event);
    void exit(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    void sendevent(wxCommandEvent& event);
    void on_zoom_in(wxCommandEvent&) { SetZoom(zoom_level + 1); }
    void on_zoom_out(wxCommandEvent&) { SetZoom(zoom_level - 1); }
    void openfile(wxCommandEvent& event);
    void setDirectory(wxCommandEvent& event);
    void open_recent_file(wxCommandEvent& event);
    void crear_tool_bar();
    void colocar_ventana();
    void bind_events();
    // The watch expressions to keep in the settings file: the panel's once it exists.
    std::vector<wxString> expresiones_vigilancia() const;

    // Commands whose windows belong to the preferences, printing, help, watch-panel,
    // execution-window and execution-environment parts; they attach their work here.
    void on_preferences(wxCommandEvent& event);
    void on_set_zoom(wxCommandEvent& event);
    void page_setup(wxCommandEvent& event);
    void printer_setup(wxCommandEvent& event);
    void ayuda(wxCommandEvent& event);
    void on_credits(wxCommandEvent& event);
    void acercaDe(wxCommandEvent& event);
    void ver_wlist(wxCommandEvent& event);
    void showOutscreen(wxCommandEvent& event);
    void wlist_command(wxCommandEvent& event);
    void OnKill(wxCommandEvent& event);
    void on_exec_env(wxCommandEvent& event);
    void start_exec(wxCommandEvent& event);
    void start_deb(wxCommandEvent& event);
    void end_exec(wxCommandEvent& event);
    // Stops every program still running and waits for its thread: no worker outlives the
    // windows it uses.
    void detener_programas();
    // Sends ID_UPDATE_CONTROLS to the active editor window at once.
    void update_active_controls();

    wxFont text_font_;
    wxFont output_font;
    bool text_font_read = false;
    bool output_font_read = false;
    int zoom_level = 1;
    std::vector<wxString> watch_expressions;
    RecentFiles recent;
    wxString printer_command;
    bool closing = false;
    bool forwarding = false;
    wxStaticLine* separator_line = nullptr;
    int next_window_number = 1;
    int child_count = 0;
    wxToolBar* toolbar = nullptr;
    OutputDisplay* output_display = nullptr;
    // Keyed by the canonical path, so one file reached by two spellings is one entry.
    std::unordered_map<std::string, ChildFrame*> open_files;
};

// Canonical absolute form of a file name, the key of the open-files table.
std::string canonical_name(const wxString& name);
wxString int2string(int n);
