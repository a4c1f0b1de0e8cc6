#include "app/mytext.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <wx/settings.h>
#include <wx/utils.h>

#include "app/app.h"
#include "app/atomic_file.h"
#include "app/child_frame.h"
#include "app/ids.h"
#include "app/parent_frame.h"
#include "app/questions.h"
#include "util/text_encoding.h"

namespace {

const char* const KEYWORDS =
    "and archivo caso const constantes desde eval fin hasta inicio lib libext matriz mientras "
    "not or paso sub subrutina programa ref registro repetir retorna salir si sino tipos var "
    "variables vector numerico cadena logico";

const wxColour STYLE_COLOURS[] = {
    {128, 128, 128}, {0, 125, 0},   {0, 125, 0},   {0, 125, 0},     {255, 0, 0}, {45, 45, 255},
    {255, 0, 0},     {127, 0, 127}, {0, 127, 127}, {127, 127, 127}, {0, 0, 0},   {0, 0, 0},
};
constexpr int KEYWORD_STYLE = 5;
constexpr int INDENT_STEP = 3;

}  // namespace

mytext::mytext(ChildFrame* owner_, wxWindowID id, const wxPoint& pos, const wxSize& size,
               long style, const wxString& name)
    : wxStyledTextCtrl(owner_, id, pos, size, style, name), owner(owner_) {
    SetEOLMode(wxSTC_EOL_LF);
    SetTabWidth(INDENT_STEP);
    SetIndent(INDENT_STEP);
    SetUseTabs(true);
    SetTabIndents(true);
    SetBackSpaceUnIndents(true);
    SetPrintWrapMode(wxSTC_WRAP_WORD);
    SetPrintColourMode(wxSTC_PRINT_NORMAL);
    SetEdgeMode(wxSTC_EDGE_LINE);
    SetEdgeColumn(299);
    SetSelForeground(true, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    SetSelBackground(true, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    MarkerDefine(MARKER_EXEC_LINE, wxSTC_MARK_BACKGROUND, wxNullColour, wxColour(32, 208, 32));
    MarkerDefine(MARKER_ERROR_LINE, wxSTC_MARK_BACKGROUND, wxNullColour, wxColour(255, 0, 0));
    // Only text changes matter to the margin and the save state; styling would flood us.
    SetModEventMask(wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT | wxSTC_PERFORMED_UNDO |
                    wxSTC_PERFORMED_REDO | wxSTC_PERFORMED_USER);
    SetMarginWidth(0, 0);
    SetSavePoint();
    Bind(wxEVT_STC_UPDATEUI, &mytext::OnUpdateUI, this);
    Bind(wxEVT_STC_MODIFIED, &mytext::OnModify, this);
    Bind(wxEVT_KEY_DOWN, &mytext::OnKeyDown, this);
    Bind(wxEVT_LEFT_DOWN, &mytext::OnClick, this);
    Bind(wxEVT_COMMAND_ENTER, &mytext::ShowLineMsg, this, ID_SHOW_LINE);
}

void mytext::aplicar_estilo(const wxFont& f) {
    StyleSetFont(wxSTC_STYLE_DEFAULT, f);
    StyleClearAll();
    for (int s = 0; s < static_cast<int>(std::size(STYLE_COLOURS)); ++s)
        StyleSetForeground(s, STYLE_COLOURS[s]);
    StyleSetBold(KEYWORD_STYLE, true);
    SetLexer(wxSTC_LEX_CPP);
    SetKeyWords(0, KEYWORDS);
    font = f;
}

void mytext::SetTextFont(const wxFont& f) {
    StyleSetFont(wxSTC_STYLE_DEFAULT, f);
    for (int s = 0; s < static_cast<int>(std::size(STYLE_COLOURS)); ++s) StyleSetFont(s, f);
    StyleSetBold(KEYWORD_STYLE, true);
    font = f;
}

void mytext::LoadFile(const wxString& path) {
    std::ifstream in(path.fn_str(), std::ios::binary);
    if (!in) {
        tell(this, "Error", L"No se encontró el archivo");
        HabilitarGuardar(false);
        return;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    const std::string bytes = buf.str();
    // Plain ASCII is taken as the language's Latin-1, so typed accents stay single bytes.
    utf8 = is_valid_utf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) {
               return static_cast<unsigned char>(c) >= 0x80;
           });
    const std::string text = utf8 ? bytes : latin1_to_utf8(bytes);
    loading = true;
    file_name = path;
    ClearAll();
    AppendTextRaw(text.data(), static_cast<int>(text.size()));
    // Undoing past the load would empty the window.
    EmptyUndoBuffer();
    GotoPos(0);
    loading = false;
    calculate_margin();
    HabilitarGuardar(false);
}

void mytext::SaveFile(const wxString& path) {
    const wxCharBuffer raw = GetTextRaw();
    const std::string_view text(raw.data(), GetTextLength());
    std::string latin1;
    // A character Latin-1 cannot hold would be lost, so such a text is kept as UTF-8.
    const bool as_utf8 = utf8 || utf8_to_latin1(text, latin1) != std::string::npos;
    const WriteResult r =
        write_file_atomically(std::string(path.fn_str()), as_utf8 ? text : latin1);
    if (r == WriteResult::ok) {
        utf8 = as_utf8;
        SetSavePoint();
        file_name = path;
        HabilitarGuardar(false);
        return;
    }
    const wxString prefix = r == WriteResult::cannot_create ? L"No se pudo crear el archivo "
                                                            : L"Falló la grabación en el archivo ";
    tell(this, "Error", prefix + "`" + path + "'");
}

bool mytext::SaveFile() {
    if (file_name.empty()) return guardar_como();
    SaveFile(file_name);
    return !IsModified();
}

bool mytext::guardar_como() {
    const wxString path = choose_file(owner, "Guardar como", wxEmptyString, "*.zq", true);
    if (path.empty()) return false;
    wxBusyCursor busy;
    if (wxFileExists(path)) {
        const wxString rest = IsExecuting(path)
                                  ? L"y está siendo ejecutado,\n¿desea detener la ejecución y "
                                    L"reemplazarlo?"
                                  : L", ¿desea reemplazarlo?";
        if (ask(GetParent(), L"Atención!", L"Ya existe un archivo con este nombre " + rest,
                wxYES_NO) != wxYES)
            return false;
    }
    SaveFile(path);
    return true;
}

void mytext::HabilitarGuardar(bool enable) {
    owner->main_window()->tool_bar()->EnableTool(ID_GUARDAR, enable);
    owner->menus()->Enable(ID_GUARDAR, enable);
}

bool mytext::IsExecuting(const wxString& name) const {
    const ChildFrame* editor = owner->main_window()->open_editor(name);
    return editor && editor->programa_en_ejecucion();
}

void mytext::AddBreakPoint(int line) {
    MarkerDefine(MARKER_BREAKPOINT, wxSTC_MARK_CIRCLE, *wxBLACK, *wxRED);
    // One marker per line, so a single removal clears the line.
    if (!isMarked(line)) MarkerAdd(line, MARKER_BREAKPOINT);
    ++breakpoint_count;
}

void mytext::DelBreakPoint(int line) {
    MarkerDelete(line, MARKER_BREAKPOINT);
    --breakpoint_count;
}

bool mytext::isMarked(int line) {
    return (MarkerGet(line) & (1 << MARKER_BREAKPOINT)) != 0;
}

void mytext::ShowLine(int line) {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_SHOW_LINE);
    event->SetInt(line);
    ask_gui_and_wait(this, event);
}

