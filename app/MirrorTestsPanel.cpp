#include "app/MirrorTestsPanel.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "app/QtTelescopeWindow.h"
#include "app/QtText.h"
#include "app/ScalePrint.h"
#include "dialog/FileDialogs.h"
#include "files/FileMessages.h"

using namespace spekulor::calc;
using namespace spekulor::files;
using namespace spekulor::mirrortests;
using namespace spekulor::dialog;

namespace {

// The figures' lines keep their columns in a fixed-pitch font.
QFont FixedFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

QLineEdit* NewField(const std::string& text, QWidget* parent) {
  auto* field = new QLineEdit(FromWindows1252(text), parent);
  field->setCursorPosition(0);
  return field;
}

}  // namespace

MirrorTestsPanel::MirrorTestsPanel(std::shared_ptr<const Calculation> design,
                                   std::shared_ptr<const MirrorTestPage> figures, QWidget* parent)
    : QWidget(parent), m_sheet(std::move(design), std::move(figures)) {
  m_workers.setMaxThreadCount(1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(BuildTable(), 3);
  column->addWidget(BuildRefit(), 2);
}

MirrorTestsPanel::~MirrorTestsPanel() { m_workers.waitForDone(); }

QWidget* MirrorTestsPanel::BuildTable() {
  auto* box = new QGroupBox(FromWindows1252(m_sheet.TableTitle()), this);
  auto* column = new QVBoxLayout(box);
  const int rows = static_cast<int>(m_sheet.ZoneCount());
  m_table = new QTableWidget(rows, kMirrorTestColumnCount, box);
  QStringList titles;
  for (int c = 0; c < kMirrorTestColumnCount; ++c) titles << FromWindows1252(m_sheet.ColumnTitle(c));
  m_table->setHorizontalHeaderLabels(titles);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int row = 0; row < rows; ++row) {
    for (int c = 0; c < kMirrorTestColumnCount; ++c) {
      if (c == kMeasuredColumn) continue;
      auto* item = new QTableWidgetItem(FromWindows1252(m_sheet.Cell(static_cast<size_t>(row), c)));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setFlags(Qt::ItemIsEnabled);
      m_table->setItem(row, c, item);
    }
    // A field of its own, so that the reduction follows each keystroke rather than
    // the end of an edit.
    auto* field = new QLineEdit(m_table);
    field->setAlignment(Qt::AlignRight);
    field->setFrame(false);
    connect(field, &QLineEdit::textChanged, this,
            [this, row](const QString& text) { ReadingTyped(row, text); });
    m_table->setCellWidget(row, kMeasuredColumn, field);
    m_measured.push_back(field);
  }
  m_table->resizeColumnsToContents();
  column->addWidget(m_table, 1);

  m_reduction = new QLabel(FromWindows1252(m_sheet.ReductionText()), box);
  m_reduction->setTextFormat(Qt::PlainText);
  m_reduction->setWordWrap(true);
  m_reduction->setFont(FixedFont());
  m_reduction->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(m_reduction);

  auto* buttons = new QHBoxLayout;
  m_saveMask = new QPushButton(tr("Save mask..."), box);
  m_printMask = new QPushButton(tr("Print mask..."), box);
  connect(m_saveMask, &QPushButton::clicked, this, &MirrorTestsPanel::SaveMask);
  connect(m_printMask, &QPushButton::clicked, this, &MirrorTestsPanel::PrintMaskWithDialog);
  m_saveMask->setEnabled(m_sheet.CanTest());
  m_printMask->setEnabled(m_sheet.CanTest());
  buttons->addWidget(m_saveMask);
  buttons->addWidget(m_printMask);
  buttons->addStretch(1);
  column->addLayout(buttons);
  return box;
}

