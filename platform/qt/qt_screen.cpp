#include "qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

int QtScreen::primaryWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}
