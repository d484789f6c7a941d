#pragma once
// Plain state of the controls a window model holds: what the view copies
// into its widgets after every event.

#include <string>
#include <utility>
#include <vector>

namespace fenmark::platform {

// A button, menu item, label or other captioned control.
struct Control {
    Control() = default;
    Control(std::string name_, std::string caption_ = {}, std::string toolTip_ = {})
        : name(std::move(name_)), caption(std::move(caption_)), toolTip(std::move(toolTip_)) {}

    std::string name;
    std::string caption;
    std::string toolTip;
    bool enabled = true;
    bool visible = true;
};

// A drop-down list.
struct ComboBox {
    ComboBox() = default;
    explicit ComboBox(std::string name_) : name(std::move(name_)) {}

    std::string name;
    std::vector<std::string> items;
    int listIndex = -1;
    bool enabled = true;
    bool visible = true;
};

// A text box (hidden ones carry working values between procedures).
struct TextBox {
    TextBox() = default;
    TextBox(std::string name_, bool visible_ = true) : name(std::move(name_)), visible(visible_) {}

    std::string name;
    std::string text;
    bool enabled = true;
    bool visible = true;
};

// A rectangle in twips.
struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace fenmark::platform
