// Stands in for the message boxes in the window tests: keeps what the planner
// said, and under which title, instead of opening a box.
#pragma once

#include <string>
#include <vector>

#include "sheet/messages.h"

struct Shown {
  std::string text, title;
};

class Recorder : public sheet::MessageSink {
 public:
  void show(std::string_view text, std::string_view title) override {
    shown.push_back({std::string(text), std::string(title)});
  }
  std::vector<Shown> shown;
};
