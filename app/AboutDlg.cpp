#include "app/AboutDlg.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtText.h"

using namespace spekulor::dialog;

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  const DialogTemplate& dialog = AboutDialogTemplate();
  auto* client = new QWidget(this);
  m_widgets = std::make_unique<TemplateWidgets>(dialog, client);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(client);
  setWindowTitle(FromWindows1252(dialog.caption));
  setWindowIcon(ProgramIcon());

  auto* ok = static_cast<QPushButton*>(m_widgets->Control(IDOK));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok->setFocus();
}

CAboutDlg::~CAboutDlg() = default;
