#include "app/TemplateWidgets.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "app/QtText.h"

using namespace spekulor::dialog;

namespace {

// A radio button that Tab never reaches, as the template has it. The toolkit makes a
// radio button its group's tab stop when it takes the focus (by a click, or a press
// released elsewhere) and leaves it one after another button of the group is checked.
class TemplateRadioButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void focusInEvent(QFocusEvent* event) override {
    QRadioButton::focusInEvent(event);
    setFocusPolicy(Qt::ClickFocus);
  }
};

// An entry field that leaves every Alt combination to the menus and the window: the
// toolkit would type the letter of an Alt+letter that opens no menu into the field.
// Ctrl+Alt is AltGr on some keyboards and still types.
class TemplateEdit final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::AltModifier) != 0 && (modifiers & Qt::ControlModifier) == 0) {
      event->ignore();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

QWidget* CreateControl(const ControlTemplate& control, QWidget* client) {
  const QString text = FromWindows1252(control.text);
  switch (control.kind) {
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, client);
      button->setDefault((control.style & kDefault) != 0);
      return button;
    }
    case ControlKind::RadioButton: {
      auto* radio = new TemplateRadioButton(text, client);
      // Radio buttons are reached with the mouse and their group's arrow keys, never with Tab.
      radio->setFocusPolicy(Qt::ClickFocus);
      return radio;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(text, client);
      label->setAlignment(((control.style & kRightAlign) != 0 ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignTop);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::Edit: {
      auto* edit = new TemplateEdit(text, client);
      return edit;
    }
    case ControlKind::ReportBox: {
      auto* report = new QPlainTextEdit(text, client);
      report->setReadOnly(true);
      report->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      report->setLineWrapMode(QPlainTextEdit::NoWrap);
      report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      report->setTabChangesFocus(true);
      return report;
    }
    case ControlKind::GroupFrame: {
      auto* frame = new QGroupBox(text, client);
      frame->setFocusPolicy(Qt::NoFocus);
      return frame;
    }
    case ControlKind::Icon: {
      auto* icon = new QLabel(client);
      icon->setPixmap(ProgramIcon().pixmap(32, 32));
      icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return icon;
    }
  }
  return nullptr;
}

}  // namespace

QFont TemplateFont(const char* face, int pointSize) {
  QFont font(QString::fromLatin1(face));
  font.setPointSize(pointSize);
  return font;
}

QFont FontFromTemplate(const FontTemplate& logical) {
  QFont font(FromWindows1252(logical.faceName));
  if (logical.height > 0) font.setPixelSize(logical.height);
  if (logical.weight > 0) font.setWeight(static_cast<QFont::Weight>(logical.weight));
  font.setItalic(logical.italic);
  font.setUnderline(logical.underline);
  font.setStrikeOut(logical.strikeOut);
  // The family half of the pitch-and-family byte (FF_MODERN etc.) picks the fallback.
  switch (logical.pitchAndFamily & 0xF0) {
    case 0x10: font.setStyleHint(QFont::Serif); break;
    case 0x20: font.setStyleHint(QFont::SansSerif); break;
    case 0x30: font.setStyleHint(QFont::TypeWriter); break;
    default: break;
  }
  if (logical.quality == 2) font.setStyleStrategy(QFont::PreferQuality);
  return font;
}

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int advance =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {AverageCharWidth(advance), metrics.height()};
}

// The icons are compiled into this static library; the reference below keeps the
// linker from dropping them and registers them once. (Not in a namespace: the
// macro declares the resource's registration function where it stands.)
static bool RegisterIconResources() {
  Q_INIT_RESOURCE(spekulor);
  return true;
}

QIcon ProgramIcon() {
  // Built once: reading the images is a noticeable share of opening the window.
  static const QIcon icon = [] {
    RegisterIconResources();
    QIcon both;
    both.addFile(QStringLiteral(":/icons/spekulor-16.png"), QSize(16, 16));
    both.addFile(QStringLiteral(":/icons/spekulor-32.png"), QSize(32, 32));
    return both;
  }();
  return icon;
}

TemplateWidgets::TemplateWidgets(const DialogTemplate& dialog, QWidget* client) : m_dialog(dialog) {
  const QFont font = TemplateFont(dialog.fontFace, dialog.pointSize);
  client->setFont(font);
  m_units = MeasureBaseUnits(font);

  QButtonGroup* group = nullptr;
  int groupIndex = 0;
  for (std::size_t i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& control = dialog.controls[i];
    QWidget* widget = CreateControl(control, client);
    const PixelRect rect =
        DialogRectToPixels(control.x, control.y, control.width, control.height, m_units);
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    if (control.kind == ControlKind::GroupFrame) widget->lower();

    if ((control.style & kGroup) != 0) group = nullptr;
    if (control.kind == ControlKind::RadioButton) {
      if (group == nullptr) {
        group = new QButtonGroup(client);
        group->setExclusive(true);
        m_groups.push_back({control.id, group});
        groupIndex = 0;
      }
      group->addButton(static_cast<QRadioButton*>(widget), groupIndex++);
    }
    m_controls.push_back({&control, widget});
  }

  // The focus chain runs through every control in template order, and Tab stops at
  // those that take the tab focus, the template's tab stops. From a control that is
  // none, a clicked radio button, Tab goes on to the next tab stop after it in the
  // template and Shift+Tab back to the one before it.
  for (std::size_t i = 1; i < m_controls.size(); ++i) {
    QWidget::setTabOrder(m_controls[i - 1].widget, m_controls[i].widget);
  }
  const PixelRect size = DialogRectToPixels(0, 0, dialog.width, dialog.height, m_units);
  client->setFixedSize(size.width, size.height);
}

QWidget* TemplateWidgets::Control(int id) const {
  for (const Built& built : m_controls) {
    if (built.control->id == id) return built.widget;
  }
  return nullptr;
}

QButtonGroup* TemplateWidgets::RadioGroup(int firstId) const {
  for (const Group& group : m_groups) {
    if (group.firstId == firstId) return group.buttons;
  }
  return nullptr;
}

std::vector<QWidget*> TemplateWidgets::TabStops() const {
  std::vector<QWidget*> stops;
  for (const Built& built : m_controls) {
    if ((built.control->style & kTabStop) != 0) stops.push_back(built.widget);
  }
  return stops;
}
