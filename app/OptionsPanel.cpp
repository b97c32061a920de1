#include "app/OptionsPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/PicturePages.h"

using namespace spekulor::dialog;

OptionsPanel::OptionsPanel(WindowStore store, QWidget* parent)
    : QWidget(parent),
      m_store(std::move(store)),
      m_options(LoadPictureOptions(m_store)),
      m_pages(new QStackedWidget(this)) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(m_pages);
  for (int page = 0; page < kPicturePageCount; ++page) m_pages->addWidget(BuildPage(page));
}

QWidget* OptionsPanel::BuildPage(int page) {
  auto* box = new QWidget(m_pages);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(4, 2, 4, 2);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  column->addLayout(form);
  bool any = false;
  for (const OptionField& field : PictureOptionFields()) {
    if (field.page != page) continue;
    any = true;
    const QString tooltip = FromWindows1252(field.tooltip);
    QWidget* entry = nullptr;
    if (field.choices != nullptr) {
      auto* combo = new QComboBox(box);
      for (const char* const* choice = field.choices; *choice != nullptr; ++choice) {
        combo->addItem(FromWindows1252(*choice));
      }
      combo->setCurrentIndex(static_cast<int>(m_options.*field.value));
      connect(combo, &QComboBox::activated, this,
              [this, &field](int index) { Apply(field, std::to_string(index)); });
      entry = combo;
    } else {
      auto* edit = new QLineEdit(FromWindows1252(OptionFieldText(field, m_options)), box);
      if (field.emptyMeans != nullptr) edit->setPlaceholderText(FromWindows1252(field.emptyMeans));
      edit->setMaximumWidth(110);
      connect(edit, &QLineEdit::editingFinished, this,
              [this, &field, edit] { Apply(field, ToWindows1252(edit->text().trimmed())); });
      entry = edit;
    }
    entry->setToolTip(tooltip);
    auto* row = new QHBoxLayout;
    row->addWidget(entry);
    if (field.unit[0] != '\0') row->addWidget(new QLabel(FromWindows1252(field.unit), box));
    row->addStretch(1);
    auto* label = new QLabel(FromWindows1252(field.label), box);
    label->setBuddy(entry);
    label->setToolTip(tooltip);
    form->addRow(label, row);
    m_fields[field.key] = entry;
  }
  auto* refusal = new QLabel(box);
  refusal->setWordWrap(true);
  refusal->setTextFormat(Qt::PlainText);
  refusal->setStyleSheet(QStringLiteral("color: #b00000"));
  column->addWidget(refusal);
  m_refusals[page] = refusal;
  if (!any) {
    refusal->setStyleSheet(QString());
    refusal->setText(tr("The page \"%1\" has no options.").arg(FromWindows1252(PicturePageTitle(page))));
  }
  return box;
}

void OptionsPanel::ShowPage(int page) {
  if (page >= 0 && page < m_pages->count()) m_pages->setCurrentIndex(page);
}

void OptionsPanel::Apply(const OptionField& field, const std::string& text) {
  PictureOptions changed = m_options;
  const std::string refusal = ReadOptionField(field, text, changed);
  const QString name = FromWindows1252(field.label).remove(QLatin1Char('&'));
  m_refusals.at(field.page)->setText(
      refusal.empty() ? QString() : name + QStringLiteral(": ") + FromWindows1252(refusal));
  if (!refusal.empty() || changed == m_options) return;
  m_options = changed;
  StorePictureOption(m_store, field, m_options);
  emit OptionsChanged(m_options);
}
