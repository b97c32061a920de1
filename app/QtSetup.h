// What the program sets up once the QApplication exists, before any window.
#ifndef SPEKULOR_APP_QTSETUP_H
#define SPEKULOR_APP_QTSETUP_H

// - Numbers: Qt has set the C library's locale from the environment; LC_NUMERIC goes
//   back to "C" so that reports and files always write "." as the decimal point.
// - Fonts: the window's resource fonts ("MS Sans Serif", "Courier") do not exist on
//   Linux; they are mapped to comparable installed faces, the report font to one of
//   fixed pitch so the report's columns line up.
// - The program's name, desktop entry and icon.
void PrepareQtApplication();

#endif
