#pragma once

#include "app/menu_item.h"

#include <QMenu>

#include <memory>

// The PopupMenu on screen: a QMenu tree built once from the model's tree. Check marks and enabled
// states are read from the model each time a menu opens; a pick runs the model item's action, and the
// shown mark is then put back to what the model says, so Qt never flips a mark on its own.
class QtPopupMenu {
public:
    explicit QtPopupMenu(MenuItem& root);
    QtPopupMenu(const QtPopupMenu&) = delete;
    QtPopupMenu& operator=(const QtPopupMenu&) = delete;

    QMenu& menu() { return *root_; }
    void popUp(const QPoint& globalPos);

private:
    void build(QMenu& menu, MenuItem& item);

    std::unique_ptr<QMenu> root_;
};
