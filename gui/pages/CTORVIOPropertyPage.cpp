#include "CTORVIOPropertyPage.h"

#include "NumericField.h"
#include "parvex/Edits.h"
#include "strings/ResString.h"

#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace {

const QColor kEnabledText(0, 0, 0);

const parvex::Parameter *FlagParameter(FlagMember flag) {
  return flag ? parvex::FindParameter(parvex::ParamMember(flag)) : nullptr;
}

// The model's option group of a radio button: its flags' names.
std::array<const char *, 3> OptionGroup(const ControlEntry &c) {
  const parvex::Parameter *p = FlagParameter(c.flag);
  const parvex::EditRule *rule = p ? parvex::EditRuleOf(*p) : nullptr;
  return rule ? rule->group : std::array<const char *, 3>{};
}
const QColor kDisabledText(160, 160, 160);

// The information icon beside the tooltip title, inlined so that the rich
// text needs no resource file.
QString InfoIconHtml() {
  static const QString html = [] {
    const QPixmap pm =
        QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16);
    if (pm.isNull())
      return QString();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pm.save(&buffer, "PNG");
    return QStringLiteral("<img src=\"data:image/png;base64,%1\"/>&nbsp;")
        .arg(QString::fromLatin1(bytes.toBase64()));
  }();
  return html;
}

QString RichToolTip(const QString &text) {
  QString body = text.toHtmlEscaped();
  body.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
  return QStringLiteral(
             "<p style=\"white-space:pre\">%1<b>%2</b></p><p style=\"white-space:pre\">%3</p>")
      .arg(InfoIconHtml(), CTORVIOPropertyPage::ToolTipTitle().toHtmlEscaped(), body);
}

// The registry writes units in ASCII; the page shows their symbols.
QString ShownUnit(const char *unit) {
  const QString text = QString::fromUtf8(unit);
  return text == QLatin1String("degC") ? QStringLiteral("\u00B0C") : text;
}

// "(V)", "(A 0-peak)", or nothing for a setting without a unit.
QString UnitText(const ControlEntry &c) {
  const parvex::Parameter *p = c.param.Parameter();
  if (!p || !*p->unit)
    return QString();
  QString text = ShownUnit(p->unit);
  if (c.unitNote)
    text += u' ' + QString::fromUtf8(c.unitNote);
  return u'(' + text + u')';
}

// A label and its unit: "R (Ohm)"; the unit alone when the label is empty.
QString WithUnit(const QString &label, const QString &unit) {
  if (unit.isEmpty())
    return label;
  return label.isEmpty() ? unit : label + u' ' + unit;
}

int FieldWidth(const QWidget *w, int digits) {
  return w->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 14;
}

} // namespace

CTORVIOPropertyPage::CTORVIOPropertyPage(PageHost *host, const QString &caption, QWidget *parent)
    : QWidget(parent), host_(host), caption_(caption), pageGrid_(new QGridLayout(this)) {
  if (host_)
    host_->Follow(this);
  setFocusPolicy(Qt::ClickFocus); // Tab handlers may hand the focus to the page itself
  setAccessibleName(caption);
  pageGrid_->setContentsMargins(9, 9, 9, 9);
  pageGrid_->setHorizontalSpacing(9);
  pageGrid_->setVerticalSpacing(6);
}

CTORVIOPropertyPage::~CTORVIOPropertyPage() {
  if (host_)
    host_->Unfollow(this);
}

QString CTORVIOPropertyPage::ToolTipTitle() {
  return QStringLiteral("VARIABLE INFORMATION");
}

bool CTORVIOPropertyPage::OnSetActive() {
  if (!host_)
    return false;
  LoadTableControls();
  LoadPage();
  ApplyRules();
  UpdateToolTips();
  return true;
}

void CTORVIOPropertyPage::RecordChanged(const ChangedSettings &changed) {
  if (!host_)
    return;
  changed_ = &changed;
  RefreshDependentFields();
  UpdateToolTips();
  ApplyRules();
  LoadPage();
  changed_ = nullptr;
}

void CTORVIOPropertyPage::Detach() {
  if (host_)
    host_->Unfollow(this);
  host_ = nullptr;
}

void CTORVIOPropertyPage::RefreshDependentFields() {
  RefreshTableDependents();
}

void CTORVIOPropertyPage::UpdateToolTips() {
  UpdateTableToolTips();
}

