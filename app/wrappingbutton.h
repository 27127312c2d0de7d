// A push button whose caption wraps onto several lines when it is too wide.
#pragma once

#include <QPushButton>

class WrappingButton : public QPushButton {
  Q_OBJECT
 public:
  WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};
