#include "console/input_history.h"

#include <algorithm>

void InputHistory::add(const std::string& line) {
    if (line.empty() || in_history(line)) return;
    lines[next] = line;
    next = (next + 1) % slots;
}

bool InputHistory::in_history(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> InputHistory::entries() const {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (!l.empty()) out.push_back(l);
    return out;
}
