#include "app/child_frame.h"

#include "app/app.h"
#include "app/ids.h"
#include "app/mytext.h"
#include "app/parent_frame.h"
#include "app/questions.h"
#include "app/res/zqe.xpm"
#include "app/settings_table.h"
#include "console/output_display.h"
#include "exec/compmgr.h"
#include "exec/exec_mgr.h"
#include "util/filenames.h"

ChildFrame* ChildFrame::current_child = nullptr;

ChildFrame::ChildFrame(ParentFrame* main, wxWindowID id, const wxString& title, const wxPoint& pos,
                       const wxSize& size)
    : wxMDIChildFrame(main, id, title, pos, size, wxDEFAULT_FRAME_STYLE), parent(main) {
    SetIcon(wxIcon(zqe_xpm));
    SetMenuBar(menu_bar);
    text = new mytext(this, ID_EDITOR, wxDefaultPosition, wxDefaultSize,
                      wxHSCROLL | wxBORDER_SUNKEN, wxEmptyString);
    parent->NewChild();
    update_checkable_items();
    text->HabilitarGuardar(false);
    font = parent->text_font();
    text->aplicar_estilo(font);
    create_exec_parts();
    bind_events();
    Activate();
    text->SetFocus();
}

void ChildFrame::bind_events() {
    Bind(wxEVT_MENU, &ChildFrame::evt2parent, this, MAIN_IDS_FIRST, MAIN_IDS_LAST);
    Bind(wxEVT_MENU, &ChildFrame::evt2parent, this, RECENT_IDS_FIRST, RECENT_IDS_LAST);
    auto on = [this](int id, auto f) {
        Bind(
            wxEVT_MENU, [f](wxCommandEvent&) { f(); }, id);
    };
    on(ID_GUARDAR, [this] { guardar(); });
    on(ID_GUARDAR_COMO, [this] { guardar_como(); });
    on(ID_DESHACER, [this] { text->Undo(); });
    on(ID_REHACER, [this] { text->Redo(); });
    on(ID_COPIAR, [this] { text->Copy(); });
    on(ID_CORTAR, [this] { text->Cut(); });
    on(ID_PEGAR, [this] { text->Paste(); });
    on(ID_SELECT_ALL, [this] { text->SelectAll(); });
    on(ID_INDENTAR, [this] { text->indentar(); });
    on(ID_DESINDENTAR, [this] { text->desindentar(); });
    on(ID_INDENT_GUIDES, [this] { indent_guides(); });
    on(ID_LINE_NUMBER, [this] { line_number(); });
    on(ID_IMPRIMIR, [this] { print(); });
    on(ID_BUSCAR, [this] { buscar(); });
    on(ID_BUSCAR_OTRA_VEZ, [this] { find_next(); });
    on(ID_REEMPLAZAR, [this] { reemplazar(); });
    on(ID_GOTO_LINE, [this] { goto_line(); });
    on(ID_ULTIMO_ERROR, [this] { ver_ultimo_error(); });
    on(ID_COMPILAR, [this] { compilar(); });
    on(ID_EJECUTAR, [this] { ejecutar(); });
    on(ID_TRACE_INTO, [this] { trace_into(); });
    on(ID_STEP_OVER, [this] { step_over(); });
    on(ID_RUN_TO_CURSOR, [this] { run_to_cursor(); });
    on(ID_BREAK_POINT, [this] { break_point(); });
    on(ID_TERMINATE, [this] { terminar(); });
    on(ID_EXPR_WIN, [this] { expr_win(); });
    Bind(
        wxEVT_COMMAND_ENTER, [this](wxCommandEvent&) { UpdateToolBar(); }, ID_UPDATE_CONTROLS);
    Bind(wxEVT_COMMAND_ENTER, &ChildFrame::show_error, this, ID_SHOW_ERROR);
    Bind(wxEVT_COMMAND_ENTER, &ChildFrame::OnExecEnd, this, ID_EXEC_END);
    Bind(wxEVT_COMMAND_ENTER, &ChildFrame::OnAsk, this, ID_ASK);
    Bind(wxEVT_COMMAND_ENTER, &ChildFrame::HideLastLineMsg, this, ID_HIDE_LAST_LINE);
    Bind(wxEVT_COMMAND_ENTER, &ChildFrame::msg_deb_end, this, ID_DEB_END);
    Bind(wxEVT_CLOSE_WINDOW, &ChildFrame::verificar, this);
    Bind(wxEVT_STC_CHANGE, &ChildFrame::NotifyChange, this, ID_EDITOR);
    Bind(wxEVT_STC_ROMODIFYATTEMPT, &ChildFrame::modify_attempt, this, ID_EDITOR);
    Bind(wxEVT_ACTIVATE, &ChildFrame::OnActivate, this);
    Bind(wxEVT_SET_FOCUS, &ChildFrame::OnSetFocus, this);
    Bind(wxEVT_KEY_DOWN, &ChildFrame::NotifyShortCut, this);
}