QWidget* MirrorTestsPanel::BuildRefit() {
  const RefitFields start = m_sheet.DesignRefitFields();
  const QString unit = FromWindows1252(UnitName(m_sheet.Figures().primary.unit));
  auto* box = new QGroupBox(tr("Refit from the mirrors as made"), this);
  auto* column = new QVBoxLayout(box);
  auto* fields = new QGridLayout;
  m_primaryRoc = NewField(start.primaryRoc, box);
  m_primaryConic = NewField(start.primaryConic, box);
  m_secondaryRoc = NewField(start.secondaryRoc, box);
  m_secondaryRoc->setPlaceholderText(tr("not yet made"));
  const std::pair<QString, QLineEdit*> rows[] = {
      {tr("Primary radius of curvature (%1)").arg(unit), m_primaryRoc},
      {tr("Primary conic"), m_primaryConic},
      {tr("Secondary radius of curvature (%1)").arg(unit), m_secondaryRoc}};
  int row = 0;
  for (const auto& [label, field] : rows) {
    fields->addWidget(new QLabel(label, box), row, 0);
    fields->addWidget(field, row, 1);
    ++row;
  }
  column->addLayout(fields);
  auto* keep = new QHBoxLayout;
  m_keepBackFocus = new QRadioButton(tr("Keep the back focus"), box);
  m_keepFocalLength = new QRadioButton(tr("Keep the focal length"), box);
  m_keepBackFocus->setChecked(true);
  m_refit = new QPushButton(tr("Refit"), box);
  connect(m_refit, &QPushButton::clicked, this, &MirrorTestsPanel::StartRefit);
  keep->addWidget(m_keepBackFocus);
  keep->addWidget(m_keepFocalLength);
  keep->addStretch(1);
  keep->addWidget(m_refit);
  column->addLayout(keep);
  m_refitText = new QPlainTextEdit(box);
  m_refitText->setReadOnly(true);
  m_refitText->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_refitText->setFont(FixedFont());
  column->addWidget(m_refitText, 1);
  return box;
}

void MirrorTestsPanel::ReadingTyped(int zone, const QString& text) {
  m_sheet.SetReading(static_cast<size_t>(zone), ToWindows1252(text));
  for (int row = 0; row < m_table->rowCount(); ++row) {
    m_table->item(row, kSurfaceColumn)
        ->setText(FromWindows1252(m_sheet.Cell(static_cast<size_t>(row), kSurfaceColumn)));
  }
  m_reduction->setText(FromWindows1252(m_sheet.ReductionText()));
}

void MirrorTestsPanel::SaveMask() {
  const std::optional<std::string> path = AskFilePathIn(this, kMaskSaveDialog);
  if (!path) return;
  const std::string problem = m_sheet.SaveMask(*path);
  if (!problem.empty()) ShowMessageBox(this, kErrorWriting, problem);
}

bool MirrorTestsPanel::PrintMask(QPrinter& printer) const {
  return PrintAtScale(printer, m_sheet.Mask());
}

void MirrorTestsPanel::PrintMaskWithDialog() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(tr("Couder mask"));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(tr("Print the Couder mask at 1:1"));
  if (dialog.exec() != QDialog::Accepted) return;
  PrintMask(printer);
}

void MirrorTestsPanel::StartRefit() {
  RefitFields fields;
  fields.primaryRoc = ToWindows1252(m_primaryRoc->text());
  fields.primaryConic = ToWindows1252(m_primaryConic->text());
  fields.secondaryRoc = ToWindows1252(m_secondaryRoc->text());
  fields.keep = m_keepFocalLength->isChecked() ? RefitKeep::FocalLength : RefitKeep::BackFocus;
  m_refit->setEnabled(false);
  m_refitText->setPlainText(tr("Computing..."));
  m_workers.start([this, design = m_sheet.Design(), fields]() {
    const std::string text = MirrorTestSheet::RefitText(*design, fields);
    // Back on the window's thread; the destructor waits for this worker.
    QMetaObject::invokeMethod(
        this,
        [this, text]() {
          m_refitText->setPlainText(FromWindows1252(text));
          m_refit->setEnabled(true);
          emit RefitShown();
        },
        Qt::QueuedConnection);
  });
}
