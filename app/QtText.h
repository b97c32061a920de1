// Windows-1252 <-> Qt Unicode, used only where texts cross the widget boundary.
//
// Bytes 0x80-0x9F carry the code page's typographic characters (the euro sign,
// quotes, dashes...); the five bytes the code page leaves unassigned map to the C1
// control of the same value, so that every byte string survives a round trip.
// Characters the code page lacks become '?'.
#ifndef SPEKULOR_APP_QTTEXT_H
#define SPEKULOR_APP_QTTEXT_H

#include <QString>
#include <string>

QString FromWindows1252(const std::string& bytes);
std::string ToWindows1252(const QString& text);

#endif
