#pragma once

#include <QIcon>

// The built-in 64 x 64 tray icon.
QIcon trayIconImage();
