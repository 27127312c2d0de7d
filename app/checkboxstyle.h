// The look of the window's check boxes: the application's style with the
// caption set closer to the box, so that every caption fits its box.
#pragma once

#include <QProxyStyle>

// One instance serves every check box of a window. It draws exactly what the
// style sheet "QCheckBox { spacing: 3px; }" drew (a style sheet adds a pixel
// to its spacing, hence 4), without a style sheet engine for each box: that
// engine cost the window's start-up more than all seven boxes together.
class CheckBoxStyle final : public QProxyStyle {
 public:
  static constexpr int kCaptionSpacing = 4;
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    return metric == PM_CheckBoxLabelSpacing ? kCaptionSpacing
                                             : QProxyStyle::pixelMetric(metric, option, widget);
  }
};
