#pragma once

#include <QPushButton>

namespace qomdex::ui {

// A push button whose caption is broken over as many centred lines as it needs to show whole
// inside the button (a plain QPushButton keeps its caption on one line and cuts it off).
class WrappingButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

  // Returns the area inside the bevel that the caption is laid out in.
  QRect CaptionArea() const;

  // Returns how the caption is laid out in CaptionArea().
  static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qomdex::ui
