#include "app/parent_frame.h"

#include "app/child_frame.h"
#include "app/ids.h"
#include "app/mytext.h"
#include "app/res/zqe.xpm"
#include "app/settings_table.h"
#include "console/output_display.h"
#include "util/filenames.h"

std::string canonical_name(const wxString& name) {
    const wxScopedCharBuffer bytes = name.fn_str();
    char out[FN_MAXPATH];
    return expand_fname(bytes.data(), out) ? std::string(out) : std::string(bytes.data());
}

wxString int2string(int n) {
    return wxString::Format("%d", n);
}

ParentFrame::ParentFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                         const wxSize& size)
    : wxMDIParentFrame(parent, id, title, pos, size) {
    SetIcon(wxIcon(zqe_xpm));
    LoadDefaultSettings();
    LoadSettings();
    SetZoom(opcion_entera("ZOOM").value_or(1));
    SetMenuBar(menu_bar);
    if (hay_opcion("PRINTERCOMMAND")) printer_command = opcion("PRINTERCOMMAND");
    CreateStatusBar(2, wxSTB_DEFAULT_STYLE, 0);
    crear_tool_bar();
    output_display = new OutputDisplay(this, output_font);
    colocar_ventana();
    separator_line = new wxStaticLine(this, wxID_ANY, wxPoint(0, 0),
                                      wxSize(GetClientSize().GetWidth(), 1), wxLI_HORIZONTAL);
    maximizar_editores();
    bind_events();
    Refresh();
    Update();
}

void ParentFrame::bind_events() {
    Bind(wxEVT_MENU, &ParentFrame::nuevo_cmd, this, ID_NUEVO);
    Bind(wxEVT_MENU, &ParentFrame::openfile, this, ID_ABRIR);
    Bind(wxEVT_MENU, &ParentFrame::cerrar, this, ID_CERRAR);
    Bind(wxEVT_MENU, &ParentFrame::setDirectory, this, ID_DIRECTORIO);
    Bind(wxEVT_MENU, &ParentFrame::page_setup, this, ID_PAGE_SETUP);
    Bind(wxEVT_MENU, &ParentFrame::printer_setup, this, ID_PRINTER_SETUP);
    Bind(wxEVT_MENU, &ParentFrame::open_recent_file, this, RECENT_IDS_FIRST, RECENT_IDS_LAST);
    Bind(wxEVT_MENU, &ParentFrame::exit, this, ID_SALIR);
    Bind(wxEVT_MENU, &ParentFrame::on_preferences, this, ID_PREFERENCIAS);
    Bind(wxEVT_MENU, &ParentFrame::ver_wlist, this, ID_VER_WLIST);
    Bind(wxEVT_MENU, &ParentFrame::showOutscreen, this, ID_SHOW_OUTSCREEN);
    Bind(wxEVT_MENU, &ParentFrame::on_set_zoom, this, ID_ZOOM);
    Bind(wxEVT_MENU, &ParentFrame::on_zoom_in, this, ID_ZOOM_IN);
    Bind(wxEVT_MENU, &ParentFrame::on_zoom_out, this, ID_ZOOM_OUT);
    Bind(wxEVT_MENU, &ParentFrame::OnKill, this, ID_TERMINAR);
    Bind(wxEVT_MENU, &ParentFrame::on_exec_env, this, ID_EXEC_ENV);
    for (const int id : {ID_WLIST_INSERT, ID_WLIST_EDIT, ID_WLIST_DELETE, ID_WLIST_DELETEALL})
        Bind(wxEVT_MENU, &ParentFrame::wlist_command, this, id);
    Bind(wxEVT_MENU, &ParentFrame::ayuda, this, ID_AYUDA);
    Bind(wxEVT_MENU, &ParentFrame::on_credits, this, ID_CREDITOS);
    Bind(wxEVT_MENU, &ParentFrame::acercaDe, this, ID_ACERCA_DE);
    Bind(wxEVT_MENU, &ParentFrame::sendevent, this, EDITOR_IDS_FIRST, EDITOR_IDS_LAST);
    Bind(wxEVT_COMMAND_ENTER, &ParentFrame::start_exec, this, ID_START_EXEC);
    Bind(wxEVT_COMMAND_ENTER, &ParentFrame::start_deb, this, ID_START_DEB);
    Bind(wxEVT_COMMAND_ENTER, &ParentFrame::end_exec, this, ID_EXEC_END);
    Bind(wxEVT_SIZE, &ParentFrame::OnSize, this);
    Bind(wxEVT_CLOSE_WINDOW, &ParentFrame::OnClose, this);
}

// The toolkit would hand every menu command to the active editor window first; here the
// main window decides which commands are its own and forwards the rest itself.
bool ParentFrame::TryBefore(wxEvent& event) {
    return wxFrame::TryBefore(event);
}

