#include "store/derived.h"

#include <algorithm>
#include <utility>

namespace store {
namespace {

// Rules played here say nothing: the user did not press anything.
class Silence : public sheet::MessageSink {
 public:
  void show(std::string_view, std::string_view) override {}
};

}  // namespace

sheet::State withDValues(sheet::State state) {
  Silence silence;
  sheet::Planner planner(silence);
  planner.restore(std::move(state));
  planner.delement();
  return planner.state();
}

sheet::State withListsRebuilt(sheet::State state) {
  Silence silence;
  sheet::Planner planner(silence);
  if (!state.started || !state.multiClassed || !state.valuesAtMultiClass) {
    planner.restore(std::move(state));
    planner.delement();
    planner.showSkills();
    return planner.state();
  }
  // As multi-classing built them: the first-class list from the values the
  // plavet had then, the second-class list from the values it has now.
  sheet::State then = state;
  std::copy(state.valuesAtMultiClass->begin(), state.valuesAtMultiClass->end(), then.boxes.begin());
  then.firstClassSkills.clear();
  planner.restore(then);
  planner.firstclassskillcheck();
  state.firstClassSkills = planner.state().firstClassSkills;
  planner.restore(state);
  planner.delement();
  planner.multiskillcheck();
  return planner.state();
}

}  // namespace store
