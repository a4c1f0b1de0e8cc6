// The editor control of an editor window: file loading and saving, markers, line-number
// margin, block indentation and the notifications that keep the window's commands current.
#pragma once

#include <wx/stc/stc.h>

class ChildFrame;

enum { MARKER_BREAKPOINT = 2, MARKER_EXEC_LINE = 3, MARKER_ERROR_LINE = 4 };

class mytext : public wxStyledTextCtrl {
  public:
    mytext(ChildFrame* owner, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
           const wxString& name);

    // Colours, keywords and lexer of the language, with font as the default style's font.
    void aplicar_estilo(const wxFont& font);
    void SetTextFont(const wxFont& font);

    void LoadFile(const wxString& path);
    void SaveFile(const wxString& path);
    bool SaveFile();
    bool guardar_como();
    const wxString& getFileName() const { return file_name; }
    void HabilitarGuardar(bool enable);
    bool IsExecuting(const wxString& name) const;
    // True when the text came from (or will be saved as) UTF-8 rather than Latin-1.
    bool is_utf8() const { return utf8; }

    void AddBreakPoint(int line);
    void DelBreakPoint(int line);
    int BreakPointCount() const { return breakpoint_count; }
    bool isMarked(int line);
    void ShowLine(int line);  // interpreter thread
    void ShowLineMsg(wxCommandEvent& event);
    void HideLastLine();
    void HideLastLineMsg();  // interpreter thread
    void ShowErrorLine(int line);
    void HideErrorLine();
    int current_line() const { return cur_line; }

    bool isSelected() { return GetSelectionEnd() > GetSelectionStart(); }
    bool SCanPaste() const { return true; }
    void indentar();
    void desindentar();
    void ShowLineNumber(bool show);
    bool line_numbers_shown() const { return show_line_numbers; }
    void calculate_margin();
    void show_cur_pos();

  private:
    void OnUpdateUI(wxStyledTextEvent& event);
    void OnModify(wxStyledTextEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnClick(wxMouseEvent& event);
    void cambiar_indentacion(int delta);
    void show_line_now(int line);

    wxString file_name;
    int breakpoint_count = 0;
    int cur_line = -1;
    ChildFrame* owner;
    wxFont font;
    bool show_line_numbers = false;
    bool loading = false;
    bool error_line_shown = false;
    int error_line = 0;
    bool utf8 = false;
};