void ParentFrame::colocar_ventana() {
    bool sized = false;
    if (opcion("MAINWIN_MAX") == "1") {
        Maximize(true);
        sized = true;
    } else {
        const auto w = opcion_entera("MAINWIN_WIDTH"), h = opcion_entera("MAINWIN_HEIGHT");
        if (w && h) {
            SetSize(wxSize(*w, *h));
            sized = true;
        }
    }
    if (!sized) init_win();
    const auto x = opcion_entera("MAINWIN_X"), y = opcion_entera("MAINWIN_Y");
    if (x && y)
        Move(*x == -1 ? 0 : *x, *y == -1 ? 0 : *y);
    else
        Centre(wxBOTH);
}

void ParentFrame::init_win() {
    const wxSize screen = wxGetDisplaySize();
    SetSize(wxSize(screen.GetWidth() * 8 / 10, screen.GetHeight() * 8 / 10));
}

void ParentFrame::nuevo() {
    auto* child =
        new ChildFrame(this, next_window_number++, "nuevo", wxDefaultPosition, wxSize(400, 300));
    child->Show(true);
    child->Activate();
    child->update_checkable_items();
}

void ParentFrame::NewChild() {
    if (child_count++ != 0) return;
    toolbar->EnableTool(ID_GUARDAR, false);
    for (const int id : {ID_IMPRIMIR, ID_DESHACER, ID_REHACER, ID_COPIAR, ID_CORTAR, ID_PEGAR,
                         ID_BUSCAR, ID_COMPILAR, ID_EJECUTAR, ID_INDENTAR, ID_DESINDENTAR})
        toolbar->EnableTool(id, true);
}

void ParentFrame::DeadChild() {
    --child_count;
    if (child_count == 0 && !closing)
        nuevo();
    else if (child_count > 0)
        ActivateNext();
}

void ParentFrame::NotifyOpen(const wxString& name, ChildFrame* editor) {
    open_files[canonical_name(name)] = editor;
    recent.add_to_recents(name);
    if (ChildFrame* child = GetCurrentChild()) child->update_recent_files_menu();
}

void ParentFrame::NotifyClose(const wxString& name) {
    if (!name.empty()) open_files.erase(canonical_name(name));
}

bool ParentFrame::isOpen(const wxString& name) const {
    return open_editor(name) != nullptr;
}

ChildFrame* ParentFrame::open_editor(const wxString& name) const {
    const auto it = open_files.find(canonical_name(name));
    return it == open_files.end() ? nullptr : it->second;
}

ChildFrame* ParentFrame::GetCurrentChild() const {
    return static_cast<ChildFrame*>(GetActiveChild());
}

void ParentFrame::activate_children() {
    ChildFrame* active = GetCurrentChild();
    if (!active) return;
    for (int i = 0; i < child_count; ++i) ActivatePrevious();
    active->Activate();
}

bool ParentFrame::CloseChildren() {
    while (child_count > 0) {
        ChildFrame* child = GetCurrentChild();
        if (!child || !child->cerrar()) return false;
    }
    return true;
}

void ParentFrame::cerrar(wxCommandEvent&) {
    if (ChildFrame* child = GetCurrentChild(); child && child_count > 0) child->cerrar();
}

void ParentFrame::exit(wxCommandEvent&) {
    Close(false);
}

void ParentFrame::OnClose(wxCloseEvent& event) {
    closing = true;
    SaveSettings();
    // A close that cannot be refused (the session ends) goes through whatever the editors say.
    if (CloseChildren() || !event.CanVeto()) {
        detener_programas();
        Destroy();
        return;
    }
    closing = false;
    event.Veto();
}

void ParentFrame::SetZoom(int z) {
    zoom_level = z;
    poner_opcion("ZOOM", int2string(z));
    if (ChildFrame* child = GetCurrentChild()) {
        child->editor()->SetZoom(z);
        activate_children();
    }
}

void ParentFrame::SetTextFont(const wxFont& font) {
    text_font_ = font;
    if (ChildFrame* child = GetCurrentChild()) {
        child->aplicar_fuente(font);
        activate_children();
    }
}

void ParentFrame::sendevent(wxCommandEvent& event) {
    ChildFrame* child = GetCurrentChild();
    // A command the editor window does not handle comes back up to this window.
    if (!child || forwarding) return;
    forwarding = true;
    child->GetEventHandler()->ProcessEvent(event);
    forwarding = false;
}

void ParentFrame::OnSize(wxSizeEvent& event) {
    event.Skip();
    ajustar_editores();
    if (separator_line) {
        separator_line->SetSize(wxSize(GetClientSize().GetWidth(), 1));
        separator_line->Refresh();
    }
}

// Without a watch panel the editors take the whole client area below the separator line.
void ParentFrame::ajustar_editores() {
    maximizar_editores();
}

void ParentFrame::maximizar_editores() {
    if (wxMDIClientWindowBase* client = GetClientWindow()) {
        const wxSize size = GetClientSize();
        client->SetSize(0, 1, size.GetWidth(), size.GetHeight() - 1);
    }
}
