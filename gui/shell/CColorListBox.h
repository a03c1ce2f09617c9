// A list whose items are painted each in its own colour; selected items are
// drawn on their own colour with the inverse colour as text.
#pragma once

#include <QColor>
#include <QListWidget>

class QPalette;

class CColorListBox : public QListWidget {
  Q_OBJECT

public:
  struct ItemColors {
    QColor background; // invalid: the list's own background shows
    QColor text;
  };
  // The colours an item is drawn in.
  static ItemColors ColorsFor(const QColor &itemColor, bool selected, bool enabled,
                              const QPalette &palette);

  explicit CColorListBox(QWidget *parent = nullptr);

  // Adds a line at the end; returns its index.
  int AddString(const QString &text);
  void SetItemColor(int index, const QColor &color);
  QColor GetItemColor(int index) const;
  // Scrolls so that the item is the top visible one, as far as the list
  // scrolls: never past its last full page, as a list box does.
  void SetTopIndex(int index);
  int GetTopIndex() const;
};
