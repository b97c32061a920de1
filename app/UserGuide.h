// Help > User guide (F1): the README's sections on the window and the analyses, built
// into the program (app/UserGuide.cmake), in a text browser of its own.
#ifndef SPEKULOR_APP_USERGUIDE_H
#define SPEKULOR_APP_USERGUIDE_H

#include <QDialog>

class QTextBrowser;

// The guide's Markdown, as built into the program.
QString UserGuideMarkdown();

class UserGuideWindow : public QDialog {
  Q_OBJECT

 public:
  explicit UserGuideWindow(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser;
};

#endif
