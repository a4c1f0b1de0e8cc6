// The error dialog of an editor window: shows the error that stopped a compile or a run, and
// its "Ver fuente" button takes the caret to the error's line and column.
#pragma once

#include <mutex>
#include <optional>
#include <wx/dialog.h>
#include <wx/timer.h>

#include "compiler/zqerrorinfo.h"

class mytext;
class wxButton;
class wxTextCtrl;

enum { ERROR_MODE_RUN = 0, ERROR_MODE_COMPILE = 1 };

class ErrorDisplay : public wxDialog {
  public:
    ErrorDisplay(wxWindow* parent, wxWindowID id, const wxString& title, mytext* editor);

    // Keeps its own copy: the reporter's record may die as soon as this returns. Callable from
    // the interpreter thread.
    void addMessage(const ZQErrorInfo& e);
    // A copy of the last error handed over, if any.
    std::optional<ZQErrorInfo> getLastError() const;
    void clear();
    // Shows the last error modally; mode ERROR_MODE_COMPILE or ERROR_MODE_RUN.
    void Show(int mode);
    int last_mode() const { return mode; }
    wxString message_text() const;

  private:
    void ir(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnFocusTimer(wxTimerEvent& event);
    void init_buttons();

    wxTextCtrl* pane;
    mytext* editor;
    wxButton* ver_fuente;
    wxTimer focus_timer;
    mutable std::mutex record_lock;
    std::optional<ZQErrorInfo> last_error;
    ZQErrorInfo shown{1};
    int mode = ERROR_MODE_COMPILE;
};
