#include "console/output_display.h"

#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "app/ids.h"
#include "app/parent_frame.h"
#include "app/res/cerrar.xpm"
#include "app/res/terminar.xpm"
#include "app/settings_table.h"
#include "console/colour_mgr.h"
#include "console/console_ids.h"
#include "console/input_box.h"
#include "console/latin1.h"
#include "console/screen.h"
#include "console/screen_panel.h"

namespace {

constexpr int HISTORY_WIDTH = 250, HISTORY_HEIGHT = 25;
constexpr int EXTRA_HEIGHT = 0;

}  // namespace

OutputDisplay::OutputDisplay(wxWindow* parent, const wxFont& output_font)
    : wxFrame(parent, ID_OUTPUT_DISPLAY, L"Ventana de ejecución", wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxWANTS_CHARS),
      key_timer(this, ID_KEY_TIMER),
      refresh_timer(this, ID_REFRESH_TIMER),
      redisplay_timer(this, ID_REDISPLAY_TIMER) {
    crear_tool_bar();
    separator = new wxStaticLine(this, wxID_ANY, wxPoint(0, 0), wxSize(10, 3));
    panel = new ScreenPanel(this, wxID_ANY, wxPoint(0, 2), wxDefaultSize,
                            wxWANTS_CHARS | wxBORDER_NONE);
    screen_ = new Screen(panel, this);
    input = new InputBox(panel, ID_INPUT_BOX);
    input->Hide();
    input->Disable();

    const ColourMgr colours;
    int bg = colours.GetZQColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    int fg = colours.GetZQColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    if (bg == 0) bg = colours.GetZQColour(*wxWHITE);
    if (fg == 0) fg = colours.GetZQColour(*wxBLACK);
    background = colours.GetWXColour(bg).value_or(*wxWHITE);
    foreground = colours.GetWXColour(fg).value_or(*wxBLACK);
    SetBackgroundColour(background);
    panel->SetBackgroundColour(background);
    screen_->set_background(background);
    screen_->SetColour(fg, bg);

    wxFont f = output_font;
    while (!SetFont(f)) f.SetPointSize(f.GetPointSize() + 1);

    history_choice->Disable();
    screen_->Cls();
    SetMenuBar(new wxMenuBar);

    Bind(wxEVT_TIMER, &OutputDisplay::Refresh_timer, this, ID_REFRESH_TIMER);
    Bind(wxEVT_TIMER, &OutputDisplay::time_out, this, ID_KEY_TIMER);
    Bind(wxEVT_TIMER, &OutputDisplay::redisplay, this, ID_REDISPLAY_TIMER);
    Bind(wxEVT_BUTTON, &OutputDisplay::poner_resultado, this, ID_INPUT_BUTTON);
    Bind(wxEVT_TEXT_ENTER, &OutputDisplay::poner_resultado, this, ID_INPUT_BOX);
    Bind(wxEVT_TOOL, &OutputDisplay::kill, this, ID_KILL_TOOL);
    Bind(wxEVT_TOOL, &OutputDisplay::hide, this, ID_HIDE_TOOL);
    Bind(wxEVT_CHAR, &OutputDisplay::OnKeyPressed, this);
    Bind(wxEVT_CLOSE_WINDOW, &OutputDisplay::on_close, this);
    Bind(wxEVT_SET_FOCUS, &OutputDisplay::OnSetFocus, this);
    Bind(wxEVT_CHOICE, &OutputDisplay::on_cmb_selected, this, ID_HISTORY_LIST);
    history_choice->Bind(wxEVT_KILL_FOCUS, &OutputDisplay::on_inputcmb_focus, this);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::leer_linea, this, ID_READ_LINE);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::readkey, this, ID_READ_KEY);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::show_msg, this, ID_SHOW_MSG);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::StartTimer, this, ID_START_TIMER);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::ShowWinMsg, this, ID_SHOW_WIN);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::OnExecEnd, this, ID_EXEC_END);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::redisplay, this, ID_REDISPLAY);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::EnableExec, this, ID_ENABLE_EXEC);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::DisableExec, this, ID_DISABLE_EXEC);
    Bind(wxEVT_COMMAND_ENTER, &OutputDisplay::refresh_all_msg, this, ID_REFRESH_ALL);
}

