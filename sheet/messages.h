// Everything the planner says to the user, and the way it says it.
#pragma once

#include <string_view>

namespace sheet {

// Where the planner's messages go. A message is shown at once and the rules
// go on when it has been acknowledged; an empty title means the box has no
// title of its own and shows the program's name.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show(std::string_view text, std::string_view title) = 0;
};

namespace text {
inline constexpr std::string_view kProgramTitle = "Rededovi Program v1.33";
inline constexpr std::string_view kNoTitle = "";

inline constexpr std::string_view kSelectFirst =
    "You must select a race, a class, and a class to multi to before planning a plavet.";
inline constexpr std::string_view kResetting = "Resetting your plavet selections.";
inline constexpr std::string_view kYay = "YAY!";
inline constexpr std::string_view kReady = "The Element List is ready to be used.";
inline constexpr std::string_view kReadyTitle = "Ready!";

inline constexpr std::string_view kNoPointsToTakeOut = "You have no points to take out!";
inline constexpr std::string_view kMaxedOut = "You're maxed out in that element!";
inline constexpr std::string_view kOops = "Oops!";
inline constexpr std::string_view kNoMorePoints =
    "You have no more points to study in that element!";
inline constexpr std::string_view kUhOh = "UH OH!";

inline constexpr std::string_view kBonusOver200 =
    "Because I'm lazy and don't want to fix it, you can't add a bonus unless you don't go "
    "over 200, which right now, you're going to. Remove a few points and add the bonus in.";
inline constexpr std::string_view kBonusUnder0 =
    "Because I'm lazy and don't want to fix it, you can't add a bonus unless you don't go "
    "under 0, which right now, you're going to. Add a few points and then take the bonus out.";

inline constexpr std::string_view kNotStartedYet =
    "You haven't started your set-up yet. Select a Class, Multi-Class, and Race before you "
    "multi.";
inline constexpr std::string_view kAlreadyMultied = "You already have multied!";
inline constexpr std::string_view kMultied = "You have now multied! Woo!";
inline constexpr std::string_view kRaar = "Raar!";
}  // namespace text

}  // namespace sheet
