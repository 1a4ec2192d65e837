#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The history file, the update file and exports use the GB2312 family; GB18030 is its superset.
QByteArray ToGb(QStringView text);
QString FromGb(const QByteArray& bytes);
// Text editors may put a UTF-8 byte order mark in front of a GB2312 file of plain digits; decoded as
// GB18030 it would become part of the first issue code.
QByteArray WithoutUtf8Bom(const QByteArray& bytes);

// Lines joined with CR LF after each line, encoded for a text file the way the program stores them.
QByteArray LinesToGbFile(const QStringList& lines);
