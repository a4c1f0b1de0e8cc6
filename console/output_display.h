// The execution window: the one console of the environment. It hosts the text screen, the
// line-input box and the history of typed lines, admits one run at a time, redraws the screen
// on its timers while the program writes, and carries out a user stop.
//
// Threads: the worker calls only the operations marked "worker"; they touch memory under
// the window's locks or post command events, never a window. Every wait of the worker (a
// line, a key, a clear-screen redraw, a beep pause) is released by matar_proceso().
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/region.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "console/input_history.h"
#include "console/wait_slot.h"

class InputBox;
class Screen;
class ScreenPanel;
class ThreadMgr;
class wxDC;

class OutputDisplay : public wxFrame {
  public:
    // Created hidden by the main window, with a copy of its output font.
    OutputDisplay(wxWindow* parent, const wxFont& font);
    ~OutputDisplay() override;

    // --- worker thread ---
    // Writes Latin-1 text on the screen; shows the hidden window when output should.
    void print(const char* text);
    // Clears the screen; during a run, returns after the GUI thread has redrawn it (or at a stop).
    void clear();
    // 1-based; positions outside 25 x 80 are ignored.
    void SetCurrentPos(int row, int col);
    // row 1-based; col = 1-based column of the last character written, 0 at a line start.
    void GetCurrentPos(int* row, int* col) const;
    // A number outside 1..16 leaves that colour unchanged.
    void SetColour(unsigned char fg, unsigned char bg);
    void GetColour(int* fg, int* bg) const;
    // Asks the user for one line, stored as Latin-1 bytes, at most size - 1 of them, and a
    // terminator. False (buffer emptied) when the run was stopped instead.
    bool read_line(char* buffer, int size);
    // Waits for one key, at most timeout_ms when positive: the low byte of its code, or 0
    // when the time ran out or the run was stopped.
    int read_key(int timeout_ms);
    // Pauses the program (beep); a stop ends the pause at once.
    void pausa(int ms);
    bool stop_requested() const { return stop_flag.load(); }

    // --- GUI thread ---
    // Admits a run of `editor` in `mode`; false while another window's program runs, a stop
    // is being carried out, or this window's own program waits for input.
    bool StartExec(ThreadMgr* thread, wxWindow* editor, int mode);
    // Records the thread created after its run was admitted.
    void SetThread(ThreadMgr* thread);
    // Announces the end of the run of `thread` (either thread may call it): only the first
    // announcement of a run counts, and a later run is never cleared by an earlier one.
    void EndExec(const ThreadMgr* thread);
    bool IsExecuting(const wxWindow* editor) const;
    wxWindow* executing_window() const;
    ThreadMgr* thread() const;
    int run_mode() const { return mode; }
    // Stops the run: sets the stop-requested flag and releases every wait of the worker in
    // this window. The caller stops its own machine and a thread parked in the debugger.
    void matar_proceso();
    // Set by an editor window while it carries out a user's stop: no run is admitted then.
    void set_terminate_in_progress(bool on);
    // Refused (false) when 80 columns of the font are narrower than the tool bar's contents.
    bool SetFont(const wxFont& font) override;
    void show_win(bool show);
    // Whether output arriving while the window is hidden shows it again.
    void set_show_on_output(bool on) { show_on_output = on; }
    bool reading_line() const { return reading_line_flag; }
    bool waiting_for_key() const { return waiting_for_key_flag; }

    Screen* screen() const { return screen_; }
    ScreenPanel* screen_panel() const { return panel; }
    InputBox* input_box() const { return input; }
    wxChoice* history_list() const { return history_choice; }
    const InputHistory& history() const { return history_; }
    // Draws the screen cells inside `box` (pixels) on a paint context of the screen panel.
    void paint_screen(wxDC& dc, const wxRect& box);

  private:
    void crear_tool_bar();
    void init_screen();
    void prepare_inputbox();
    void update_input_cmb();
    void post(int id, int value = 0, const wxString& text = {});
    void start_refresh_timer();

    void Refresh_timer(wxTimerEvent&);
    void redisplay(wxEvent&);
    void time_out(wxTimerEvent&);
    void poner_resultado(wxCommandEvent&);
    void kill(wxCommandEvent&);
    void hide(wxCommandEvent&) { show_win(false); }
    void on_close(wxCloseEvent&) { show_win(false); }
    void OnKeyPressed(wxKeyEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void on_cmb_selected(wxCommandEvent&);
    void on_inputcmb_focus(wxFocusEvent& event);
    void leer_linea(wxCommandEvent&);
    void readkey(wxCommandEvent& event);
    void show_msg(wxCommandEvent& event);
    void StartTimer(wxCommandEvent&) { start_refresh_timer(); }
    void ShowWinMsg(wxCommandEvent& event);
    void OnExecEnd(wxCommandEvent&);
    void EnableExec(wxCommandEvent& event);
    void DisableExec(wxCommandEvent& event);
    void refresh_all_msg(wxCommandEvent&);

    Screen* screen_ = nullptr;
    ScreenPanel* panel = nullptr;
    InputBox* input = nullptr;
    wxTimer key_timer;
    wxTimer refresh_timer;
    wxTimer redisplay_timer;
    std::atomic<bool> show_on_output{true};
    std::atomic<bool> shown{false};
    std::atomic<bool> show_posted{false};
    bool waiting_for_key_flag = false;
    bool reading_line_flag = false;
    wxToolBar* tools = nullptr;
    wxFont font;
    wxColour background, foreground;
    wxStaticLine* separator = nullptr;
    wxChoice* history_choice = nullptr;
    wxStaticText* history_label = nullptr;
    InputHistory history_;

    // The cells drawn by the GUI thread are never half-written by the worker.
    mutable std::mutex print_lock;
    // Pending-redraw region, in pixels, with its own lock (taken inside the screen too).
    std::mutex region_lock;
    wxRegion pending_region;
    // Worker waits: a typed line or key (with its result buffer), the redraw after a clear,
    // a beep pause.
    WaitSlot input_slot;
    WaitSlot refresh_slot;
    WaitSlot sleep_slot;
    char* input_result = nullptr;
    int input_result_size = 0;
    std::atomic<bool> stop_flag{false};
    // Admission and end of runs.
    mutable std::mutex start_lock;
    std::mutex terminate_lock;
    bool terminate_in_progress = false;
    ThreadMgr* run_thread = nullptr;
    wxWindow* executing = nullptr;
    int mode = 0;

    friend class Screen;
};
