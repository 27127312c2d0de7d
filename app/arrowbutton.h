// An arrow button that acts when a mouse button goes down on it and says which
// one; it has no click action, so the keyboard does not work it, unless the
// player lets it: then Space or Enter is a left press and Shift+Space or
// Shift+Enter a right press.
#pragma once

#include <QPushButton>
#include <functional>

class ArrowButton : public QPushButton {
  Q_OBJECT
 public:
  enum class Pointing { Up, Down };
  ArrowButton(Pointing pointing, QWidget* parent);

  // Mouse-button codes reported by mouseDown.
  static constexpr int kLeft = 1, kRight = 2, kMiddle = 4;

  // Asked on each Space or Enter whether keys press the arrows; without it
  // they never do.
  std::function<bool()> keysPress;

 signals:
  // A press with this mouse-button code, by the mouse or by the keys.
  void mouseDown(int buttonCode);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Pointing pointing_;
};
