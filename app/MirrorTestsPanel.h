// The interactive part of the pictures window's "Mirror tests" page, beside its
// pictures: the zone table, whose column "Measured" takes the maker's readings and
// whose reduction follows every keystroke; the mask saved or printed at 1:1; and the
// refit from the mirrors as made, computed on a worker thread. The logic is
// MirrorTestSheet's; this builds and feeds the widgets.
#ifndef SPEKULOR_APP_MIRRORTESTSPANEL_H
#define SPEKULOR_APP_MIRRORTESTSPANEL_H

#include <QThreadPool>
#include <QWidget>
#include <memory>
#include <vector>

#include "dialog/MirrorTestSheet.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableWidget;

class MirrorTestsPanel : public QWidget {
  Q_OBJECT

 public:
  MirrorTestsPanel(std::shared_ptr<const spekulor::calc::Calculation> design,
                   std::shared_ptr<const spekulor::mirrortests::MirrorTestPage> figures, QWidget* parent = nullptr);
  // Waits for a refit still running.
  ~MirrorTestsPanel() override;

  const spekulor::dialog::MirrorTestSheet& Sheet() const { return m_sheet; }
  QTableWidget* Table() const { return m_table; }
  // The field of zone `zone`'s reading in the column "Measured".
  QLineEdit* MeasuredEdit(int zone) const { return m_measured.at(static_cast<size_t>(zone)); }
  QLabel* ReductionLabel() const { return m_reduction; }
  QPushButton* SaveMaskButton() const { return m_saveMask; }
  QPushButton* PrintMaskButton() const { return m_printMask; }
  QLineEdit* PrimaryRocEdit() const { return m_primaryRoc; }
  QLineEdit* PrimaryConicEdit() const { return m_primaryConic; }
  QLineEdit* SecondaryRocEdit() const { return m_secondaryRoc; }
  QRadioButton* KeepFocalLengthRadio() const { return m_keepFocalLength; }
  QPushButton* RefitButton() const { return m_refit; }
  QPlainTextEdit* RefitTextBox() const { return m_refitText; }

  // The mask at 1:1 on `printer`, as "Print mask..." does after its dialog.
  bool PrintMask(QPrinter& printer) const;

 signals:
  // The refit's lines (or its reason) are shown.
  void RefitShown();

 private:
  QWidget* BuildTable();
  QWidget* BuildRefit();
  void ReadingTyped(int zone, const QString& text);
  void SaveMask();
  void PrintMaskWithDialog();
  void StartRefit();

  spekulor::dialog::MirrorTestSheet m_sheet;
  QTableWidget* m_table = nullptr;
  std::vector<QLineEdit*> m_measured;
  QLabel* m_reduction = nullptr;
  QPushButton* m_saveMask = nullptr;
  QPushButton* m_printMask = nullptr;
  QLineEdit* m_primaryRoc = nullptr;
  QLineEdit* m_primaryConic = nullptr;
  QLineEdit* m_secondaryRoc = nullptr;
  QRadioButton* m_keepBackFocus = nullptr;
  QRadioButton* m_keepFocalLength = nullptr;
  QPushButton* m_refit = nullptr;
  QPlainTextEdit* m_refitText = nullptr;
  QThreadPool m_workers;
};

#endif
