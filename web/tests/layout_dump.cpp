// Writes the window's control table, as the Qt window is built from it, for
// the browser tests to hold the page to: names, kinds, captions, places in
// twips, styles, rules, tab order, the lists' items and the help text.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "app/explosion.h"
#include "app/layout.h"

int main() {
  using layout::Kind;
  const auto kindName = [](Kind k) {
    switch (k) {
      case Kind::Label:
        return "label";
      case Kind::NumberBox:
        return "number";
      case Kind::Combo:
        return "combo";
      case Kind::Button:
      case Kind::WrappingButton:
        return "button";
      case Kind::Arrow:
        return "arrow";
      case Kind::List:
        return "list";
      case Kind::Check:
        return "check";
    }
    return "";
  };
  QJsonArray controls;
  for (const layout::Control& c : layout::controls()) {
    controls.append(QJsonObject{
        {"name", c.name},
        {"kind", kindName(c.kind)},
        {"caption", c.caption},
        {"place", QJsonArray{c.left, c.top, c.width, c.height}},
        {"centred", bool(c.style & layout::Centred)},
        {"rightAligned", bool(c.style & layout::RightAligned)},
        {"bold", bool(c.style & layout::Bold)},
        {"large", bool(c.style & layout::Large)},
    });
  }
  QJsonArray rules;
  for (const layout::Rule& r : layout::rules()) rules.append(QJsonArray{r.x1, r.y1, r.x2, r.y2});
  QJsonArray tabOrder;
  for (const QString& name : layout::tabOrder()) tabOrder.append(name);
  const QJsonObject all{
      {"size", QJsonArray{layout::kWidthTwips, layout::kHeightTwips}},
      {"controls", controls},
      {"rules", rules},
      {"tabOrder", tabOrder},
      {"races", QJsonArray::fromStringList(layout::raceNames())},
      {"classes", QJsonArray::fromStringList(layout::classNames())},
      {"help", Explosion::helpText()},
  };
  std::fputs(QJsonDocument(all).toJson(QJsonDocument::Compact).constData(), stdout);
}
