#include "shell/CColorListBox.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kColorRole = Qt::UserRole;

class ColorItemDelegate final : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QColor itemColor = index.data(kColorRole).value<QColor>();
    const auto colors = CColorListBox::ColorsFor(itemColor.isValid() ? itemColor : Qt::black,
                                                 selected, enabled, option.palette);
    painter->save();
    if (colors.background.isValid()) {
      painter->fillRect(option.rect, colors.background);
    }
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.backgroundColor = colors.background;
      QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->setPen(colors.text);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0),
                      Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine | Qt::TextExpandTabs,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    // The check-mark height, grown where the font needs more so no text is cut.
    const int checkHeight = QApplication::style()->pixelMetric(QStyle::PM_IndicatorHeight);
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    return {text.width(), std::max(checkHeight, option.fontMetrics.height())};
  }
};

} // namespace

CColorListBox::ItemColors CColorListBox::ColorsFor(const QColor &itemColor, bool selected,
                                                   bool enabled, const QPalette &palette) {
  ItemColors colors;
  colors.background = selected ? itemColor : palette.color(QPalette::Active, QPalette::Base);
  const bool black = itemColor.red() == 0 && itemColor.green() == 0 && itemColor.blue() == 0;
  const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
  if (!black) {
    colors.text =
        selected   ? QColor(255 - itemColor.red(), 255 - itemColor.green(), 255 - itemColor.blue())
        : !enabled ? grey
                   : itemColor;
  } else {
    colors.text = selected   ? palette.color(QPalette::Active, QPalette::HighlightedText)
                  : !enabled ? grey
                             : palette.color(QPalette::Active, QPalette::Text);
  }
  return colors;
}

CColorListBox::CColorListBox(QWidget *parent) : QListWidget(parent) {
  setItemDelegate(new ColorItemDelegate(this));
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUniformItemSizes(true);
}

int CColorListBox::AddString(const QString &text) {
  addItem(text);
  return count() - 1;
}

void CColorListBox::SetItemColor(int index, const QColor &color) {
  if (QListWidgetItem *entry = item(index)) {
    entry->setData(kColorRole, color);
  }
}

QColor CColorListBox::GetItemColor(int index) const {
  const QListWidgetItem *entry = item(index);
  return entry ? entry->data(kColorRole).value<QColor>() : QColor();
}

void CColorListBox::SetTopIndex(int index) {
  // The scroll bar's range ends at the last full page and clamps the value.
  updateGeometries();
  verticalScrollBar()->setValue(index);
}

int CColorListBox::GetTopIndex() const {
  return indexAt(QPoint(1, 1)).row();
}
