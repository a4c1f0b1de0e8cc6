// The one door through which the shell shows modal questions, messages and file dialogs.
// Tests install their own Questioner to answer from a script and record what was shown.
#pragma once

#include <memory>
#include <wx/string.h>

class wxWindow;

class Questioner {
  public:
    virtual ~Questioner() = default;
    // buttons: wxOK, wxYES_NO or wxYES_NO | wxCANCEL; returns wxOK, wxYES, wxNO or wxCANCEL.
    virtual int ask(wxWindow* parent, const wxString& caption, const wxString& text,
                    long buttons) = 0;
    // Returns the full path chosen, or an empty string when the user cancelled.
    virtual wxString choose_file(wxWindow* parent, const wxString& message, const wxString& dir,
                                 const wxString& wildcard, bool for_saving) = 0;
    virtual wxString choose_directory(wxWindow* parent, const wxString& message,
                                      const wxString& dir) = 0;
};

// Replaces the questioner and returns the previous one (the toolkit dialogs by default).
std::unique_ptr<Questioner> set_questioner(std::unique_ptr<Questioner> q);

int ask(wxWindow* parent, const wxString& caption, const wxString& text, long buttons);
void tell(wxWindow* parent, const wxString& caption, const wxString& text);
wxString choose_file(wxWindow* parent, const wxString& message, const wxString& dir,
                     const wxString& wildcard, bool for_saving);
wxString choose_directory(wxWindow* parent, const wxString& message, const wxString& dir);

// Simple centred message box without parent, used by the execution environment checks.
void desplegar_msg_con_ayuda(const char* caption, const char* text);