OutputDisplay::~OutputDisplay() {
    delete screen_;
}

void OutputDisplay::crear_tool_bar() {
    tools = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL);
    tools->SetMargins(2, 2);
    const wxBitmap kill_bmp(terminar_xpm), hide_bmp(cerrar_xpm);
    tools->SetToolBitmapSize(kill_bmp.GetSize());
    tools->AddTool(ID_KILL_TOOL, "", kill_bmp, L"Terminar ejecución");
    tools->AddTool(ID_HIDE_TOOL, "", hide_bmp, "Ocultar ventana");
    history_label = new wxStaticText(tools, wxID_ANY, "    Datos previos: ");
    tools->AddControl(history_label);
    history_choice = new wxChoice(tools, ID_HISTORY_LIST, wxDefaultPosition,
                                  wxSize(HISTORY_WIDTH, HISTORY_HEIGHT));
    tools->AddControl(history_choice);
    tools->Realize();
    tools->EnableTool(ID_KILL_TOOL, false);
}

bool OutputDisplay::SetFont(const wxFont& f) {
    if (!screen_) return wxFrame::SetFont(f);
    const wxFont previous = screen_->GetFont();
    screen_->SetFont(f);
    const int line_width = screen_->GetCharWidth() * Screen::columns;
    const int tools_width = 2 * tools->GetToolSize().GetWidth() + 3 * tools->GetToolPacking() +
                            HISTORY_WIDTH + history_label->GetSize().GetWidth() + 10;
    if (line_width < tools_width) {
        if (previous.IsOk()) screen_->SetFont(previous);
        return false;
    }
    font = f;
    input->text()->SetFont(font);
    input->text()->Refresh();
    init_screen();
    if (reading_line_flag) prepare_inputbox();
    return true;
}

void OutputDisplay::init_screen() {
    SetClientSize(screen_->GetCharWidth() * Screen::columns + 4,
                  screen_->GetCharHeight() * Screen::rows + EXTRA_HEIGHT + 15);
    const wxSize client = GetClientSize();
    panel->SetSize(0, 2, client.GetWidth(), client.GetHeight() - 2);
    separator->SetSize(0, 0, client.GetWidth(), 3);
    if (opcion("EXECWIN_LOCATED").empty()) {
        const auto x = opcion_entera("EXECWIN_X"), y = opcion_entera("EXECWIN_Y");
        if (x && y)
            Move(*x == -1 ? 0 : *x, *y == -1 ? 0 : *y);
        else
            Centre(wxBOTH);
        poner_opcion("EXECWIN_LOCATED", "1");
    }
}

void OutputDisplay::show_win(bool show) {
    Show(show);
    shown = show;
    if (auto* main = dynamic_cast<ParentFrame*>(GetParent())) main->enable_ver_outscreen(show);
    if (reading_line_flag) input->Refresh();
    if (show) Raise();
}

void OutputDisplay::ShowWinMsg(wxCommandEvent& event) {
    show_posted = false;
    if (!IsShown()) show_win(event.GetInt() == 1);
}

void OutputDisplay::paint_screen(wxDC& dc, const wxRect& box) {
    {
        const std::lock_guard l(print_lock);
        screen_->privRefresh(dc, box);
    }
    if (reading_line_flag) input->text()->Refresh();
}

void OutputDisplay::redisplay(wxEvent&) {
    wxRect box;
    {
        const std::lock_guard l(region_lock);
        box = pending_region.GetBox();
        pending_region.Clear();
    }
    screen_->Refresh(box);
}

void OutputDisplay::Refresh_timer(wxTimerEvent&) {
    screen_->RefreshAll();
}

void OutputDisplay::start_refresh_timer() {
    if (!refresh_timer.IsRunning()) refresh_timer.StartOnce(3);
}

void OutputDisplay::refresh_all_msg(wxCommandEvent&) {
    screen_->RefreshAll();
    refresh_slot.answer();
}

void OutputDisplay::post(int id, int value, const wxString& text) {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, id);
    event->SetInt(value);
    event->SetString(text.Clone());
    wxQueueEvent(this, event);
}
