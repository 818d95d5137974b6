#pragma once

#include "app/ports.h"

#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

class QtPopupMenu;
class StripWidget;

// The desktop side of start-up and the tray: the tray icon, the colour key, the menu, the end.
class QtShell : public Shell {
public:
    QtShell();
    ~QtShell() override;

    // `onTrayEvent` gets the tray's mouse events as kinds: 1 left release, 2 double click, 3 right
    // release or the context-menu key.
    void attach(StripWidget& strip, QtPopupMenu& menu, std::function<void(int)> onTrayEvent);

    void installTrayIcon(const std::string& tooltip) override;
    void makeColorKeyed(std::int32_t keyColor, int alpha) override;
    // Opens the PopupMenu at the mouse, unless a modal box is open: no handler runs inside another's box.
    void popUpMenu() override;
    void quit(int exitCode) override;

    // Set once quit has been asked for; a quit asked for before the event loop runs ends it at once.
    std::optional<int> quitCode() const { return quitCode_; }
    QSystemTrayIcon* trayIcon() { return tray_.get(); }

private:
    StripWidget* strip_ = nullptr;
    QtPopupMenu* menu_ = nullptr;
    std::function<void(int)> onTrayEvent_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::optional<int> quitCode_;
};

// The kind the program gives a tray activation, or 0 for one it does not know.
int trayEventKind(QSystemTrayIcon::ActivationReason reason);
