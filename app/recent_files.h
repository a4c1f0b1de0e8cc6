// The ring of the five files used most recently.
#pragma once

#include <array>
#include <wx/string.h>

class RecentFiles {
  public:
    static constexpr int SLOTS = 5;

    // Puts path in the newest place, moving it there when it is already listed. Taken by value:
    // the caller's string may be one of the slots that move.
    void add_to_recents(wxString path);
    // Stores path in the next slot as read from the settings file, without looking for it.
    void push(const wxString& path);
    int recent_pos(const wxString& path) const;
    int get_newest_file_index() const { return next; }
    const wxString& get_recent_file_name(int i) const { return slots[i]; }
    // The k-th newest entry, k from 1.
    const wxString& newest(int k) const { return slots[(next - k + 2 * SLOTS) % SLOTS]; }

  private:
    std::array<wxString, SLOTS> slots;
    int next = 0;
};
