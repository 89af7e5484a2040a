// The comma-separated form of a list of lines that check-list boxes are stored in: lines joined by
// ",", a line holding a blank, a control character, a comma or a double quote written in double
// quotes with its quotes doubled; a list of one empty line is "\"\"".
#pragma once

#include <QString>
#include <QStringList>

QString GetCommaText(const QStringList& lines);
// Unquoted lines end at a comma or at a blank; blanks between lines are skipped, and a comma at the
// very end adds an empty line.
QStringList SetCommaText(const QString& text);
