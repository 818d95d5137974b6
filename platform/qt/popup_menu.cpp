#include "popup_menu.h"

#include "platform/text/qt_text.h"

namespace {

// An ampersand in a caption is text, not a shortcut marker.
QString menuText(const std::string& caption) {
    return fromGbk(caption).replace(u'&', QStringLiteral("&&"));
}

void showModelState(QAction* action, const MenuItem& item) {
    const QSignalBlocker block(action);
    action->setEnabled(item.enabled());
    if (action->isCheckable()) action->setChecked(item.checked());
}

} // namespace

QtPopupMenu::QtPopupMenu(MenuItem& root) : root_(std::make_unique<QMenu>()) {
    build(*root_, root);
}

void QtPopupMenu::build(QMenu& menu, MenuItem& parent) {
    for (const auto& child : parent.children()) {
        MenuItem* item = child.get();
        QAction* action = nullptr;
        switch (item->kind()) {
        case MenuKind::Separator:
            menu.addSeparator();
            continue;
        case MenuKind::Submenu: {
            QMenu* sub = menu.addMenu(menuText(item->caption()));
            build(*sub, *item);
            action = sub->menuAction();
            break;
        }
        case MenuKind::Action:
        case MenuKind::Check:
            action = menu.addAction(menuText(item->caption()));
            action->setCheckable(item->kind() == MenuKind::Check);
            QObject::connect(action, &QAction::triggered, action, [item, action] {
                item->run();
                showModelState(action, *item);
            });
            break;
        }
        action->setData(QVariant::fromValue(static_cast<void*>(item)));
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] {
        for (QAction* action : menu.actions()) {
            if (auto* item = static_cast<MenuItem*>(action->data().value<void*>())) showModelState(action, *item);
        }
    });
}

void QtPopupMenu::popUp(const QPoint& globalPos) {
    root_->popup(globalPos);
}
