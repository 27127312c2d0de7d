// The program's settings: the recent files and the player's choices. Read on
// first use only, so that start-up does not wait for them.
#pragma once

#include <QSettings>

#include "app/plavet.h"

inline QSettings settings() {
  return QSettings(kApplicationName, kApplicationName);
}

inline constexpr char kRecentKey[] = "recentFiles";
inline constexpr char kArrowKeysKey[] = "arrowKeys";
