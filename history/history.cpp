#include "history/history.h"

#include <utility>

namespace history {

void History::record(std::string name, const sheet::State& before, const sheet::State& after,
                     int mergeKey) {
  const bool typingOn = mergeKey != kNoMerge && mergeKey == typingKey_ && canUndo() && !canRedo() &&
                        steps_.back().mergeKey == mergeKey && clean_ != done_;
  if (before == after) {
    if (mergeKey != typingKey_) typingKey_ = kNoMerge;
    return;
  }
  typingKey_ = mergeKey;
  if (typingOn) {
    steps_.back().after = after;
    if (steps_.back().before == after) {  // typed back to where the step began
      steps_.pop_back();
      --done_;
      typingKey_ = kNoMerge;
    }
    return;
  }
  steps_.resize(done_);  // what was undone can no longer be redone
  if (clean_ && *clean_ > done_) clean_.reset();
  steps_.push_back({std::move(name), before, after, mergeKey});
  ++done_;
  if (steps_.size() > kMaxSteps) {
    steps_.pop_front();
    --done_;
    if (clean_ == std::size_t{0})
      clean_.reset();
    else if (clean_)
      --*clean_;
  }
}

std::string_view History::undoName() const {
  return canUndo() ? std::string_view(steps_[done_ - 1].name) : std::string_view();
}

std::string_view History::redoName() const {
  return canRedo() ? std::string_view(steps_[done_].name) : std::string_view();
}

const sheet::State& History::undo() {
  typingKey_ = kNoMerge;
  return steps_[--done_].before;
}

const sheet::State& History::redo() {
  typingKey_ = kNoMerge;
  return steps_[done_++].after;
}

void History::clear() {
  steps_.clear();
  done_ = 0;
  clean_ = 0;
  typingKey_ = kNoMerge;
}

void History::markClean() {
  clean_ = done_;
  typingKey_ = kNoMerge;
}

}  // namespace history
