#pragma once

#include <QStyledItemDelegate>

namespace qomdex::ui {

// Draws the texts of a list or a table as the style does, cut short with "…" where they do not
// fit, and shows the form's tooltip for a text cut short or running out of sight: the whole
// text. A text shown whole has none.
class CutTextDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 protected:
  // Returns the option an entry is drawn with, from the one its view gives; a delegate that
  // draws entries elsewhere in their cell (indented, say) says where.
  virtual QStyleOptionViewItem Drawn(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const;

 private:
  // Returns true when the entry's text is wider than the room `drawn` leaves it in sight.
  bool IsCut(const QAbstractItemView& view, const QStyleOptionViewItem& drawn,
             const QModelIndex& index) const;
};

}  // namespace qomdex::ui