QWidget *CTORVIOPropertyPage::Control(int id) const {
  if (id == kPageItself)
    return const_cast<CTORVIOPropertyPage *>(this);
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

NumericField *CTORVIOPropertyPage::Field(int id) const {
  return qobject_cast<NumericField *>(Control(id));
}

QAbstractButton *CTORVIOPropertyPage::Button(int id) const {
  return qobject_cast<QAbstractButton *>(Control(id));
}

QLabel *CTORVIOPropertyPage::Label(int id) const {
  const auto it = labels_.find(id);
  return it == labels_.end() ? nullptr : it->second;
}

QGroupBox *CTORVIOPropertyPage::Group(const char *key) const {
  const auto it = groups_.find(QString::fromUtf8(key));
  return it == groups_.end() ? nullptr : it->second;
}

QGridLayout *CTORVIOPropertyPage::GroupGrid(const char *key) const {
  QGroupBox *g = Group(key);
  return g ? qobject_cast<QGridLayout *>(g->layout()) : pageGrid_;
}

QString CTORVIOPropertyPage::ToolTipText(int id) const {
  const auto it = toolTips_.find(id);
  return it == toolTips_.end() ? QString() : it->second;
}

void CTORVIOPropertyPage::RegisterControl(int id, QWidget *w) {
  controls_[id] = w;
  ApplyTabOrder();
}

const ControlEntry *CTORVIOPropertyPage::Entry(int id) const {
  for (const ControlEntry &c : table_.controls)
    if (c.id == id)
      return &c;
  return nullptr;
}

void CTORVIOPropertyPage::Build(PageTable table) {
  table_ = std::move(table);
  for (const GroupLayout &g : table_.groups) {
    auto *box = new QGroupBox(QString::fromUtf8(g.title));
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    QGridLayout *into = g.parent ? GroupGrid(g.parent) : pageGrid_;
    into->addWidget(box, g.row, g.column, g.rowSpan, g.columnSpan);
    groups_[QString::fromUtf8(g.key)] = box;
  }
  for (const ControlEntry &c : table_.controls)
    BuildControl(c);
  // Keep the controls together at the top left of each box.
  for (auto &[key, box] : groups_) {
    auto *grid = qobject_cast<QGridLayout *>(box->layout());
    grid->setColumnStretch(grid->columnCount(), 1);
    grid->setRowStretch(grid->rowCount(), 1);
  }
  if (table_.stretchRow >= 0)
    pageGrid_->setRowStretch(table_.stretchRow, 1);
  if (table_.stretchColumn >= 0)
    pageGrid_->setColumnStretch(table_.stretchColumn, 1);
  ApplyTabOrder();
}

void CTORVIOPropertyPage::BuildControl(const ControlEntry &c) {
  QGridLayout *grid = GroupGrid(c.group);
  const QString unit = c.kind == ControlKind::Field && c.unitShown ? UnitText(c) : QString();
  const QString label = WithUnit(QString::fromUtf8(c.label), unit);
  const QString name =
      c.accessibleName ? WithUnit(QString::fromUtf8(c.accessibleName), unit) : label;
  const int id = c.id;
  if (c.kind == ControlKind::Field) {
    auto *f = new NumericField;
    // Named as the registry names the setting, so that tests and
    // accessibility tools find "R" rather than a control id.
    if (const parvex::Parameter *p = c.param.Parameter())
      f->setObjectName(QString::fromUtf8(p->name));
    f->setAccessibleName(name);
    f->setFixedWidth(FieldWidth(f, c.widthChars));
    f->SetKeepsTab(!c.tabNext.empty() || !c.tabPrev.empty());
    auto *l = new QLabel(label);
    l->setBuddy(f);
    grid->addWidget(f, c.row, c.column);
    grid->addWidget(l, c.row, c.column + 1);
    controls_[id] = f;
    labels_[id] = l;
    connect(f, &NumericField::Changed, this, [this, id] { CommitField(*Entry(id)); });
    connect(f, &NumericField::KeyDown, this,
            [this, id](quint16 &key, quint16 shift) { OnFieldKeyDown(*Entry(id), key, shift); });
    return;
  }
  QAbstractButton *b = nullptr;
  if (c.kind == ControlKind::Radio) {
    // One exclusive group per set of flags: the arrow keys move the selection
    // within it, and assistive technology sees radio buttons.
    const char *first = OptionGroup(c)[0];
    QButtonGroup *&group = radioGroups_[first ? first : ""];
    if (!group)
      group = new QButtonGroup(this);
    b = new QRadioButton(label);
    group->addButton(b);
  } else {
    b = new QCheckBox(label);
  }
  if (const parvex::Parameter *p = FlagParameter(c.flag))
    b->setObjectName(QString::fromUtf8(p->name));
  b->setAccessibleName(name);
  grid->addWidget(b, c.row, c.column, 1, 2);
  controls_[id] = b;
  // Any change of state commits as a click does: the mouse, Space, the arrow
  // keys in a group, or an accessibility client's toggle action. A click
  // that changes nothing (a selected radio button) still commits; a click
  // that toggled has committed already.
  connect(b, &QAbstractButton::pressed, this, [this] { toggledByPress_ = 0; });
  connect(b, &QAbstractButton::toggled, this, [this, id](bool checked) {
    const ControlEntry &entry = *Entry(id);
    if (loading_ || (entry.kind == ControlKind::Radio && !checked))
      return;
    toggledByPress_ = id;
    CommitButton(entry);
  });
  connect(b, &QAbstractButton::clicked, this, [this, id] {
    if (std::exchange(toggledByPress_, 0) != id)
      CommitButton(*Entry(id));
  });
}

void CTORVIOPropertyPage::ApplyTabOrder() {
  std::vector<int> ids = table_.tabOrder;
  if (ids.empty())
    for (const ControlEntry &c : table_.controls)
      ids.push_back(c.id);
  QWidget *previous = nullptr;
  for (int id : ids) {
    QWidget *w = Control(id);
    if (!w || w == this)
      continue;
    if (previous)
      setTabOrder(previous, w);
    previous = w;
  }
}

void CTORVIOPropertyPage::ConfigureField(NumericField *f, double min, double max, double value,
                                         int decimals) {
  f->SetMin(min);
  f->SetMax(max);
  f->SetValue(value);
  f->SetPrecision(decimals);
}

void CTORVIOPropertyPage::ConfigureField(int id) {
  const ControlEntry *c = Entry(id);
  NumericField *f = Field(id);
  if (!c || !f || !Record() || !c->param.IsSet())
    return;
  ConfigureField(f, c->param.Min(*Record()), c->param.Max(*Record()), c->param.Value(*Record()),
                 c->param.Decimals(*Record()));
}

void CTORVIOPropertyPage::SetFieldToolTip(NumericField *f, double min, double max, int description,
                                          int decimals) {
  const QString limits =
      QStringLiteral("MIN = %1\nMAX = %2")
          .arg(QString::number(min, 'f', decimals), QString::number(max, 'f', decimals));
  QString text = limits;
  if (description != 0)
    text = torvio::ResString(static_cast<unsigned>(description)) + QStringLiteral("\n\n") + limits;
  for (auto &[id, w] : controls_)
    if (w == f)
      toolTips_[id] = text;
  f->setToolTip(RichToolTip(text));
}

void CTORVIOPropertyPage::SetFieldToolTip(int id) {
  const ControlEntry *c = Entry(id);
  NumericField *f = Field(id);
  if (!c || !f || !Record() || !c->param.IsSet())
    return;
  SetFieldToolTip(f, c->param.Min(*Record()), c->param.Max(*Record()), c->description,
                  c->param.Decimals(*Record()));
}

void CTORVIOPropertyPage::SetFieldEnabled(NumericField *f, bool enabled) {
  f->setEnabled(enabled);
  f->SetTextColor(enabled ? kEnabledText : kDisabledText);
}

void CTORVIOPropertyPage::LoadButton(const ControlEntry &c) {
  QAbstractButton *b = Button(c.id);
  if (!b || !Record() || !c.flag)
    return;
  const bool set = (*Record()).*c.flag != 0;
  // The record decides what is selected: none, or several at once if a file
  // says so. Exclusivity would refuse both, so it is off while showing them.
  const bool loading = std::exchange(loading_, true);
  QButtonGroup *group = b->group();
  if (group)
    group->setExclusive(false);
  b->setChecked(c.kind == ControlKind::InvertedCheckBox ? !set : set);
  if (group)
    group->setExclusive(true);
  loading_ = loading;
}

void CTORVIOPropertyPage::LoadTableControls() {
  for (const ControlEntry &c : table_.controls) {
    if (c.kind == ControlKind::Field)
      ConfigureField(c.id);
    else
      LoadButton(c);
  }
}

void CTORVIOPropertyPage::ApplyRules() {
  if (!Record())
    return;
  for (const ControlEntry &c : table_.controls) {
    QWidget *w = Control(c.id);
    const parvex::Parameter *p =
        c.kind == ControlKind::Field
            ? c.param.Parameter()
            : (c.flag ? parvex::FindParameter(parvex::ParamMember(c.flag)) : nullptr);
    // A field no page enters (a divisor the calculations set) stays disabled.
    const bool on = !p || !parvex::EditBlocked(*Record(), *p);
    if (auto *f = qobject_cast<NumericField *>(w))
      SetFieldEnabled(f, on);
    else
      w->setEnabled(on);
    if (c.visibleWhen) {
      const bool shown = c.visibleWhen(*Record());
      w->setVisible(shown);
      if (QLabel *l = Label(c.id))
        l->setVisible(shown);
    }
  }
  ApplyPageRules();
}

bool CTORVIOPropertyPage::Shows(const parvex::Parameter *p) const {
  return p && (!changed_ || std::find(changed_->begin(), changed_->end(), p) != changed_->end());
}

void CTORVIOPropertyPage::RefreshTableDependents() {
  for (const ControlEntry &c : table_.controls) {
    if (c.kind == ControlKind::Field) {
      if (Shows(c.param.Parameter()))
        ConfigureField(c.id);
    } else if (Shows(FlagParameter(c.flag))) {
      LoadButton(c);
    }
  }
}

void CTORVIOPropertyPage::UpdateTableToolTips() {
  for (const ControlEntry &c : table_.controls)
    if (c.kind == ControlKind::Field && Shows(c.param.Parameter()))
      SetFieldToolTip(c.id);
}

void CTORVIOPropertyPage::Enter(const parvex::Parameter &parameter, double value,
                                const QWidget *source) {
  if (host_)
    host_->Set(parameter, value, source ? source->accessibleName() : QString());
}

void CTORVIOPropertyPage::CommitField(const ControlEntry &c) {
  NumericField *f = Field(c.id);
  const parvex::Parameter *p = c.param.Parameter();
  if (!host_ || !f || !p)
    return;
  Enter(*p, f->GetValue(), f);
  // The field shows what the record now holds, also when nothing changed:
  // an integer field drops the fraction it was given.
  ConfigureField(c.id);
}

void CTORVIOPropertyPage::CommitButton(const ControlEntry &c) {
  QAbstractButton *b = Button(c.id);
  const parvex::Parameter *p = FlagParameter(c.flag);
  if (!host_ || !b || !p || c.kind == ControlKind::Field)
    return;
  const bool set = c.kind == ControlKind::InvertedCheckBox
                       ? !b->isChecked()
                       : c.kind == ControlKind::Radio || b->isChecked();
  Enter(*p, set ? 1.0 : 0.0, b);
  // A radio button clicked while selected stays selected, though the record
  // did not change.
  if (c.kind == ControlKind::Radio) {
    const auto group = OptionGroup(c);
    for (const ControlEntry &other : table_.controls)
      if (other.kind == ControlKind::Radio && OptionGroup(other) == group)
        LoadButton(other);
  }
}

std::span<const parvex::Choice> CTORVIOPropertyPage::ListChoices(const char *member) {
  const parvex::Parameter *p = parvex::FindParameter(std::string_view(member));
  return p ? parvex::ListChoices(*p) : std::span<const parvex::Choice>{};
}

void CTORVIOPropertyPage::CommitChoice(const char *member, double value, const QWidget *source) {
  if (const parvex::Parameter *p = parvex::FindParameter(std::string_view(member)))
    Enter(*p, value, source);
}

void CTORVIOPropertyPage::OnFieldKeyDown(const ControlEntry &c, quint16 &key, quint16 shift) {
  if (key != NumericField::kTabKeyCode)
    return;
  if (shift == NumericField::kNoShift && !c.tabNext.empty())
    FocusFirstAvailable(c.tabNext);
  else if (shift == NumericField::kShift && !c.tabPrev.empty())
    FocusFirstAvailable(c.tabPrev);
}

void CTORVIOPropertyPage::FocusFirstAvailable(const std::vector<int> &candidates) {
  QWidget *target = nullptr;
  for (int id : candidates) {
    QWidget *w = Control(id);
    if (!w)
      continue;
    target = w;
    if (w->isEnabled() && !w->isHidden())
      break;
  }
  if (target)
    target->setFocus(Qt::TabFocusReason);
}
