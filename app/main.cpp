#include "app.h"
#include "platform/files/posix_files.h"
#include "platform/files/std_random.h"
#include "platform/files/system_clock.h"
#include "platform/qt/popup_menu.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_timer_backend.h"
#include "platform/qt/strip_widget.h"
#include "platform/sound/sound_player.h"
#include "program.h"
#include "startup.h"

#include <QApplication>

#include <memory>
#include <vector>

int main(int argc, char* argv[]) {
    // The strip is laid out in device pixels (19-pixel lines, a 600-pixel width); scaling would blur it
    // and put the colour key off by a pixel.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication qtApp(argc, argv);
    // The strip is a tool window: closing the last input box must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    PosixFiles files;
    SystemClock clock;
    StdRandom random;
    QtScreen screen;
    QtDialogs dialogs;
    QtShell shell;
    const std::unique_ptr<Sound> sound = makeSoundPlayer();
    App app(Ports{dialogs, clock, *sound, files, random, screen, shell});
    bindProgram(app);

    std::vector<std::unique_ptr<QtTimerBackend>> timers;
    forEachTimer(app.window, [&timers](Timer& timer) {
        timers.push_back(std::make_unique<QtTimerBackend>(timer));
        timer.bind(timers.back().get());
    });

    StripWidget strip(app.window);
    QtPopupMenu menu(app.window.popupMenu);
    shell.attach(strip, menu, [&app](int kind) { showTrayMenu(app, kind); });
    strip.onClosed = [&shell] { shell.quit(0); };

    startUp(app);
    if (shell.quitCode()) return *shell.quitCode();
    strip.show();
    return QApplication::exec();
}
