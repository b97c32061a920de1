// The fixture of the window's tests: the window opened on its start-up values, shown
// and active, and closed after the test.
#ifndef SPEKULOR_TESTS_APP_OPENWINDOWTEST_H
#define SPEKULOR_TESTS_APP_OPENWINDOWTEST_H

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "app/QtTelescopeWindow.h"
#include "dialog/TelescopeDlg.h"

class OpenWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Open(dlg);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override {
    if (window.isVisible()) window.done(0);
  }

  QLineEdit* Edit(int id) const { return static_cast<QLineEdit*>(window.Control(id)); }
  QRadioButton* Radio(int id) const { return static_cast<QRadioButton*>(window.Control(id)); }

  QtTelescopeWindow window;
  spekulor::dialog::CTelescopeDlg dlg{window};
};

#endif
