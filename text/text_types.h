#pragma once
// The system's two text types. AnsiText holds 8-bit code units in the process code page,
// WideText UTF-16 code units. Both are implicitly shared values, always NUL-terminated, and an
// empty one yields "" (never a null pointer) through constData().
#include <QByteArray>
#include <QString>

using AnsiText = QByteArray;
using WideText = QString;

// The only bridge between the two. Characters that the code page cannot hold are replaced,
// never dropped and never reported.
WideText to_wide(const AnsiText& text);
WideText to_wide(const char* text);
AnsiText to_ansi(const WideText& text);

// The text in UTF-8; on a UTF-8 code page valid text comes back as it is, without a conversion.
QByteArray to_utf8(const AnsiText& text);
