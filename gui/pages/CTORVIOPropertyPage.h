// Base of every parameter page: shows the open document's record, gives each
// numeric field its limits tooltip, and hands every edit to the host, which
// changes the record and tells the page what changed. Pages describe their
// controls in a PageTable; the base builds the widgets and their behaviour
// from it.
#pragma once

#include "PageHost.h"
#include "PageTable.h"
#include "parvex/Edits.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

class NumericField;
class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;

class CTORVIOPropertyPage : public QWidget {
  Q_OBJECT

public:
  CTORVIOPropertyPage(PageHost *host, const QString &caption, QWidget *parent = nullptr);
  ~CTORVIOPropertyPage() override;

  // The tab caption.
  const QString &Caption() const { return caption_; }

  // Called by the sheet each time the page's tab becomes the current one:
  // reloads every control from the record, applies the page's rules and
  // updates the tooltips. Returns true (the activation is accepted).
  virtual bool OnSetActive();

  // The host changed the record (an edit on any page, undo, redo, an
  // import): the controls of the changed settings show their new values and
  // limits, then every tooltip, rule and page-specific part follows.
  void RecordChanged(const ChangedSettings &changed);
  // The host goes before the page does (the sheet drops a page).
  void Detach();

  // The control with this id (fields, buttons, and what a page registers).
  QWidget *Control(int id) const;
  NumericField *Field(int id) const;
  QAbstractButton *Button(int id) const;
  QLabel *Label(int id) const;
  QGroupBox *Group(const char *key) const;

  // The limits text of a field's tooltip, without its title; empty when the
  // field has none yet.
  QString ToolTipText(int id) const;
  static QString ToolTipTitle();

  // The record of the document shown by the sheet; null without a host.
  const UserData *Record() const { return host_ ? &host_->Record() : nullptr; }

protected:
  PageHost *Host() const { return host_; }

  // Builds group boxes and controls; called once from the page's constructor.
  void Build(PageTable table);
  // Registers a control the page built itself, for Tab targets and lookups.
  void RegisterControl(int id, QWidget *w);
  QGridLayout *GroupGrid(const char *key) const;

  // Re-shows the table's controls whose settings just changed.
  virtual void RefreshDependentFields();
  // Gives the numeric fields their limits tooltips: at activation every
  // field, after a change the fields of the changed settings.
  virtual void UpdateToolTips();
  // Page-specific part of showing the record: lists, pictures, check states
  // and flags the table does not hold. Runs at activation and after every
  // change of the record.
  virtual void LoadPage() {}
  // Page-specific enable and visibility rules, after the table's own.
  virtual void ApplyPageRules() {}

  void ConfigureField(NumericField *f, double min, double max, double value, int decimals);
  void ConfigureField(int id);
  void SetFieldToolTip(NumericField *f, double min, double max, int description, int decimals);
  void SetFieldToolTip(int id);
  void SetFieldEnabled(NumericField *f, bool enabled);

  // Table-wide parts of the activation and of the two virtual operations.
  void LoadTableControls();
  void ApplyRules();
  void RefreshTableDependents();
  void UpdateTableToolTips();

  // Asks the host to enter a value, named by `source`'s accessible name.
  void Enter(const parvex::Parameter &parameter, double value, const QWidget *source);
  // The items a list offers for the setting named `member`.
  static std::span<const parvex::Choice> ListChoices(const char *member);
  // A list's commit of the chosen value of the setting named `member`.
  void CommitChoice(const char *member, double value, const QWidget *source);

private:
  void BuildControl(const ControlEntry &entry);
  // The Qt focus chain from the table's tabOrder, over the controls that
  // exist so far (a page registers its own controls after Build).
  void ApplyTabOrder();
  void CommitField(const ControlEntry &entry);
  void CommitButton(const ControlEntry &entry);
  void LoadButton(const ControlEntry &entry);
  void OnFieldKeyDown(const ControlEntry &entry, quint16 &key, quint16 shift);
  void FocusFirstAvailable(const std::vector<int> &candidates);
  const ControlEntry *Entry(int id) const;
  // Whether a control of this setting is re-shown now.
  bool Shows(const parvex::Parameter *p) const;

  PageHost *host_;
  QString caption_;
  PageTable table_;
  QGridLayout *pageGrid_;
  std::map<int, QWidget *> controls_;
  std::map<int, QLabel *> labels_;
  std::map<QString, QGroupBox *> groups_;
  std::map<int, QString> toolTips_;
  // One button group per option group of the model, by its first flag.
  std::map<std::string, QButtonGroup *> radioGroups_;
  // Set while controls show the record: their state changes commit nothing.
  bool loading_ = false;
  // The button whose toggle during the current press committed already.
  int toggledByPress_ = 0;
  // The settings of the change being shown, while RecordChanged runs; null
  // otherwise, when every control is shown.
  const ChangedSettings *changed_ = nullptr;
};
