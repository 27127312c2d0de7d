// The undo history of a plavet. Every user action that changed the plavet is
// one step, kept as the whole plavet before and after it, so undoing runs no
// rule and shows no message: it puts the earlier plavet back as it was.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/planner.h"

namespace history {

class History {
 public:
  // Steps that carry the same key one after another are one step: typing on
  // in one selection box. No key, no merging.
  static constexpr int kNoMerge = 0;
  // The oldest steps are forgotten beyond this many.
  static constexpr std::size_t kMaxSteps = 1000;

  // Records what the user just did. An action that changed nothing adds no
  // step, but it ends the typing in a selection box all the same: the user
  // used another control.
  void record(std::string name, const sheet::State& before, const sheet::State& after,
              int mergeKey = kNoMerge);

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // What the next undo or redo would take back or do again ("Raise M Fire
  // by 10"); empty when there is none.
  std::string_view undoName() const;
  std::string_view redoName() const;

  // Steps back or forward and returns the plavet to put in place. Only when
  // canUndo() or canRedo().
  const sheet::State& undo();
  const sheet::State& redo();

  // The user used another control or a command, whether or not it changed
  // the plavet: typing on in a selection box is a new step from now on.
  void endTyping() { typingKey_ = kNoMerge; }

  // Forgets every step; the plavet as it stands is the clean one.
  void clear();
  // The plavet as it stands is what its file holds.
  void markClean();
  // Whether the plavet stands where it was last marked clean.
  bool isClean() const { return clean_ == done_; }

  std::size_t size() const { return steps_.size(); }

 private:
  struct Step {
    std::string name;
    sheet::State before, after;
    int mergeKey;
  };

  std::deque<Step> steps_;
  std::size_t done_ = 0;                  // steps_[0, done_) are done
  std::optional<std::size_t> clean_ = 0;  // done_ when the plavet matched its file
  int typingKey_ = kNoMerge;              // the key of the last action, if it may merge
};

}  // namespace history
