#include "platform/qt/input_box.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/text/qt_text.h"
#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Once the box is up, `answer` plays the user: it looks at the box and presses a button.
void whenBoxOpens(std::function<void(InputBox&)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* box = dynamic_cast<InputBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(*box);
        }
    });
    poll->start(20);
}

QPushButton* button(InputBox& box, QDialogButtonBox::StandardButton which) {
    return box.findChild<QDialogButtonBox*>()->button(which);
}

} // namespace

TEST(InputBox, OkReturnsTheTextAsGbkAndShowsPromptTitleAndInitialText) {
    QtDialogs dialogs;
    QString title, prompt, initial, selected;
    whenBoxOpens([&](InputBox& box) {
        title = box.windowTitle();
        prompt = box.findChild<QLabel*>()->text();
        initial = box.lineEdit().text();
        selected = box.lineEdit().selectedText();
        box.lineEdit().setText(QStringLiteral(u"宽度800"));
        QTest::mouseClick(button(box, QDialogButtonBox::Ok), Qt::LeftButton);
    });
    const auto answer = dialogs.inputBox(InputKind::Integer, "第一行\r\n第二行", "设置窗口宽度当中：", "1920");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, "宽度800");
    EXPECT_EQ(title, QStringLiteral(u"设置窗口宽度当中："));
    EXPECT_EQ(prompt, QStringLiteral(u"第一行\n第二行"));
    EXPECT_EQ(initial, QStringLiteral("1920"));
    EXPECT_EQ(selected, QStringLiteral("1920"));
}

TEST(InputBox, CancelReturnsNothing) {
    QtDialogs dialogs;
    whenBoxOpens([](InputBox& box) {
        box.lineEdit().setText(QStringLiteral("800"));
        QTest::mouseClick(button(box, QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_FALSE(dialogs.inputBox(InputKind::Text, "p", "t", "x").has_value());
}

TEST(InputBox, TimersKeepTickingWhileItIsOpen) {
    QtDialogs dialogs;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    whenBoxOpens([&](InputBox& box) {
        QTimer::singleShot(200, &box, [&box] { QTest::keyClick(&box.lineEdit(), Qt::Key_Return); });
    });
    EXPECT_EQ(dialogs.inputBox(InputKind::Integer, "p", "t", "5"), std::optional<std::string>("5"));
    EXPECT_GE(ticks, 5);
}

TEST(FileDialogFilter, BecomesQtsForm) {
    struct Case {
        QString in, out;
    };
    const Case cases[] = {
        {QStringLiteral(u"音乐文件（*.mp3）|*.mp3"), QStringLiteral(u"音乐文件（*.mp3） (*.mp3)")},
        {QStringLiteral("Sound|*.mp3;*.wav"), QStringLiteral("Sound (*.mp3 *.wav)")},
        {QStringLiteral("A|*.a|B|*.b"), QStringLiteral("A (*.a);;B (*.b)")},
        {QStringLiteral("*.txt"), QStringLiteral("*.txt (*.txt)")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtFileFilter(c.in), c.out) << c.in.toStdString();
}
