#include "app/main_window.h"
#include "platform/qt/popup_menu.h"
#include "platform/text/qt_text.h"
#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

namespace {

QMenu* submenuOf(QAction* action) {
    return action->menu();
}

// Walks the model and the Qt menu side by side; every difference is a failure naming the item.
void expectSameTree(const MenuItem& model, QMenu& menu, const QString& path) {
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(model.children().size())) << path.toStdString();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const MenuItem& item = *model.children()[static_cast<std::size_t>(i)];
        QAction* action = actions[i];
        const QString where = path + u'/' + fromGbk(item.caption());
        switch (item.kind()) {
        case MenuKind::Separator:
            EXPECT_TRUE(action->isSeparator()) << where.toStdString();
            continue;
        case MenuKind::Submenu:
            ASSERT_NE(submenuOf(action), nullptr) << where.toStdString();
            expectSameTree(item, *submenuOf(action), where);
            break;
        case MenuKind::Action:
        case MenuKind::Check:
            EXPECT_EQ(submenuOf(action), nullptr) << where.toStdString();
            EXPECT_EQ(action->isCheckable(), item.kind() == MenuKind::Check) << where.toStdString();
            break;
        }
        EXPECT_EQ(action->text(), fromGbk(item.caption())) << where.toStdString();
        EXPECT_EQ(action->isEnabled(), item.enabled()) << where.toStdString();
        if (action->isCheckable()) {
            EXPECT_EQ(action->isChecked(), item.checked()) << where.toStdString();
        }
    }
}

void refresh(QMenu& menu) {
    emit menu.aboutToShow();
    for (QAction* a : menu.actions())
        if (a->menu()) refresh(*a->menu());
}

QAction* actionFor(QMenu& menu, const std::string& caption) {
    for (QAction* a : menu.actions())
        if (a->text() == fromGbk(caption)) return a;
    return nullptr;
}

} // namespace

TEST(PopupMenu, MirrorsTheModelTreeWithItsMarksAndDisabledItems) {
    MainWindow model;
    QtPopupMenu menu(model.popupMenu);
    ASSERT_EQ(menu.menu().actions().size(), 15);
    refresh(menu.menu());
    expectSameTree(model.popupMenu, menu.menu(), QString());

    model.menu.barCount[2]->setChecked(true);
    for (MenuItem* item : model.menu.barCount)
        item->setEnabled(false);
    model.menu.不要时间条->setChecked(true);
    model.menu.其它功能->setEnabled(false);
    refresh(menu.menu());
    expectSameTree(model.popupMenu, menu.menu(), QString());

    EXPECT_EQ(menu.menu().actions()[0]->text(), QStringLiteral(u"几条事件条"));
    EXPECT_EQ(menu.menu().actions()[2]->menu()->actions()[0]->text(), QStringLiteral(u"一天工作计划模式"));
    EXPECT_EQ(menu.menu().actions()[2]->menu()->actions()[4]->text(),
              QStringLiteral(u"停止滚动（文本不要长否则显示不全哦）"));
}

TEST(PopupMenu, APickRunsTheModelActionAndTheMarkFollowsTheModel) {
    MainWindow model;
    QtPopupMenu menu(model.popupMenu);
    int runs = 0;
    // An action that keeps its mark as it is: Qt's own toggle must not show.
    model.menu.字体加粗->setAction([&] { ++runs; });
    // An action that flips its mark.
    model.menu.每日事件记录->setAction([&] {
        ++runs;
        model.menu.每日事件记录->flip();
    });
    QMenu* other = actionFor(menu.menu(), "其它功能")->menu();
    refresh(menu.menu());

    QAction* bold = actionFor(*other, "字体加粗");
    bold->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(bold->isChecked());
    EXPECT_FALSE(model.menu.字体加粗->checked());

    QAction* record = actionFor(*other, "每日事件记录");
    record->trigger();
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(record->isChecked());
    record->trigger();
    EXPECT_FALSE(record->isChecked());
    EXPECT_FALSE(model.menu.每日事件记录->checked());
}

TEST(PopupMenu, CaptionAmpersandsAreText) {
    MenuItem root("", MenuKind::Submenu);
    root.add("A&B", MenuKind::Action);
    QtPopupMenu menu(root);
    EXPECT_EQ(menu.menu().actions()[0]->text(), QStringLiteral("A&&B"));
}
