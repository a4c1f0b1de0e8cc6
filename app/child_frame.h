// An editor window: one source file in one editor control, its file commands and questions,
// its edit and view commands, the close protocol, and the menus and tools kept in step.
#pragma once

#include <memory>
#include <wx/fdrepdlg.h>
#include <wx/mdi.h>
#include <wx/stc/stc.h>
#include <wx/timer.h>

#include "app/frame.h"

class CompMgr;
class ErrorDisplay;
class ExecMgr;
class ParentFrame;
class mytext;

class ChildFrame : public Frame, public wxMDIChildFrame {
  public:
    ChildFrame(ParentFrame* main, wxWindowID id, const wxString& title, const wxPoint& pos,
               const wxSize& size);
    ~ChildFrame() override;

    int get_newest_file_index() const;
    wxString get_recent_file_name(int i) const;

    mytext* editor() const { return text; }
    ParentFrame* main_window() const { return parent; }
    wxMenuBar* menus() const { return menu_bar; }

    bool abrir(const wxString& path);
    bool guardar();
    bool guardar_como();
    bool cerrar();
    void salir_sin_verificar();
    void actualizar_guardar();
    void UpdateToolBar();
    void update_checkable_items();
    void show_cur_pos(int line, int column);
    void update_recent_files_menu();
    void aplicar_fuente(const wxFont& f);

    // Whether a program started from this window is running or paused; the execution manager
    // answers.
    bool programa_en_ejecucion() const;
    // The user's stop of this window's program ("Ejecución interrumpida por usuario").
    void terminar();
    // Stops this window's program and runs events until its thread has ended: a closing
    // window never blocks the GUI thread, and every wait of the worker gets released.
    void terminar_y_esperar();

    ErrorDisplay* error_display() const { return errors; }
    CompMgr* comp_manager() const { return comp.get(); }
    ExecMgr* exec_manager() const { return exec_mgr.get(); }
    // Interpreter thread: marks the paused program's line, and announces the stop; both wait
    // until the GUI thread has done it.
    void ShowCurrentLine();
    void deb_end();
    // Stops this window's run, if it has one.
    void DoKill();
    // Posts the removal of the current-line marker.
    void HideLastLine();
    void UpdateExecUI();
    // The end of a run, or a start that did not happen: editor writable, stepping commands
    // back.
    void fin_ejecucion();
    // In the menus of this window: "&Terminar" enabled, the run and step commands disabled.
    void iniciar_depuracion();
    bool input_redirected = false;
    bool output_redirected = false;

    static ChildFrame* current_child;

  private:
    void bind_events();
    void verificar(wxCloseEvent& event);
    void evt2parent(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void NotifyShortCut(wxKeyEvent& event);
    void NotifyChange(wxStyledTextEvent& event);
    void modify_attempt(wxStyledTextEvent& event);
    void indent_guides();
    void line_number();
    void sync_view_option(const wxString& key, int item, void (ChildFrame::*show)(bool));
    void show_guides(bool show);
    void show_numbers(bool show);
    void toggle_view_option(const wxString& key, int item, bool shown,
                            void (ChildFrame::*show)(bool));
    void close_now();

    // Commands carried out by the compile, run, debug, find, print and error-display parts;
    // their objects attach to the window here.
    void compilar();
    void ejecutar();
    void trace_into();
    void step_over();
    void run_to_cursor();
    void break_point();
    void expr_win();
    void ver_ultimo_error();
    void buscar();
    void find_next();
    void reemplazar();
    void goto_line();
    void print();
    void show_error(wxCommandEvent& event);
    void OnAsk(wxCommandEvent& event);
    void HideLastLineMsg(wxCommandEvent& event);
    void msg_deb_end(wxCommandEvent& event);
    void OnExecEnd(wxCommandEvent& event);
    void create_exec_parts();
    // The text changed: this window's object file no longer matches it.
    void marcar_modificado();
    void step_command(int mode);
    // The stepping commands come back after a debugger stop or the end of a run.
    void fin_depuracion();

    ParentFrame* parent;
    mytext* text;
    ErrorDisplay* errors = nullptr;
    std::unique_ptr<CompMgr> comp;
    std::unique_ptr<ExecMgr> exec_mgr;
    bool debugging = false;
    wxFont font;
    wxFindReplaceData find_data{wxFR_DOWN};
    bool search_made = false;
    bool check_on_close = true;
    bool save_asked = false;
    bool end_notified = false;
};
