// Answers the next modal box that opens while a test blocks in a modal call.
#ifndef SPEKULOR_TESTS_APP_MODALHELPER_H
#define SPEKULOR_TESTS_APP_MODALHELPER_H

#include <QWidget>
#include <functional>

// Polls until a modal widget other than `except` is active, then calls `answer`
// with it; `answer` must close it. Gives up after `timeoutMs` with a test failure.
void AnswerNextModal(std::function<void(QWidget*)> answer, const QWidget* except = nullptr,
                     int timeoutMs = 5000);

// Types `path` into a file dialog as a user would (its folder chosen, then the name
// typed into the field that has the focus) and accepts it.
void TypeIntoFileDialog(QWidget* fileDialog, const QString& path);

// The text of a message box, or empty for another widget.
QString MessageBoxText(QWidget* widget);
// The detailed text a message box unfolds, or empty.
QString MessageBoxDetail(QWidget* widget);

// Presses the box's button with this standard-button value.
void PressMessageBoxButton(QWidget* widget, int standardButton);

#endif
