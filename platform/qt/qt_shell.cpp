#include "qt_shell.h"

#include "platform/text/qt_text.h"
#include "popup_menu.h"
#include "strip_widget.h"
#include "tray_icon_image.h"

#include <QApplication>
#include <QCursor>

int trayEventKind(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return 1;
    case QSystemTrayIcon::DoubleClick:
        return 2;
    case QSystemTrayIcon::Context:
        return 3;
    default:
        return 0;
    }
}

QtShell::QtShell() = default;
QtShell::~QtShell() = default;

void QtShell::attach(StripWidget& strip, QtPopupMenu& menu, std::function<void(int)> onTrayEvent) {
    strip_ = &strip;
    menu_ = &menu;
    onTrayEvent_ = std::move(onTrayEvent);
}

void QtShell::installTrayIcon(const std::string& tooltip) {
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(trayIconImage());
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             const int kind = trayEventKind(reason);
                             if (kind != 0 && onTrayEvent_) onTrayEvent_(kind);
                         });
    }
    tray_->setToolTip(fromGbk(tooltip));
    tray_->show();
}

void QtShell::makeColorKeyed(std::int32_t keyColor, int) {
    // The alpha that comes with the key has no effect with the key alone: the strip is never translucent.
    if (strip_) strip_->makeColorKeyed(keyColor);
}

void QtShell::popUpMenu() {
    if (!menu_ || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    menu_->popUp(QCursor::pos());
}

void QtShell::quit(int exitCode) {
    quitCode_ = exitCode;
    QCoreApplication::exit(exitCode);
}
