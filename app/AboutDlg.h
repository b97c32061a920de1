// CAboutDlg: the about box, dialog template 100. OK, Esc and the close box close it.
#ifndef SPEKULOR_APP_ABOUTDLG_H
#define SPEKULOR_APP_ABOUTDLG_H

#include <QDialog>
#include <memory>

#include "app/TemplateWidgets.h"

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent);
  ~CAboutDlg() override;

  QWidget* Control(int id) const { return m_widgets->Control(id); }
  const TemplateWidgets& Widgets() const { return *m_widgets; }

 private:
  std::unique_ptr<TemplateWidgets> m_widgets;
};

#endif
