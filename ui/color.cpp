#include "ui/color.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace kvd::ui {

QColor ToQColor(Color c) {
    if (IsSystemColor(c)) {
        QPalette p = QApplication::palette();
        switch (c) {
        case clWindow: return p.color(QPalette::Base);
        case clWindowText: return p.color(QPalette::WindowText);
        case clBtnText: return p.color(QPalette::ButtonText);
        case clDefault:
        case clBtnFace:
        default: return p.color(QPalette::Button);
        }
    }
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

Color FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace kvd::ui
