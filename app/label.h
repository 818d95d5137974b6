#pragma once

#include <cstdint>
#include <string>

class Label;

// Told after a label changes, so a screen adapter repaints only what changed.
class LabelObserver {
public:
    virtual ~LabelObserver() = default;
    virtual void labelChanged(const Label& label) = 0;
};

// One line of text of the strip. Colours are R + 256 * G + 65536 * B; 0 is the transparent key.
class Label {
public:
    explicit Label(int left = 0, int top = 0, int width = 0, int height = 19, std::int32_t textColor = 0x00FF00)
        : left_(left), top_(top), width_(width), height_(height), textColor_(textColor) {}

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::string& text() const { return text_; }
    std::int32_t textColor() const { return textColor_; }
    std::int32_t backColor() const { return backColor_; }
    bool bold() const { return bold_; }

    void setLeft(int v) { update(left_, v); }
    void setTop(int v) { update(top_, v); }
    void setWidth(int v) { update(width_, v); }
    void setText(std::string v) {
        if (text_ == v) return;
        text_ = std::move(v);
        changed();
    }
    void setTextColor(std::int32_t v) { update(textColor_, v); }
    void setBackColor(std::int32_t v) { update(backColor_, v); }
    void setBold(bool v) { update(bold_, v); }

    void setObserver(LabelObserver* observer) { observer_ = observer; }

private:
    template <typename T> void update(T& field, T value) {
        if (field == value) return;
        field = value;
        changed();
    }
    void changed() {
        if (observer_) observer_->labelChanged(*this);
    }

    int left_;
    int top_;
    int width_;
    int height_;
    std::string text_;
    std::int32_t textColor_;
    std::int32_t backColor_ = 0;
    bool bold_ = false;
    LabelObserver* observer_ = nullptr;
};
