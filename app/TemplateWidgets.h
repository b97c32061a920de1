// Builds the widgets of a dialog template inside a client widget: one widget per
// control, placed in pixels mapped from dialog units of the template's font, in
// template order, with the template's tab order and radio groups.
#ifndef SPEKULOR_APP_TEMPLATEWIDGETS_H
#define SPEKULOR_APP_TEMPLATEWIDGETS_H

#include <QFont>
#include <QIcon>
#include <vector>

#include "dialog/DialogTemplate.h"
#include "dialog/DialogUnits.h"

class QButtonGroup;
class QWidget;

// The toolkit font for a template font: the face (through the substitutions that
// PrepareQtApplication installs) at the point size.
QFont TemplateFont(const char* face, int pointSize);
// The toolkit font for a window-system font description.
QFont FontFromTemplate(const spekulor::dialog::FontTemplate& logical);
spekulor::dialog::DialogBaseUnits MeasureBaseUnits(const QFont& font);

// The program icon (resource 128) at 16 and 32 pixels.
QIcon ProgramIcon();

class TemplateWidgets {
 public:
  // Creates the controls as children of `client`, sets the client's font and gives
  // it the template's size.
  TemplateWidgets(const spekulor::dialog::DialogTemplate& dialog, QWidget* client);

  const spekulor::dialog::DialogTemplate& Template() const { return m_dialog; }
  const spekulor::dialog::DialogBaseUnits& BaseUnits() const { return m_units; }
  // The widget of the control with this id (the first, for ids used twice), or null.
  QWidget* Control(int id) const;
  // The button group whose first button has this id, or null.
  QButtonGroup* RadioGroup(int firstId) const;
  // The widgets of the tab stops, in tab order.
  std::vector<QWidget*> TabStops() const;

 private:
  struct Built {
    const spekulor::dialog::ControlTemplate* control;
    QWidget* widget;
  };
  struct Group {
    int firstId;
    QButtonGroup* buttons;
  };

  const spekulor::dialog::DialogTemplate& m_dialog;
  spekulor::dialog::DialogBaseUnits m_units{};
  std::vector<Built> m_controls;
  std::vector<Group> m_groups;
};

#endif
