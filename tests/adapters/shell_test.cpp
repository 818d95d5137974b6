#include "app/main_window.h"
#include "platform/qt/input_box.h"
#include "platform/qt/popup_menu.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/strip_widget.h"
#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QTimer>

TEST(QtShell, TrayActivationsBecomeTheProgramsKinds) {
    EXPECT_EQ(trayEventKind(QSystemTrayIcon::Trigger), 1);
    EXPECT_EQ(trayEventKind(QSystemTrayIcon::DoubleClick), 2);
    EXPECT_EQ(trayEventKind(QSystemTrayIcon::Context), 3);
    EXPECT_EQ(trayEventKind(QSystemTrayIcon::MiddleClick), 0);
}

TEST(QtShell, TheMenuDoesNotOpenWhileAModalBoxIsOpen) {
    MainWindow model;
    StripWidget strip(model);
    QtPopupMenu menu(model.popupMenu);
    QtShell shell;
    shell.attach(strip, menu, [](int) {});

    bool openedDuringBox = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = dynamic_cast<InputBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            shell.popUpMenu();
            QTest::qWait(50);
            openedDuringBox = menu.menu().isVisible();
            box->reject();
        }
    });
    poll.start(20);
    QtDialogs dialogs;
    EXPECT_FALSE(dialogs.inputBox(InputKind::Integer, "p", "t", "1").has_value());
    EXPECT_FALSE(openedDuringBox);

    shell.popUpMenu();
    EXPECT_TRUE(waitFor([&] { return menu.menu().isVisible(); }));
    menu.menu().hide();
}

TEST(QtShell, QuitRemembersTheCode) {
    QtShell shell;
    EXPECT_FALSE(shell.quitCode().has_value());
    shell.quit(0);
    EXPECT_EQ(shell.quitCode(), std::optional<int>(0));
}
