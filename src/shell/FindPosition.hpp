#pragma once

// Where the find bar stands among the matches of its text: the engine counts the matches
// and selects the next one, the bar keeps the number of the selected one.

#include <string>

namespace larkspan {

class FindPosition {
  public:
    // A new text (or case choice) was searched for: its first match is selected.
    void restart(unsigned matches);
    // The next (or previous) match was selected, wrapping around at either end.
    void step(bool forward, unsigned matches);
    // Nothing is searched for.
    void clear();

    unsigned current() const { return current_; }
    unsigned matches() const { return matches_; }
    // "2 of 5 matches", "1 of 1 match", "No matches"; empty when nothing is searched for.
    std::string describe() const;

  private:
    bool searching_ = false;
    unsigned current_ = 0;
    unsigned matches_ = 0;
};

}  // namespace larkspan
