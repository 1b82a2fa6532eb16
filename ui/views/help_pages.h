// The help overlay's pages as lines of text: page 0 the keys and effect commands, page 1
// the credits. Header lines are drawn white with a shadow.
#pragma once

#include <QStringList>
#include <QStringView>

inline constexpr int helpPageCount = 2;

// The lines of a page: page 0 shows the keys, any other page the credits.
QStringList helpPageLines(int page);

// Whether a line is a page or section header: one of the fixed headers ("KEYS",
// "CREDITS", ...) or any line that begins with "EFFECTS".
bool isHelpHeader(QStringView line);
