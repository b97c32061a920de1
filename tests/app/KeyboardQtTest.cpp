// The window's keyboard on Qt, offscreen but active as under a window manager: Alt
// reaches the menus and never the fields, and Tab reaches the template's tab stops
// and nothing else, however the radio buttons were used before.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <string>
#include <vector>

#include "app/QtTelescopeWindow.h"
#include "app/QtText.h"
#include "dialog/TelescopeDlg.h"
#include "tests/app/OpenWindowTest.h"

using namespace spekulor::dialog;

namespace {

// The template's tab stops, in tab order.
const int kTabOrder[] = {IDOK,        IDC_PRI_DIA,      IDC_FIELD,        IDC_PRI_FOC,
                         IDC_SYS_FOC, IDC_BACK_FOC_LEN, IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST,
                         IDC_SEC_RAD_CUR, IDC_PRI_CC,   IDC_SEC_CC,       IDC_REPORT,
                         IDC_CALC_OSLO};
const int kRadios[] = {IDC_TYPE_CLASSICAL,          IDC_TYPE_DALL_KIRKHAM, IDC_TYPE_RITCHEY_CHRETIEN,
                       IDC_TYPE_PRESSMANN_CAMICHEL, IDC_TYPE_STIGMATIC,    IDC_UNIT_INCH,
                       IDC_UNIT_MM};
const int kFields[] = {IDC_PRI_DIA,      IDC_FIELD,        IDC_PRI_FOC,     IDC_SYS_FOC,
                       IDC_BACK_FOC_LEN, IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST, IDC_SEC_RAD_CUR,
                       IDC_PRI_CC,       IDC_SEC_CC};

class KeyboardTest : public OpenWindowTest {
 protected:
  void TearDown() override {
    CloseMenus();
    OpenWindowTest::TearDown();
  }

  // The menus of the bar, in order.
  std::vector<QMenu*> Menus() const {
    std::vector<QMenu*> menus;
    for (QAction* action : window.MainMenuBar()->actions()) {
      if (action->menu() != nullptr) menus.push_back(action->menu());
    }
    return menus;
  }
  // Closes an open menu as the user would: Esc closes the menu, a second Esc leaves
  // the bar. The offscreen platform leaves the closed menu the active window, where a
  // window manager gives the activation back; the window takes it back here.
  void CloseMenus() {
    for (QMenu* menu : Menus()) {
      if (menu->isVisible()) QTest::keyClick(menu, Qt::Key_Escape);
    }
    if (window.MainMenuBar()->activeAction() != nullptr) {
      QTest::keyClick(window.MainMenuBar(), Qt::Key_Escape);
    }
    if (window.isVisible() && QApplication::activeWindow() != &window) {
      window.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
  }

  // Presses Tab `count` times from the focus widget and returns the widgets that had
  // the focus after each press.
  std::vector<QWidget*> TabThrough(std::size_t count) {
    std::vector<QWidget*> reached;
    for (std::size_t i = 0; i < count; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached.push_back(QApplication::focusWidget());
    }
    return reached;
  }

  // Walks the focus chain once around from `start` and returns the widgets that Tab
  // may stop at: visible, enabled and taking the focus from Tab.
  std::vector<QWidget*> TabStopsInChain(QWidget* start) const {
    std::vector<QWidget*> stops;
    QWidget* widget = start;
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isVisibleTo(&window) &&
          widget->isEnabled()) {
        stops.push_back(widget);
      }
      widget = widget->nextInFocusChain();
    } while (widget != start && widget != nullptr);
    return stops;
  }

  // The template's tab stops in tab order, starting at `firstId`.
  std::vector<QWidget*> TemplateStopsFrom(int firstId) const {
    std::vector<QWidget*> stops;
    const std::size_t n = std::size(kTabOrder);
    std::size_t first = 0;
    while (kTabOrder[first] != firstId) ++first;
    for (std::size_t i = 0; i < n; ++i) stops.push_back(window.Control(kTabOrder[(first + i) % n]));
    return stops;
  }

