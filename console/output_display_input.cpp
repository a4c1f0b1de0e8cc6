// Keyboard input of the execution window: line reads in the input box with its history, and
// single-key reads with an optional time limit.
#include <algorithm>
#include <cstring>

#include "console/console_ids.h"
#include "console/input_box.h"
#include "console/latin1.h"
#include "console/output_display.h"
#include "console/screen.h"
#include "console/screen_panel.h"

namespace {

bool stepping(int mode) {
    return mode == MODE_STEP_OVER || mode == MODE_TRACE_INTO;
}

// The low byte of the key as the program sees it: a typed letter as its Latin-1 code, any
// other key as the low byte of the toolkit's key code.
unsigned char key_byte(const wxKeyEvent& event) {
    const wxChar uni = event.GetUnicodeKey();
    if (uni != WXK_NONE && static_cast<unsigned long>(uni) < 256)
        return static_cast<unsigned char>(uni);
    return static_cast<unsigned char>(event.GetKeyCode() & 0xFF);
}

}  // namespace

bool OutputDisplay::read_line(char* buffer, int size) {
    buffer[0] = '\0';
    input_result = buffer;
    input_result_size = size;
    return input_slot.wait([this] { post(ID_READ_LINE); }) == WaitSlot::answered;
}

int OutputDisplay::read_key(int timeout_ms) {
    char key = 0;
    input_result = &key;
    input_result_size = 1;
    if (input_slot.wait([this, timeout_ms] { post(ID_READ_KEY, timeout_ms); }) !=
        WaitSlot::answered)
        return 0;
    return static_cast<signed char>(key);
}

void OutputDisplay::leer_linea(wxCommandEvent&) {
    // A request left in the queue by a stopped run is not shown.
    if (stop_flag || !input_slot.waiting()) return;
    int col = 0, row = 0;
    {
        const std::lock_guard l(print_lock);
        screen_->GetPos(&col, &row);
        screen_->DelLine(row, col + 1);
    }
    reading_line_flag = true;
    if (IsIconized()) Iconize(false);
    prepare_inputbox();
    if (!IsShown()) show_win(true);
    input->Enable();
    input->Show();
    history_choice->Enable();
    input->text()->SetFocus();
    screen_->RefreshAll();
}

void OutputDisplay::prepare_inputbox() {
    input->SetBackground(screen_->background());
    input->text()->SetForegroundColour(foreground);
    input->text()->SetFont(font);
    const wxPoint p = screen_->PixelsPos();
    const int cw = input->text()->GetCharWidth(), ch = input->text()->GetCharHeight();
    const int x = screen_->GetCharWidth() + p.x + 2;
    input->Dim(std::max(cw, panel->GetClientSize().GetWidth() - x - cw), ch - 1);
    input->Pos(x, p.y);
    input->text()->SetInsertionPoint(0);
    input->text()->ChangeValue("");
}

void OutputDisplay::poner_resultado(wxCommandEvent&) {
    if (!reading_line_flag) return;
    const std::string line = to_latin1(input->text()->GetValue());
    {
        const std::lock_guard l(print_lock);
        screen_->Print(line.c_str());
    }
    if (!history_.in_history(line)) {
        history_.add(line);
        update_input_cmb();
    }
    input->Hide();
    input->Disable();
    history_choice->Disable();
    reading_line_flag = false;
    {
        const std::lock_guard l(print_lock);
        screen_->Print("\n");
    }
    if (stepping(mode))
        if (wxWindow* editor = executing_window()) editor->SetFocus();
    // The worker goes on only after the echo, so its next output follows the typed line.
    input_slot.answer([this, &line] {
        const size_t n = std::min(line.size(), static_cast<size_t>(input_result_size - 1));
        std::memcpy(input_result, line.data(), n);
        input_result[n] = '\0';
    });
}

void OutputDisplay::update_input_cmb() {
    history_choice->Clear();
    for (const std::string& l : history_.entries()) history_choice->Append(from_latin1(l));
}

void OutputDisplay::readkey(wxCommandEvent& event) {
    // After a stop the worker has already been released; nothing is awaited.
    if (stop_flag || !input_slot.waiting()) return;
    waiting_for_key_flag = true;
    if (event.GetInt() > 0) key_timer.StartOnce(event.GetInt());
    if (IsShown()) {
        if (!stepping(mode)) panel->SetFocus();
    } else {
        show_win(true);
    }
}

void OutputDisplay::OnKeyPressed(wxKeyEvent& event) {
    if (!waiting_for_key_flag) {
        event.Skip();
        return;
    }
    key_timer.Stop();
    waiting_for_key_flag = false;
    if (!show_on_output)
        if (wxWindow* main = GetParent()) main->SetFocus();
    const char key = static_cast<char>(key_byte(event));
    input_slot.answer([this, key] { *input_result = key; });
}

void OutputDisplay::time_out(wxTimerEvent&) {
    if (stop_flag) return;
    waiting_for_key_flag = false;
    input_slot.answer([this] { *input_result = 0; });
}

void OutputDisplay::OnSetFocus(wxFocusEvent& event) {
    if (reading_line_flag) input->text()->SetFocus();
    event.Skip();
}

void OutputDisplay::on_cmb_selected(wxCommandEvent&) {
    if (!reading_line_flag) return;
    input->text()->WriteText(history_choice->GetStringSelection());
    input->text()->SetFocus();
}

void OutputDisplay::on_inputcmb_focus(wxFocusEvent& event) {
    if (reading_line_flag) input->text()->SetFocus();
    event.Skip();
}
