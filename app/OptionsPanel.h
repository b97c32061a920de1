// The pictures window's options panel: for the tab shown, its analysis' options
// (dialog/PictureOptions.h), one entry field or choice a row, built from the table of
// fields. A value is applied as soon as it is entered (Enter, or leaving the field)
// and kept in the configuration store; a value the command line would refuse is
// refused here with the same words, under the fields, and the option keeps its value.
#ifndef SPEKULOR_APP_OPTIONSPANEL_H
#define SPEKULOR_APP_OPTIONSPANEL_H

#include <QWidget>
#include <map>
#include <string>

#include "dialog/PictureOptions.h"
#include "dialog/WindowStore.h"

class QLabel;
class QStackedWidget;

class OptionsPanel : public QWidget {
  Q_OBJECT

 public:
  // Shows the options in `store` (each missing one at its default).
  explicit OptionsPanel(spekulor::dialog::WindowStore store, QWidget* parent = nullptr);

  const spekulor::dialog::PictureOptions& Options() const { return m_options; }
  // Shows the options of tab `page` (a PicturePageIndex).
  void ShowPage(int page);
  // The field of the option stored under `key`: a QLineEdit or a QComboBox.
  QWidget* Field(const std::string& key) const { return m_fields.at(key); }
  // The refusal shown under tab `page`'s fields (empty when none).
  QLabel* RefusalLabel(int page) const { return m_refusals.at(page); }

 signals:
  void OptionsChanged(const spekulor::dialog::PictureOptions& options);

 private:
  QWidget* BuildPage(int page);
  void Apply(const spekulor::dialog::OptionField& field, const std::string& text);

  spekulor::dialog::WindowStore m_store;
  spekulor::dialog::PictureOptions m_options;
  QStackedWidget* m_pages;
  std::map<std::string, QWidget*> m_fields;
  std::map<int, QLabel*> m_refusals;
};

#endif
