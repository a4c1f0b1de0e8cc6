// Answers the shell's questions from a script and records every caption and text shown.
#pragma once

#include <deque>
#include <vector>

#include "app/questions.h"

struct Shown {
    wxString caption, text;
    bool operator==(const Shown&) const = default;
};

class ScriptedQuestioner : public Questioner {
  public:
    std::deque<int> answers;     // wxYES, wxNO, wxCANCEL; when empty: OK, or No
    std::deque<wxString> files;  // chosen paths; when empty: cancelled
    std::vector<Shown> shown;
    int file_dialogs = 0;

    int ask(wxWindow*, const wxString& caption, const wxString& text, long buttons) override {
        shown.push_back({caption, text});
        if (buttons == wxOK) return wxOK;
        return next(answers, wxNO);
    }
    wxString choose_file(wxWindow*, const wxString&, const wxString&, const wxString&,
                         bool) override {
        ++file_dialogs;
        return next(files, wxString());
    }
    wxString choose_directory(wxWindow*, const wxString&, const wxString&) override {
        return next(files, wxString());
    }

  private:
    template <typename T>
    static T next(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
};
