// A race or class selection: pick an item or type any text. While a plavet is
// started the selection is locked: it shows its text but cannot change.
#pragma once

#include <QComboBox>

class SelectionCombo : public QComboBox {
  Q_OBJECT
 public:
  SelectionCombo(const QStringList& items, QWidget* parent);
  void setLocked(bool locked);
  bool isLocked() const { return locked_; }
  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool locked_ = false;
};
