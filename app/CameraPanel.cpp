#include "app/CameraPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/QtText.h"

using namespace spekulor::camera;
using namespace spekulor::dialog;

namespace {

constexpr int kNumberWidth = 70;  // pixels, room for "6248" or "3.76"

QLineEdit* AddField(QHBoxLayout* row, const QString& label, const std::string& text, QWidget* parent) {
  row->addWidget(new QLabel(label, parent));
  auto* field = new QLineEdit(FromWindows1252(text), parent);
  field->setMaximumWidth(kNumberWidth);
  row->addWidget(field);
  return field;
}

}  // namespace

CameraPanel::CameraPanel(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  const CameraFields fields;
  m_pixel = AddField(row, tr("Pixel (\u00B5m)"), fields.pixelUm, this);
  m_width = AddField(row, tr("Sensor (px)"), fields.widthPx, this);
  m_height = AddField(row, tr("x"), fields.heightPx, this);
  m_seeing = AddField(row, tr("Seeing (\")"), fields.seeingArcsec, this);
  row->addWidget(new QLabel(tr("Tube"), this));
  m_material = new QComboBox(this);
  for (const char* name : kTubeMaterialChoices) m_material->addItem(FromWindows1252(name));
  row->addWidget(m_material);
  m_temperature = AddField(row, tr("Change (K)"), fields.temperatureChange, this);
  m_problem = new QLabel(this);
  row->addWidget(m_problem, 1);
  m_read = fields;
  for (QLineEdit* field : {m_pixel, m_width, m_height, m_seeing, m_temperature}) {
    connect(field, &QLineEdit::editingFinished, this, &CameraPanel::FieldsChanged);
  }
  connect(m_material, &QComboBox::currentIndexChanged, this, &CameraPanel::FieldsChanged);
}

void CameraPanel::FieldsChanged() {
  CameraFields fields;
  fields.pixelUm = ToWindows1252(m_pixel->text());
  fields.widthPx = ToWindows1252(m_width->text());
  fields.heightPx = ToWindows1252(m_height->text());
  fields.seeingArcsec = ToWindows1252(m_seeing->text());
  fields.material = m_material->currentIndex();
  fields.temperatureChange = ToWindows1252(m_temperature->text());
  CameraOptions options;
  const std::string problem = ReadCameraFields(fields, options);
  m_problem->setText(FromWindows1252(problem));
  if (!problem.empty()) return;
  // Leaving a field unchanged computes nothing again.
  if (fields.pixelUm == m_read.pixelUm && fields.widthPx == m_read.widthPx &&
      fields.heightPx == m_read.heightPx && fields.seeingArcsec == m_read.seeingArcsec &&
      fields.material == m_read.material && fields.temperatureChange == m_read.temperatureChange) {
    return;
  }
  m_read = fields;
  emit OptionsChanged(options);
}
