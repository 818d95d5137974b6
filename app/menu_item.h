#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class MenuKind { Submenu, Action, Check, Separator };

// One item of the PopupMenu. Check marks live here; a pick runs `run()`, which never flips a mark itself:
// the item's action decides.
class MenuItem {
public:
    MenuItem(std::string caption, MenuKind kind) : caption_(std::move(caption)), kind_(kind) {}

    const std::string& caption() const { return caption_; }
    MenuKind kind() const { return kind_; }
    bool checked() const { return checked_; }
    bool enabled() const { return enabled_; }
    void setChecked(bool on) { checked_ = on; }
    void setEnabled(bool on) { enabled_ = on; }
    void flip() { checked_ = !checked_; }

    void setAction(std::function<void()> action) { action_ = std::move(action); }
    void run() {
        if (action_) action_();
    }

    MenuItem& add(std::string caption, MenuKind kind) {
        children_.push_back(std::make_unique<MenuItem>(std::move(caption), kind));
        return *children_.back();
    }
    const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }

private:
    std::string caption_;
    MenuKind kind_;
    bool checked_ = false;
    bool enabled_ = true;
    std::function<void()> action_;
    std::vector<std::unique_ptr<MenuItem>> children_;
};
