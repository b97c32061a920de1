#include "ModalHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
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
    }
  });
  timer->start();
}

QString MessageBoxText(QWidget* widget) {
  auto* box = qobject_cast<QMessageBox*>(widget);
  return box != nullptr ? box->text() : QString();
}

void PressMessageBoxButton(QWidget* widget, int standardButton) {
  auto* box = qobject_cast<QMessageBox*>(widget);
  if (box == nullptr) return;
  if (QAbstractButton* button = box->button(static_cast<QMessageBox::StandardButton>(standardButton))) {
    button->click();
  }
}
