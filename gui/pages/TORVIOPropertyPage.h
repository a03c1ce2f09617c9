// Base of every parameter page: access to the open document's record, the
// limits tooltip of each numeric field, and the one way an edit is committed
// (write, optional consistency check, optional refresh or page rebuild, then
// mark the document modified). Pages describe their controls in a PageTable;
// the base builds the widgets and their behaviour from it.
#pragma once

#include "PageHost.h"
#include "PageTable.h"

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

  // Re-shows the controls whose values or limits a consistency check may
  // have changed.
  virtual void RefreshDependentFields() = 0;
  // Gives every numeric field its limits tooltip.
  virtual void UpdateToolTips() = 0;

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

  // The record of the document shown by the sheet; not owned. Pages read and
  // write it only while loading and committing.
  UserData *Record() const { return data_; }

protected:
  PageHost *Host() const { return host_; }

  // Builds group boxes and controls; called once from the page's constructor.
  void Build(PageTable table);
  // Registers a control the page built itself, for Tab targets and lookups.
  void RegisterControl(int id, QWidget *w);
  QGridLayout *GroupGrid(const char *key) const;
  // Fixes the Qt focus chain (for controls that keep the ordinary Tab).
  void SetTabChain(const std::vector<int> &ids);

  // Page-specific part of the activation: lists, pictures, check states the
  // table does not hold. Runs after the table's controls are loaded and
  // before the rules.
  virtual void LoadPage() {}
  // Page-specific enable and visibility rules, after the table's own.
  virtual void ApplyPageRules() {}
  // After every commit's follow-up steps, before the document is told: for
  // what a page shows about the whole record.
  virtual void AfterCommit() {}

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

  // Steps after the record write of a commit; marks the document modified,
  // then tells the host the commit's record before and `source`'s name.
  void FollowUp(unsigned after, const QWidget *source = nullptr);
  // The stored values a list offers for a member, as the model allows them.
  static std::vector<double> ListChoices(const char *member);
  // A list's commit: the model's commit of the chosen value, then FollowUp.
  void CommitChoice(std::uint32_t UserData::*member, double value, unsigned after,
                    const QWidget *source);
  void CommitChoice(double UserData::*member, double value, unsigned after, const QWidget *source);

private:
  void BuildControl(const ControlEntry &entry);
  void CommitField(const ControlEntry &entry);
  void CommitButton(const ControlEntry &entry);
  void LoadButton(const ControlEntry &entry);
  void OnFieldKeyDown(const ControlEntry &entry, quint16 &key, quint16 shift);
  void FocusFirstAvailable(const std::vector<int> &candidates);
  const ControlEntry *Entry(int id) const;

  PageHost *host_;
  UserData *data_ = nullptr;
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
  // The record as of the last activation or commit: the "before" of the
  // next commit.
  UserData committed_{};
};