int ChildFrame::get_newest_file_index() const {
    return parent->get_newest_file_index();
}

wxString ChildFrame::get_recent_file_name(int i) const {
    return parent->get_recent_file_name(i);
}

void ChildFrame::evt2parent(wxCommandEvent& event) {
    parent->GetEventHandler()->ProcessEvent(event);
}

bool ChildFrame::abrir(const wxString& path) {
    const wxScopedCharBuffer bytes = path.fn_str();
    if (path.empty() || !file_exists(bytes.data()) || !file_is_writable(bytes.data())) {
        tell(this, "Error",
             L"El archivo especificado no existe \no no tiene permiso para acceder a el");
        return false;
    }
    SetTitle(path);
    text->LoadFile(path);
    text->SetSavePoint();
    name = path;
    return true;
}

bool ChildFrame::guardar() {
    if (name.empty()) return guardar_como();
    if (!text->IsModified()) return true;
    text->SaveFile();
    return !text->IsModified();
}

bool ChildFrame::guardar_como() {
    const wxString old_name = name;
    const bool saved = text->guardar_como();
    name = text->getFileName();
    if (saved) {
        ChildFrame* other = parent->open_editor(name);
        if (other && other != this) other->salir_sin_verificar();
        parent->NotifyOpen(name, this);
        if (!old_name.empty() && canonical_name(old_name) != canonical_name(name))
            parent->NotifyClose(old_name);
        SetTitle(name);
    }
    return saved;
}

bool ChildFrame::cerrar() {
    bool proceed = true;
    if (text->IsModified()) {
        save_asked = true;
        const wxString question =
            L"El archivo " + name + L" ha sido modificado,\n Guardar los cambios antes de salir?";
        switch (ask(this, L"Atención", question, wxYES_NO | wxCANCEL)) {
            case wxYES:
                proceed = guardar();
                break;
            case wxNO:
                text->SetSavePoint();
                break;
            default:
                proceed = false;
        }
    }
    return proceed && Close(false);
}

void ChildFrame::salir_sin_verificar() {
    check_on_close = false;
    Close(false);
}

void ChildFrame::close_now() {
    parent->NotifyClose(name);
    if (!end_notified) {
        end_notified = true;
        parent->DeadChild();
    }
    Destroy();
}

void ChildFrame::verificar(wxCloseEvent& event) {
    // A window that goes in any case never leaves its program running behind it.
    if (!event.CanVeto() && programa_en_ejecucion()) terminar_y_esperar();
    if (!check_on_close) {
        if (programa_en_ejecucion()) terminar_y_esperar();
        close_now();
        return;
    }
    bool ok;
    if (text->IsModified()) {
        // cerrar asks and closes the window itself; a refusal must leave the window asking
        // again at the next close request.
        check_on_close = false;
        if (cerrar()) return;
        check_on_close = true;
        ok = false;
    } else if (programa_en_ejecucion()) {
        ok = ask(this, "Mensaje",
                 L"El programa " + name + L" está ejecutándose,\n¿Detener la ejecución?",
                 wxYES_NO) == wxYES;
        if (ok) terminar_y_esperar();
    } else if (!parent->is_closing() && !save_asked && (text->GetLength() > 0 || !name.empty())) {
        const wxString what = name.empty() ? wxString(L"archivo nuevo?") : name + L"?";
        ok = ask(this, "Confirmar", L"¿Seguro que desea cerrar " + what, wxYES_NO) == wxYES;
    } else {
        ok = true;
    }
    if (ok)
        close_now();
    else if (event.CanVeto())
        event.Veto();
}

void ChildFrame::actualizar_guardar() {
    text->HabilitarGuardar(text->IsModified());
}

void ChildFrame::aplicar_fuente(const wxFont& f) {
    text->SetTextFont(f);
    text->Refresh();
    text->Update();
    font = f;
}

void ChildFrame::OnActivate(wxActivateEvent& event) {
    event.Skip();
    if (!event.GetActive() || IsBeingDeleted()) return;
    current_child = this;
    parent->SetStatusText(name, 1);
    text->SetFocus();
    if (parent->text_font() != font) aplicar_fuente(parent->text_font());
    UpdateToolBar();
    sync_view_option("NUMEROLINEA", ID_LINE_NUMBER, &ChildFrame::show_numbers);
    sync_view_option("INDENTACION", ID_INDENT_GUIDES, &ChildFrame::show_guides);
    text->SetZoom(parent->zoom());
    for (const int id : {ID_EJECUTAR, ID_TRACE_INTO, ID_STEP_OVER, ID_RUN_TO_CURSOR})
        menu_bar->Enable(id, parent->main_menu_bar()->IsEnabled(id));
    actualizar_guardar();
    update_checkable_items();
    update_recent_files_menu();
    menu_bar->Refresh();
    text->SetFocus();
}

