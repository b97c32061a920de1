// The fields of the pictures window's page "Camera", above its picture: the pixel size,
// the sensor's size in pixels, the seeing, the tube's material and a temperature change.
// A field's edit, once finished, hands the options read (dialog/CameraTab.h) on through
// OptionsChanged; a field that cannot be read says why beside them instead.
#ifndef SPEKULOR_APP_CAMERAPANEL_H
#define SPEKULOR_APP_CAMERAPANEL_H

#include <QWidget>

#include "camera/CameraPage.h"
#include "dialog/CameraTab.h"

class QComboBox;
class QLabel;
class QLineEdit;

class CameraPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CameraPanel(QWidget* parent = nullptr);

  QLineEdit* PixelEdit() const { return m_pixel; }
  QLineEdit* WidthEdit() const { return m_width; }
  QLineEdit* HeightEdit() const { return m_height; }
  QLineEdit* SeeingEdit() const { return m_seeing; }
  QComboBox* MaterialBox() const { return m_material; }
  QLineEdit* TemperatureEdit() const { return m_temperature; }
  // Why the fields cannot be read, empty while they can.
  QLabel* ProblemLabel() const { return m_problem; }

 signals:
  void OptionsChanged(const spekulor::camera::CameraOptions& options);

 private:
  void FieldsChanged();

  QLineEdit* m_pixel = nullptr;
  QLineEdit* m_width = nullptr;
  QLineEdit* m_height = nullptr;
  QLineEdit* m_seeing = nullptr;
  QComboBox* m_material = nullptr;
  QLineEdit* m_temperature = nullptr;
  QLabel* m_problem = nullptr;
  spekulor::dialog::CameraFields m_read;  // the fields last handed on
};

#endif