  // Tab from the first field through a full cycle and the focus chain both reach the
  // template's tab stops in order, and no radio button is one of them.
  void ExpectTemplateTabCycle(const char* after) {
    SCOPED_TRACE(after);
    for (int id : kRadios) {
      EXPECT_EQ(Radio(id)->focusPolicy() & Qt::TabFocus, 0) << "radio " << id;
    }
    std::vector<QWidget*> expected = TemplateStopsFrom(IDC_PRI_DIA);
    EXPECT_EQ(TabStopsInChain(Edit(IDC_PRI_DIA)), expected);

    Edit(IDC_PRI_DIA)->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), Edit(IDC_PRI_DIA));
    std::vector<QWidget*> reached = TabThrough(std::size(kTabOrder));
    expected.push_back(expected.front());
    expected.erase(expected.begin());
    EXPECT_EQ(reached, expected);
    for (QWidget* widget : reached) {
      EXPECT_EQ(qobject_cast<QRadioButton*>(widget), nullptr)
          << "Tab reached " << widget->objectName().toStdString() << " "
          << static_cast<QAbstractButton*>(widget)->text().toStdString();
    }
  }
};

TEST_F(KeyboardTest, EachMenuOfTheBarHasItsOwnMnemonicAndKeepsItsName) {
  std::size_t count = 0;
  const MenuItemTemplate* items = MainMenuItems(&count);
  QStringList names;
  for (std::size_t i = 0; i < count; ++i) {
    const QString name = FromWindows1252(items[i].menu);
    if (!names.contains(name)) names << name;
  }
  names << QStringLiteral("Help");  // the window's own, after the template's
  const std::vector<QMenu*> menus = Menus();
  ASSERT_EQ(menus.size(), static_cast<std::size_t>(names.size()));
  QSet<QString> keys;
  for (std::size_t i = 0; i < menus.size(); ++i) {
    const QString title = menus[i]->title();
    // What the bar shows is the menu's name; the ampersand only underlines a letter.
    EXPECT_EQ(QString(title).remove(QLatin1Char('&')).toStdString(),
              names[static_cast<qsizetype>(i)].toStdString());
    const QKeySequence mnemonic = QKeySequence::mnemonic(title);
    EXPECT_FALSE(mnemonic.isEmpty()) << title.toStdString();
    keys.insert(mnemonic.toString());
  }
  EXPECT_EQ(keys.size(), names.size());  // no two menus share a key
  for (const QString& item : {QStringLiteral("New"), QStringLiteral("Ouit")}) {
    bool found = false;
    for (QMenu* menu : menus) {
      for (QAction* action : menu->actions()) found = found || action->text() == item;
    }
    EXPECT_TRUE(found) << item.toStdString();  // the items keep their labels as they are
  }
}

TEST_F(KeyboardTest, AltAndAMenuLetterInAFieldOpensThatMenuAndLeavesTheField) {
  QLineEdit* field = Edit(IDC_FIELD);
  const QString before = field->text();
  for (QMenu* menu : Menus()) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(menu->title());
    ASSERT_FALSE(mnemonic.isEmpty()) << menu->title().toStdString();
    const QKeyCombination combination = mnemonic[0];
    field->setFocus(Qt::OtherFocusReason);
    field->end(false);
    QTest::keyClick(field, combination.key(), combination.keyboardModifiers());
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000))
        << menu->title().toStdString();
    CloseMenus();
    EXPECT_EQ(field->text().toStdString(), before.toStdString()) << menu->title().toStdString();
  }
  // Alt+F is File in particular.
  field->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(field, Qt::Key_F, Qt::AltModifier);
  QMenu* file = Menus().front();
  EXPECT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
  EXPECT_EQ(QString(file->title()).remove(QLatin1Char('&')).toStdString(), "File");
  CloseMenus();
  EXPECT_EQ(field->text().toStdString(), before.toStdString());
}

