// The application object: locale, the thread handshake semaphores and start-up.
#pragma once

#include <atomic>
#include <memory>
#include <vector>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/thread.h>

class ParentFrame;

class App : public wxApp {
  public:
    bool OnInit() override;

    // Locale and semaphores: everything of start-up that comes before the main window.
    void preparar();
    // Creates and shows the main window and opens args[0] when exactly one argument is given.
    ParentFrame* arrancar(const std::vector<wxString>& args);

    wxLocale locale;
    wxString prog_dir;
    ParentFrame* main_frame = nullptr;
    std::unique_ptr<wxSemaphore> sem_gui_done;
    // Atomic because the interpreter thread sets it and the GUI thread clears it.
    std::atomic<bool> gui_wait{false};
    std::unique_ptr<wxSemaphore> sem_thread_end;
};

wxDECLARE_APP(App);

wxString GetPath(const wxString& path, wxChar separator);
wxString chg_path(const wxString& path);

// The worker's half of the thread handshake: raises gui_wait before the event is queued, so
// the GUI cannot handle the event without releasing the worker, then waits until it has.
void ask_gui_and_wait(wxEvtHandler* target, wxEvent* event);
// The GUI half: after handling a request, release a waiting worker.
void release_waiting_worker();
