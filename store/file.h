// Plavet files (.plavet): JSON, one field per line in a fixed order, so that
// they read well and change line by line under version control.
//
// Writing and reading need no toolkit (library plavet_codes, which the web
// page builds too); saving and opening a path use QtCore inside (library
// plavet_store).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/planner.h"
#include "store/loaded.h"

namespace store {

// The format's name and the newest version, which readPlavetFile reads with
// every older one. Version 2 added the values at multi-classing
// ("valuesAtMultiClass"), version 3 the skill goals and the clan-town counts
// of the plan ("goals", "clanTownCounts"). writePlavetFile writes version 3
// only for a plavet that keeps goals or counts, else version 2, which older
// programs read.
inline constexpr std::string_view kFileFormat = "plavet";
inline constexpr int kFileVersion = 3;

// Larger files are refused before they are read.
inline constexpr std::size_t kMaxFileBytes = 1 << 20;

// The file's bytes. Selection texts that are not UTF-8 are written as the
// window shows them: each broken sequence becomes U+FFFD.
std::string writePlavetFile(const sheet::State& state);

// A .plavet file; or any other text that holds a plavet code (a note, a
// chat line, a link to the page), as decodeCodeIn reads it. A file that
// starts with "{" is read as JSON.
Loaded readPlavetFile(std::string_view bytes);

// Why a file of so many bytes, over kMaxFileBytes, is refused. (64 bits:
// the page, whose size_t has 32, tells a file of gigabytes by its size.)
std::string tooLargeForAPlavet(std::uint64_t bytes);

// What saving the plavet writes: the file's bytes, read back first as Open
// would read them. A plavet that could not be opened again gives no bytes
// and the reason ("The plavet was not saved, since it could not be opened
// again: ..."), so that no file is ever written that Open would refuse.
struct FileToSave {
  std::string bytes;
  std::string refusal;  // empty when the bytes may be written
};
FileToSave plavetFileToSave(const sheet::State& state);

// "" when saved, else why not. Writes through QSaveFile, so a failed save
// leaves the old file whole; a plavet that could not be opened again is not
// written at all.
std::string savePlavetFile(const std::string& utf8Path, const sheet::State& state);

// Refuses a file over kMaxFileBytes before reading it all.
Loaded openPlavetFile(const std::string& utf8Path);

}  // namespace store
