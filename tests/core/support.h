// Shared by the core tests: a planner whose messages are recorded together
// with the sheet as it stood when each message was shown.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "sheet/planner.h"

namespace testing_support {

struct Message {
  std::string text;
  std::string title;
  sheet::State shownOver;  // the planner's state while the box was open
  bool operator==(const Message& o) const { return text == o.text && title == o.title; }
};

inline std::ostream& operator<<(std::ostream& os, const Message& m) {
  return os << '"' << m.text << "\" titled \"" << m.title << '"';
}

class Recorder : public sheet::MessageSink {
 public:
  void show(std::string_view text, std::string_view title) override {
    messages.push_back(
        {std::string(text), std::string(title), planner ? planner->state() : sheet::State{}});
  }
  std::vector<Message> messages;
  const sheet::Planner* planner = nullptr;
};

inline Message msg(std::string_view text, std::string_view title) {
  return {std::string(text), std::string(title), {}};
}

// A test name from a case's words: "3_Half_Giant".
inline std::string caseName(std::size_t index, std::string_view words) {
  std::string name = std::to_string(index) + "_";
  for (char c : words) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

using sheet::Box;
using V = skills::Value;

class PlannerTest : public ::testing::Test {
 protected:
  PlannerTest() {
    recorder.planner = &planner;
    planner.load();
  }

  void choose(std::string_view race, std::string_view first, std::string_view second) {
    planner.setSelectionText(sheet::Selection::Race, race);
    planner.setSelectionText(sheet::Selection::FirstClass, first);
    planner.setSelectionText(sheet::Selection::SecondClass, second);
  }
  // Chooses and starts, then forgets the start's own message.
  void start(std::string_view race, std::string_view first, std::string_view second) {
    choose(race, first, second);
    planner.startReset();
    recorder.messages.clear();
  }
  // Writes boxes directly, as the rules would have left them.
  void put(std::initializer_list<std::pair<Box, double>> values) {
    sheet::State s = planner.state();
    for (auto [box, v] : values) s.boxes[static_cast<int>(box)] = v;
    planner.restore(s);
  }
  double at(Box b) const { return planner.value(b); }
  std::string text(Box b) const { return planner.text(b); }
  std::vector<Message>& messages() { return recorder.messages; }

  Recorder recorder;
  sheet::Planner planner{recorder};
};

}  // namespace testing_support
