// The planner core as the page's script calls it: plain C functions over a
// Session. Texts come in as bytes with their length and go out as JSON,
// owned by the session until its next call.
#pragma once

#include <cstddef>

namespace web {
class Session;
}

extern "C" {
web::Session* plavet_open();  // a fresh plavet, as the page opens
void plavet_close(web::Session* session);

// One user event each (see Session); a null pointer when the name is none of
// the controls of that kind. Each answer also names the steps Undo and Redo
// would take ("undo", "redo"; empty for none).
const char* plavet_click(web::Session* session, const char* button);
const char* plavet_mouse_down(web::Session* session, const char* arrow, int buttonCode);
const char* plavet_check(web::Session* session, const char* box, int checked);
const char* plavet_type(web::Session* session, const char* combo, const char* text,
                        std::size_t length);
const char* plavet_state(web::Session* session);

// The undo history (see Session): Undo and Redo, and the end of typing in a
// selection box when the user uses a control or command of the page that
// changes no plavet. Each answers as an event does.
const char* plavet_undo(web::Session* session);
const char* plavet_redo(web::Session* session);
const char* plavet_end_typing(web::Session* session);

// What each item of the skill lists needs, for the lists' tooltips:
// {"fclstskill":["Needs MFire 55",...],"sclstskill":[...]}.
const char* plavet_skill_tips(web::Session* session);

// The window's table of controls, as JSON (see web/layoutjson.h): the page
// builds the window from it.
const char* plavet_layout();

// Links: the plavet's code, and a link's code opened as a user event (a
// step, as a pasted code is); the link the page opens with starts the
// history afresh instead.
const char* plavet_code(web::Session* session);
const char* plavet_open_code(web::Session* session, const char* code, std::size_t length);
const char* plavet_start_with_code(web::Session* session, const char* code, std::size_t length);

// Files (see Session): Save answers with "file":{"name","text"} when the
// plavet may be saved, Open reads a file's bytes, and a file larger than
// plavet_max_file_bytes() is refused by its size without being read (a null
// pointer for a size that is not too large). Open starts the history afresh;
// Save records nothing. Both end typing in a selection box.
const char* plavet_save_file(web::Session* session);
const char* plavet_open_file(web::Session* session, const char* name, const char* bytes,
                             std::size_t length);
const char* plavet_open_large_file(web::Session* session, const char* name, double size);
double plavet_max_file_bytes();

// "Paste plavet code": the first code in any text, as one step (see Session).
const char* plavet_paste_code(web::Session* session, const char* text, std::size_t length);

// The Skill Goals view (see GoalsView): each returns the view as it stands
// after the call. _open builds it on first use; the others give a null
// pointer before it exists, and for a row or a count that is not one.
// `copy` is 0 for the first class, 1 for the second. All but _view are the
// user's and end typing in a selection box.
const char* plavet_goals_open(web::Session* session);
const char* plavet_goals_view(web::Session* session);
const char* plavet_goals_tick(web::Session* session, int copy, int row, int ticked);
const char* plavet_goals_bonuses(web::Session* session, int magic, int physical);
const char* plavet_goals_clear(web::Session* session);
// A goal moved `delta` places in the goals' order; the plan with a race of
// the race table (the plavet's own race ends the choice).
const char* plavet_goals_move(web::Session* session, int copy, int row, int delta);
const char* plavet_goals_race(web::Session* session, const char* race, std::size_t length);
// "Apply Plan", a user event; a null pointer without a plan.
const char* plavet_apply_plan(web::Session* session);

// How the core writes and reads the numbers of its boxes, so that tests can
// hold the WebAssembly build to the texts of the native one.
const char* plavet_format_number(double value);
double plavet_parse_number(const char* text, std::size_t length);
}
