#include "app/explosion.h"

#include <QLabel>

#include "app/fonts.h"
#include "app/layout.h"

const QString& Explosion::helpText() {
  static const QString text = QStringLiteral(
      "This program assumes you the role of a Level 60. You choose the race and combo you like, "
      "even a ridiculous one and then click the Start button. You'll then be allowed access to hit "
      "the arrow buttons to raise and lower your points and plan out your plavet pre-multi. When "
      "you have finished, you hit the multi button and it'll correctly, to a degree, all the "
      "complicated math that is needed for you. Then you can finish your plavet as you please. Be "
      "aware that if you need to back up, it'll place the points you backed up into the Magical "
      "and Physical stores only. This is so you can not try to cheat the system and get more "
      "Magical and Physical points than you really can have in the wrong type of elements.By "
      "hitting the skills button, you can see what skills you have learned so you do not have to "
      "go on the mud to see what class learns what at what time. This was a lot of work and I "
      "hope I didn't make any obvious mistakes. When you are done, you can hit the Start button "
      "again and it'll clear your selections. I haven't installed a save feature yet, so write "
      "down your numbers or store them in some other fashion. However, I'm sure this is a great "
      "step ahead in planning plavets, as I have included Right Clicking on the element buttons "
      "to jump ahead 10 elements at a time. Have fun with it, and I hope you enjoy it.");
  return text;
}

// A top-level window of its own: no owner, no minimize or maximize button.
Explosion::Explosion(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("Explosion");
  setWindowTitle("Help");
  setFixedSize(layout::px(7035), layout::px(3465));
  setFont(windowFont());

  auto* title = new QLabel("Help", this);
  title->setObjectName("lblhelp");
  title->setFont(windowFont(12));
  title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  title->setGeometry(layout::px(30), layout::px(120), layout::px(6990), layout::px(300));

  auto* description = new QLabel(helpText(), this);
  description->setObjectName("lbldescription");
  description->setWordWrap(true);
  description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description->setGeometry(layout::px(120), layout::px(600), layout::px(6855), layout::px(2775));
}
