#include "engine/history/Convert.h"

#include "engine/core/KelvoraError.h"

#include <cstdint>

namespace {

inline char16_t unit(QChar c) {
    return c.unicode();
}
inline char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

template <typename Text> bool tryConvert(const Text& text, int& value) {
    size_t i = 0;
    const size_t n = size_t(text.size());
    while (i < n && unit(text[i]) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (unit(text[i]) == u'-' || unit(text[i]) == u'+')) {
        negative = unit(text[i]) == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && unit(text[i]) == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && unit(text[i]) == u'0' &&
               (unit(text[i + 1]) == u'x' || unit(text[i + 1]) == u'X')) {
        base = 16;
        i += 2;
    } else if (i < n && (unit(text[i]) == u'x' || unit(text[i]) == u'X')) {
        base = 16;
        ++i;
    }
    if (i >= n) return false;
    int64_t acc = 0;
    const int64_t limit = base == 16 ? int64_t(UINT32_MAX) : (negative ? int64_t(INT32_MAX) + 1 : INT32_MAX);
    for (; i < n; ++i) {
        const char16_t c = unit(text[i]);
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        acc = acc * base + digit;
        if (acc > limit) return false;
    }
    // Hexadecimal wraps into the signed range, as the runtime's conversion does.
    value = static_cast<int>(static_cast<uint32_t>(negative ? -acc : acc));
    return true;
}

} // namespace

bool TryStrToInt(QStringView text, int& value) {
    return tryConvert(text, value);
}
bool TryStrToInt(std::string_view text, int& value) {
    return tryConvert(text, value);
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(QStringView(text), value))
        throw KelvoraError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}
