// The last ten distinct lines typed in the execution window, offered in its history list.
#pragma once

#include <array>
#include <string>
#include <vector>

class InputHistory {
  public:
    static constexpr int slots = 10;

    // Stores a line not yet present in the next slot, replacing the oldest when all are full.
    void add(const std::string& line);
    bool in_history(const std::string& line) const;
    // The non-empty slots in slot order, as the list shows them.
    std::vector<std::string> entries() const;

  private:
    std::array<std::string, slots> lines;
    int next = 0;
};
