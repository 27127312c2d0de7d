// An arrow button that acts when a mouse button goes down on it and says which
// one; it has no click action, so the keyboard cannot work it.
#pragma once

#include <QPushButton>

class ArrowButton : public QPushButton {
  Q_OBJECT
 public:
  enum class Pointing { Up, Down };
  ArrowButton(Pointing pointing, QWidget* parent);

  // Mouse-button codes reported by mouseDown.
  static constexpr int kLeft = 1, kRight = 2, kMiddle = 4;

 signals:
  void mouseDown(int buttonCode);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Pointing pointing_;
};
