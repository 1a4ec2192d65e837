#include "paint/ProgramFont.h"

#include <QStringList>

QFont ProgramFont() {
    QFont font(QStringLiteral("宋体"));
    font.setFamilies(QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                 QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("Source Han Sans SC"), QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(14);
    return font;
}
