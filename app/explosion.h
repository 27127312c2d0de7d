// The help window: a fixed text on how the planner works.
#pragma once

#include <QWidget>

class Explosion : public QWidget {
  Q_OBJECT
 public:
  explicit Explosion(QWidget* parent = nullptr);
  static const QString& helpText();
};
