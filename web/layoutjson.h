// The window's table of controls (layout/window.h) as JSON, for the page to
// build the window from:
//   {"size":[8835,8715],"twipsPerPixel":15,
//    "controls":[{"name":"lbltitle","kind":"label","caption":"Plavet Program...",
//                 "accessible":"Plavet Program...","place":[240,120,8175,495],
//                 "style":["centred","bold","large"],"buddy":""},...],
//    "rules":[[120,720,8760,720],...],
//    "tabOrder":["txtmf",...],
//    "items":{"cmbrace":["Aracoix",...],"cmbfc":[...],"cmbsc":[...]}}
// Kinds: label, number, combo, button, arrow, list, check. Styles: centred,
// right, bold, large, wraps. "accessible" is what a screen reader says;
// "buddy" the box a label names. Places and rules in twips.
#pragma once

#include <string>

namespace web {

std::string layoutJson();

}  // namespace web
