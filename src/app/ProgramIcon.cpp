#include "app/ProgramIcon.h"

// The pictures are compiled into this static library; the linker keeps them only when asked for.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

QIcon ProgramIcon() {
    static const bool initialised = (initIconResources(), true);
    Q_UNUSED(initialised);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kelvora-%1.png").arg(size), QSize(size, size));
    return icon;
}
