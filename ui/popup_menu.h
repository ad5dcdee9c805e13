// A pop-up menu: items with captions and click events, shown at the mouse
// for the control or form that has it.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/font.h"

namespace kvd::ui {

struct MenuItem {
    std::string caption;  // "-" is a separator
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::function<void()> onClick;
};

class PopupMenu : public Component {
public:
    PopupMenu(Form* owner, std::string name, Control* parent = nullptr);
    const char* ClassName() const override { return "PopupMenu"; }
    std::vector<MenuItem>& Items() { return items_; }
    void Add(MenuItem item) { items_.push_back(std::move(item)); }
    // Shows the menu at screen coordinates and runs the chosen item. Headless
    // nothing is shown (the script clicks items with "menu").
    void Popup(int screenX, int screenY);
    // Runs item `index` as if chosen (false when out of range, hidden or disabled).
    bool ClickItem(int index);

private:
    std::vector<MenuItem> items_;
};

}  // namespace kvd::ui
