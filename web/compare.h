// The page's Compare panel over the core: the page keeps what each compared
// plavet was read from (a file's bytes, a code's text) and asks again after
// every event, so the plavet compared with is always the page's as it
// stands. A compared file is read again only when the panel reloads it.
#pragma once

#include <cstddef>

namespace web {
class Session;
}

extern "C" {

// The session's plavet against the plavet a file (`kind` 0: its bytes, read
// as Open reads them) or a text (`kind` 1: a code, a link, a chat line, read
// as Paste reads it) holds: {"comparison": ...} as compare/json.h writes it
// (base "This plavet", the compared one named `name`; `swapped`, the other
// way round), or {"refused": WHY}.
const char* plavet_compare(web::Session* session, const char* name, const char* bytes,
                           std::size_t length, int kind, int swapped);
// Why a file of `size` bytes is not compared, unread: {"refused": WHY}.
const char* plavet_compare_large(web::Session* session, const char* name, double size);
// "Open compared": that plavet in place of the session's, as one step; an
// event's answer, or {"refused": WHY} when it can't be read.
const char* plavet_open_compared(web::Session* session, const char* name, const char* bytes,
                                 std::size_t length, int kind);
}
