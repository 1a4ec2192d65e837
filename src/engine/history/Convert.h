#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

// The runtime's standard integer conversion: leading blanks, a sign, leading zeros and
// hexadecimal with a "$" or "0x" prefix are accepted; anything else (a trailing blank too) is not.
bool TryStrToInt(QStringView text, int& value);
bool TryStrToInt(std::string_view text, int& value);

// As TryStrToInt, but throws KelvoraError "'%s' is not a valid integer value".
int StrToInt(const QString& text);
