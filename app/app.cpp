#include "app/app.h"

#include <clocale>
#include <cstdio>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "app/child_frame.h"
#include "app/mytext.h"
#include "app/parent_frame.h"

wxString GetPath(const wxString& path, wxChar separator) {
    const int pos = path.Find(separator, true);
    return pos == wxNOT_FOUND ? path : path.Left(pos);
}

wxString chg_path(const wxString& path) {
    return path;
}

void ask_gui_and_wait(wxEvtHandler* target, wxEvent* event) {
    App& app = wxGetApp();
    app.gui_wait = true;
    target->QueueEvent(event);
    app.sem_gui_done->Wait();
}

void release_waiting_worker() {
    App& app = wxGetApp();
    if (app.gui_wait.exchange(false)) app.sem_gui_done->Post();
}

void App::preparar() {
    wxString argv0 = argv[0];
    // Started through the search path: take the executable's real place instead.
    if (argv0.Find('/') == wxNOT_FOUND) argv0 = wxStandardPaths::Get().GetExecutablePath();
    prog_dir = chg_path(GetPath(argv0, '/'));
    wxLocale::AddCatalogLookupPathPrefix(prog_dir);
    {
        // A language the system cannot set is not worth a message box at start-up.
        wxLogNull quiet;
        // The catalogue can only be added once the locale exists.
        locale.Init(wxLANGUAGE_DEFAULT);
    }
    if (!locale.AddCatalog("wxstd")) {
        std::puts("Error al cargar el catalogo");
        std::fflush(stdout);
    }
    sem_gui_done = std::make_unique<wxSemaphore>(0, 1);
    sem_thread_end = std::make_unique<wxSemaphore>(0, 1);
    gui_wait = false;
    std::setlocale(LC_ALL, "es_ES");
    std::setlocale(LC_NUMERIC, "C");
}

ParentFrame* App::arrancar(const std::vector<wxString>& args) {
    main_frame = new ParentFrame(nullptr, -1, "ZQE", wxDefaultPosition, wxDefaultSize);
    // A failed open has already replaced its window with an empty one.
    if (args.size() != 1 || !main_frame->abrir(args[0])) {
        if (main_frame->editor_count() == 0) main_frame->nuevo();
    }
    main_frame->Show(true);
    main_frame->Raise();
    SetTopWindow(main_frame);
    if (ChildFrame* child = main_frame->GetCurrentChild()) child->editor()->SetFocus();
    return main_frame;
}

bool App::OnInit() {
    preparar();
    std::vector<wxString> args;
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    arrancar(args);
    return true;
}
