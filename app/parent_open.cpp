// Opening files into editor windows, the recent files and the working directory.
#include "app/child_frame.h"
#include "app/ids.h"
#include "app/mytext.h"
#include "app/parent_frame.h"
#include "app/questions.h"
#include "app/settings_table.h"

#include <wx/filefn.h>
#include <wx/filename.h>

bool ParentFrame::abrir(const wxString& path) {
    const wxString full = path.StartsWith("/") ? path : wxGetCwd() + "/" + path;
    return DoOpen(full, wxFileName(full).GetFullName(), "");
}

bool ParentFrame::DoOpen(const wxString& path) {
    const wxFileName fn(path);
    return DoOpen(path, fn.GetFullName(), fn.GetPath());
}

bool ParentFrame::DoOpen(const wxString& path, const wxString&, const wxString& directory) {
    if (ChildFrame* open = open_editor(path)) {
        open->Activate();
        tell(this, L"Atención", "El archivo ya esta abierto");
        return false;
    }
    ChildFrame* child = GetCurrentChild();
    if (!child || child->IsBeingDeleted() || child->editor()->GetLength() > 0 ||
        !child->name.empty()) {
        child =
            new ChildFrame(this, next_window_number++, path, wxDefaultPosition, wxSize(400, 300));
    }
    // The toolkit activates only a window that is shown.
    child->Show(true);
    child->Activate();
    if (!child->abrir(path)) {
        child->salir_sin_verificar();
        return false;
    }
    SetStatusText(path, 1);
    poner_opcion("CWD", directory);
    name = path;
    NotifyOpen(path, child);
    return true;
}

void ParentFrame::openfile(wxCommandEvent&) {
    const wxString path = choose_file(this, "Abrir", opcion("CWD"), "*.zq", false);
    if (!path.empty()) DoOpen(path);
}

void ParentFrame::setDirectory(wxCommandEvent&) {
    const wxString dir = choose_directory(this, "Seleccione un Directorio", opcion("CWD"));
    if (!dir.empty()) poner_opcion("CWD", dir);
}

void ParentFrame::open_recent_file(wxCommandEvent& event) {
    const int k = event.GetId() - RECENT_IDS_FIRST;
    DoOpen(recent.newest(k));
}
