#include "app/questions.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "util/text_encoding.h"

namespace {

class ToolkitQuestioner : public Questioner {
  public:
    int ask(wxWindow* parent, const wxString& caption, const wxString& text,
            long buttons) override {
        wxMessageDialog dlg(parent, text, caption, buttons | wxCENTRE);
        switch (dlg.ShowModal()) {
            case wxID_YES:
                return wxYES;
            case wxID_NO:
                return wxNO;
            case wxID_OK:
                return wxOK;
            default:
                return wxCANCEL;
        }
    }
    wxString choose_file(wxWindow* parent, const wxString& message, const wxString& dir,
                         const wxString& wildcard, bool for_saving) override {
        wxFileDialog dlg(parent, message, dir, wxEmptyString, wildcard,
                         for_saving ? wxFD_SAVE : wxFD_OPEN);
        return dlg.ShowModal() == wxID_OK ? dlg.GetPath() : wxString();
    }
    wxString choose_directory(wxWindow* parent, const wxString& message,
                              const wxString& dir) override {
        wxDirDialog dlg(parent, message, dir);
        return dlg.ShowModal() == wxID_OK ? dlg.GetPath() : wxString();
    }
};

std::unique_ptr<Questioner>& current() {
    static std::unique_ptr<Questioner> q = std::make_unique<ToolkitQuestioner>();
    return q;
}

}  // namespace

std::unique_ptr<Questioner> set_questioner(std::unique_ptr<Questioner> q) {
    std::swap(current(), q);
    return q;
}

int ask(wxWindow* parent, const wxString& caption, const wxString& text, long buttons) {
    return current()->ask(parent, caption, text, buttons);
}

void tell(wxWindow* parent, const wxString& caption, const wxString& text) {
    current()->ask(parent, caption, text, wxOK);
}

wxString choose_file(wxWindow* parent, const wxString& message, const wxString& dir,
                     const wxString& wildcard, bool for_saving) {
    return current()->choose_file(parent, message, dir, wildcard, for_saving);
}

wxString choose_directory(wxWindow* parent, const wxString& message, const wxString& dir) {
    return current()->choose_directory(parent, message, dir);
}

void desplegar_msg_con_ayuda(const char* caption, const char* text) {
    // The system's texts are Latin-1 bytes; callers built from UTF-8 sources pass UTF-8.
    tell(nullptr, wxString::FromUTF8(any_to_utf8(caption)), wxString::FromUTF8(any_to_utf8(text)));
}
