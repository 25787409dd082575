#pragma once

#include "ui/qt/cut_text_delegate.h"

namespace qomdex::ui {

// Draws each entry shifted right by its indent (DirectoryModel::kIndentRole, as wide as the form's
// IndentTwips), as a directory list shows how deep each folder lies; a name cut short shows whole
// in its tooltip.
class IndentDelegate : public CutTextDelegate {
  Q_OBJECT

 public:
  using CutTextDelegate::CutTextDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  QStyleOptionViewItem Drawn(const QStyleOptionViewItem& option,
                             const QModelIndex& index) const override;
};

}  // namespace qomdex::ui
