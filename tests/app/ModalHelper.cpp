#include "tests/app/ModalHelper.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <memory>

void AnswerNextModal(std::function<void(QWidget*)> answer, const QWidget* except,
                     int timeoutMs) {
  auto timer = new QTimer(qApp);
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, answer, except, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != except && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    } else if (elapsed->elapsed() > timeoutMs) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal window to answer opened within " << timeoutMs << " ms";
    }
  });
  timer->start();
}

void TypeIntoFileDialog(QWidget* fileDialog, const QString& path) {
  auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
  if (dialog == nullptr) {
    ADD_FAILURE() << "expected the toolkit's file dialog";
    fileDialog->close();
    return;
  }
  const QFileInfo typed(path);
  dialog->setDirectory(typed.absolutePath());
  // The name field has the focus once the dialog is shown; before that, selectFile
  // fills it.
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (field != nullptr && dialog->isAncestorOf(field)) {
    field->setText(typed.fileName());
  } else {
    dialog->selectFile(typed.fileName());
  }
  QMetaObject::invokeMethod(dialog, "accept");
}

QString MessageBoxText(QWidget* widget) {
  auto* box = qobject_cast<QMessageBox*>(widget);
  return box != nullptr ? box->text() : QString();
}

QString MessageBoxDetail(QWidget* widget) {
  auto* box = qobject_cast<QMessageBox*>(widget);
  return box != nullptr ? box->detailedText() : QString();
}

void PressMessageBoxButton(QWidget* widget, int standardButton) {
  auto* box = qobject_cast<QMessageBox*>(widget);
  if (box == nullptr) return;
  if (QAbstractButton* button = box->button(static_cast<QMessageBox::StandardButton>(standardButton))) {
    button->click();
  }
}
