#include "ui/popup_menu.h"

#include <QAction>
#include <QMenu>

#include "ui/application.h"
#include "ui/ui_log.h"

namespace kvd::ui {

PopupMenu::PopupMenu(Form* owner, std::string name, Control*) : Component(owner, std::move(name)) {}

void PopupMenu::Popup(int screenX, int screenY) {
    Application& app = Application::Instance();
    if (app.Headless()) {
        LogLine("PopupMenu " + Name() + ": not shown (headless)");
        return;
    }
    QMenu menu;
    menu.setFont(ToQFont(app.MenuFont(), menu.font()));
    std::vector<std::pair<QAction*, int>> actions;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const MenuItem& it = items_[static_cast<std::size_t>(i)];
        if (!it.visible) continue;
        if (it.caption == "-") {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(QString::fromStdString(it.caption));
        a->setEnabled(it.enabled);
        a->setCheckable(it.checked);
        a->setChecked(it.checked);
        actions.emplace_back(a, i);
    }
    QAction* chosen = menu.exec(QPoint(screenX, screenY));
    for (auto& [a, i] : actions)
        if (a == chosen) ClickItem(i);
}

bool PopupMenu::ClickItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    const MenuItem& it = items_[static_cast<std::size_t>(index)];
    if (!it.visible || !it.enabled || it.caption == "-") return false;
    auto fn = it.onClick;  // the handler may change the menu
    if (fn) fn();
    return true;
}

}  // namespace kvd::ui
