#include "app/recent_files.h"

void RecentFiles::push(const wxString& path) {
    slots[next] = path;
    next = (next + 1) % SLOTS;
}

int RecentFiles::recent_pos(const wxString& path) const {
    for (int i = 0; i < SLOTS; ++i)
        if (slots[i] == path) return i;
    return -1;
}

void RecentFiles::add_to_recents(wxString path) {
    const int p = recent_pos(path);
    if (p == -1) {
        push(path);
        return;
    }
    for (int i = (p + 1) % SLOTS; i != next; i = (i + 1) % SLOTS)
        slots[(i + SLOTS - 1) % SLOTS] = slots[i];
    slots[(next + SLOTS - 1) % SLOTS] = path;
}
