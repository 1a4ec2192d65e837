#pragma once

#include <QIcon>

// The program's own icon (a red and a blue ball) in every size the window system asks for.
QIcon ProgramIcon();