TEST_F(KeyboardTest, NoAltCombinationChangesAField) {
  for (int id : kFields) {
    QLineEdit* field = Edit(id);
    field->setText(QStringLiteral("0.75"));
    field->setFocus(Qt::OtherFocusReason);
    field->end(false);
    // Letters that open no menu, shifted letters, digits, a point, and the editing
    // keys that some platforms bind with Alt.
    for (Qt::Key key : {Qt::Key_Q, Qt::Key_Z, Qt::Key_A, Qt::Key_5, Qt::Key_Period,
                        Qt::Key_Backspace, Qt::Key_Delete}) {
      QTest::keyClick(field, key, Qt::AltModifier);
      QTest::keyClick(field, key, Qt::AltModifier | Qt::ShiftModifier);
    }
    EXPECT_EQ(field->text().toStdString(), "0.75") << id;
    // Typing without Alt still types, and AltGr as Windows sends it (Ctrl+Alt) too.
    QTest::keyClick(field, Qt::Key_5);
    QTest::keyClick(field, Qt::Key_At, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(field->text().toStdString(), "0.755@") << id;
  }
  // Alt+Space still reaches the window's system menu from a field.
  QLineEdit* field = Edit(IDC_FIELD);
  field->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(field, Qt::Key_Space, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return window.SystemMenu()->isVisible(); }, 2000));
  window.SystemMenu()->close();
  EXPECT_EQ(field->text().toStdString(), "0.755@");
}

TEST_F(KeyboardTest, TabSkipsRadioButtonsThatWereClicked) {
  ExpectTemplateTabCycle("at opening");
  for (int id : kRadios) {
    QTest::mouseClick(Radio(id), Qt::LeftButton);
    ASSERT_TRUE(Radio(id)->isChecked()) << id;
  }
  ExpectTemplateTabCycle("after clicking every radio button");
}

TEST_F(KeyboardTest, TabSkipsAFocusedRadioButtonThatWasUncheckedSinceOrNeverChecked) {
  // Clicked, then unchecked by New: the button that had the focus is no longer checked.
  QTest::mouseClick(Radio(IDC_UNIT_INCH), Qt::LeftButton);
  QTest::mouseClick(Radio(IDC_TYPE_CLASSICAL), Qt::LeftButton);
  window.MenuAction(ID_FILE_NEW)->trigger();
  ASSERT_FALSE(Radio(IDC_UNIT_INCH)->isChecked());
  ASSERT_FALSE(Radio(IDC_TYPE_CLASSICAL)->isChecked());
  ExpectTemplateTabCycle("after New unchecked the clicked buttons");

  // Pressed and released off the button: focused, never checked.
  QTest::mousePress(Radio(IDC_TYPE_STIGMATIC), Qt::LeftButton);
  QTest::mouseRelease(Radio(IDC_TYPE_STIGMATIC), Qt::LeftButton, {}, QPoint(-50, -50));
  ASSERT_FALSE(Radio(IDC_TYPE_STIGMATIC)->isChecked());
  ExpectTemplateTabCycle("after a press released off the button");

  // The arrow keys move within a group from a clicked button.
  QTest::mouseClick(Radio(IDC_TYPE_DALL_KIRKHAM), Qt::LeftButton);
  QTest::keyClick(Radio(IDC_TYPE_DALL_KIRKHAM), Qt::Key_Down);
  EXPECT_TRUE(Radio(IDC_TYPE_RITCHEY_CHRETIEN)->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), Radio(IDC_TYPE_RITCHEY_CHRETIEN));
  ExpectTemplateTabCycle("after moving with the arrow keys");
}

// A clicked radio button stands where the template has it: between "Calculate" and
// the first entry field.
TEST_F(KeyboardTest, TabFromAClickedRadioButtonGoesOnInTemplateOrder) {
  for (int id : kRadios) {
    QTest::mouseClick(Radio(id), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), Radio(id));
    QTest::keyClick(Radio(id), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Control(IDC_PRI_DIA)) << id;
    QTest::mouseClick(Radio(id), Qt::LeftButton);
    QTest::keyClick(Radio(id), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.Control(IDOK)) << id;
  }
}

TEST_F(KeyboardTest, TabFromTheExportButtonGoesBackToCalculate) {
  QTest::mouseClick(Radio(IDC_UNIT_INCH), Qt::LeftButton);
  window.CheckRadio(IDC_UNIT_INCH, 1);
  window.Control(IDC_CALC_OSLO)->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(window.Control(IDC_CALC_OSLO), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.Control(IDOK));
  QTest::keyClick(window.Control(IDOK), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), window.Control(IDC_CALC_OSLO));
}

}  // namespace