void mytext::ShowLineMsg(wxCommandEvent& event) {
    show_line_now(event.GetInt());
    release_waiting_worker();
}

void mytext::show_line_now(int line) {
    if (cur_line != -1) MarkerDelete(cur_line, MARKER_EXEC_LINE);
    if (line != -1) {
        MarkerAdd(line, MARKER_EXEC_LINE);
        GotoLine(line);
        EnsureCaretVisible();
    }
    cur_line = line;
}

void mytext::HideLastLine() {
    show_line_now(-1);
}

void mytext::HideLastLineMsg() {
    ShowLine(-1);
}

void mytext::ShowErrorLine(int line) {
    MarkerAdd(line, MARKER_ERROR_LINE);
    error_line_shown = true;
    error_line = line;
}

void mytext::HideErrorLine() {
    error_line_shown = false;
    MarkerDelete(error_line, MARKER_ERROR_LINE);
}

void mytext::cambiar_indentacion(int delta) {
    const int first = LineFromPosition(GetSelectionStart());
    const int last = LineFromPosition(GetSelectionEnd());
    BeginUndoAction();
    for (int l = first; l <= last; ++l)
        SetLineIndentation(l, std::max(0, GetLineIndentation(l) + delta));
    EndUndoAction();
}

void mytext::indentar() {
    cambiar_indentacion(INDENT_STEP);
}

void mytext::desindentar() {
    cambiar_indentacion(-INDENT_STEP);
}

void mytext::ShowLineNumber(bool show) {
    show_line_numbers = show;
    if (show)
        calculate_margin();
    else
        SetMarginWidth(0, 0);
}

void mytext::calculate_margin() {
    if (!show_line_numbers) return;
    const int digits = std::max(3, static_cast<int>(std::log10(GetLineCount())) + 1);
    SetMarginType(0, wxSTC_MARGIN_NUMBER);
    SetMarginWidth(0, digits * 10);
}

void mytext::show_cur_pos() {
    const int p = GetCurrentPos();
    owner->show_cur_pos(LineFromPosition(p) + 1, GetColumn(p));
}

void mytext::OnUpdateUI(wxStyledTextEvent& event) {
    event.Skip();
    wxCommandEvent update(wxEVT_COMMAND_ENTER, ID_UPDATE_CONTROLS);
    owner->GetEventHandler()->ProcessEvent(update);
    show_cur_pos();
}

void mytext::OnModify(wxStyledTextEvent& event) {
    event.Skip();
    if (event.GetLinesAdded() != 0) calculate_margin();
    if (!loading) owner->actualizar_guardar();
}

void mytext::OnKeyDown(wxKeyEvent& event) {
    if (event.ControlDown() || event.AltDown()) owner->GetEventHandler()->ProcessEvent(event);
    if (error_line_shown) HideErrorLine();
    event.Skip();
}

void mytext::OnClick(wxMouseEvent& event) {
    if (error_line_shown) HideErrorLine();
    event.Skip();
}
