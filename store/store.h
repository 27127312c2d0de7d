// A plavet as a file, as a code and as text.
#pragma once

#include "store/code.h"
#include "store/file.h"
#include "store/loaded.h"
#include "store/text.h"