void ChildFrame::sync_view_option(const wxString& key, int item, void (ChildFrame::*show)(bool)) {
    const bool wanted = opcion(key) == "1";
    if (wanted != menu_bar->IsChecked(item)) {
        menu_bar->Check(item, wanted);
        (this->*show)(wanted);
    }
}

void ChildFrame::show_numbers(bool show) {
    text->ShowLineNumber(show);
}

void ChildFrame::show_guides(bool show) {
    text->SetIndentationGuides(show ? wxSTC_IV_LOOKBOTH : wxSTC_IV_NONE);
}

void ChildFrame::toggle_view_option(const wxString& key, int item, bool shown,
                                    void (ChildFrame::*show)(bool)) {
    menu_bar->Check(item, !shown);
    (this->*show)(!shown);
    poner_opcion(key, shown ? "0" : "1");
    parent->activate_children();
}

void ChildFrame::indent_guides() {
    toggle_view_option("INDENTACION", ID_INDENT_GUIDES,
                       text->GetIndentationGuides() != wxSTC_IV_NONE, &ChildFrame::show_guides);
}

void ChildFrame::line_number() {
    toggle_view_option("NUMEROLINEA", ID_LINE_NUMBER, text->line_numbers_shown(),
                       &ChildFrame::show_numbers);
}

void ChildFrame::UpdateToolBar() {
    wxToolBar* tools = parent->tool_bar();
    const bool can_undo = text->CanUndo(), can_redo = text->CanRedo();
    const bool selected = text->isSelected();
    for (const auto& [id, on] : {std::pair{ID_DESHACER, can_undo}, std::pair{ID_REHACER, can_redo},
                                 std::pair{ID_COPIAR, selected}, std::pair{ID_CORTAR, selected},
                                 std::pair{ID_PEGAR, text->SCanPaste()}}) {
        tools->EnableTool(id, on);
        menu_bar->Enable(id, on);
    }
    menu_bar->Enable(ID_BUSCAR_OTRA_VEZ, search_made);
    menu_bar->Enable(ID_ULTIMO_ERROR, false);
    const bool running = tools->GetToolEnabled(ID_TERMINAR);
    menu_bar->Enable(ID_TERMINAR, running);
    menu_bar->Enable(ID_EXPR_WIN, running);
}

void ChildFrame::update_checkable_items() {
    // The watch panel does not exist yet, so it is never shown.
    menu_bar->Check(ID_VER_WLIST, false);
    parent->tool_bar()->ToggleTool(ID_VER_WLIST, false);
    const OutputDisplay* screen = parent->execution_window();
    const bool screen_shown = screen && screen->IsShown();
    menu_bar->Check(ID_SHOW_OUTSCREEN, screen_shown);
    parent->tool_bar()->ToggleTool(ID_SHOW_OUTSCREEN, screen_shown);
    menu_bar->Check(ID_INDENT_GUIDES, text->GetIndentationGuides() != wxSTC_IV_NONE);
    menu_bar->Check(ID_LINE_NUMBER, text->line_numbers_shown());
}

void ChildFrame::show_cur_pos(int line, int column) {
    parent->SetStatusText(L"Linea: " + int2string(line) + L"   Columna: " + int2string(column), 0);
}

void ChildFrame::update_recent_files_menu() {
    for (int id = RECENT_IDS_FIRST + 1;
         file_menu->GetMenuItemCount() > FILE_MENU_FIXED_ITEMS && id <= RECENT_IDS_LAST; ++id)
        if (file_menu->FindItem(id)) file_menu->Destroy(id);
    const RecentFiles& recent = parent->recent_files();
    int i = recent.get_newest_file_index();
    for (int k = 1; k <= RecentFiles::SLOTS; ++k, i = (i + 1) % RecentFiles::SLOTS) {
        const wxString& path = recent.get_recent_file_name(i);
        if (path.empty()) continue;
        file_menu->Insert(RECENT_FILES_POS, RECENT_IDS_LAST + 1 - k,
                          "&" + int2string(RecentFiles::SLOTS + 1 - k) + " " + path,
                          "Abrir el archivo " + path);
    }
}

void ChildFrame::NotifyChange(wxStyledTextEvent& event) {
    marcar_modificado();
    UpdateToolBar();
    event.Skip();
}

void ChildFrame::modify_attempt(wxStyledTextEvent&) {
    const wxString question =
        L"El fuente no puede ser modificado mientras se esta ejecutando, \nDetener la ejecución?";
    if (ask(this, "Mensaje", question, wxYES_NO) == wxYES) terminar();
}

void ChildFrame::OnSetFocus(wxFocusEvent& event) {
    text->SetFocus();
    event.Skip();
}

void ChildFrame::NotifyShortCut(wxKeyEvent& event) {
    parent->GetEventHandler()->ProcessEvent(event);
    event.Skip();
}
