// Qt widgets whose virtual event handlers call functions set by the layer:
// the layer's controls get painting, resizing, closing and keys without
// declaring Qt signals or slots of their own.
#pragma once
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <functional>

namespace kvd::ui {

template <typename Base>
class Hooked : public Base {
public:
    using Base::Base;

    std::function<void(QPainter&, QPaintEvent*)> onPaint;  // runs after the base painting
    std::function<void()> onResize;
    std::function<void(QCloseEvent*)> onClose;
    std::function<bool(QKeyEvent*)> onKeyPress;  // true: handled
    std::function<bool(QKeyEvent*)> onKeyRelease;
    bool paintBase = true;

protected:
    void paintEvent(QPaintEvent* e) override {
        if (paintBase) Base::paintEvent(e);
        if (onPaint) {
            QPainter p(this);
            onPaint(p, e);
        }
    }
    void resizeEvent(QResizeEvent* e) override {
        Base::resizeEvent(e);
        if (onResize) onResize();
    }
    void closeEvent(QCloseEvent* e) override {
        if (onClose)
            onClose(e);
        else
            Base::closeEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (onKeyPress && onKeyPress(e)) return;
        Base::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        if (onKeyRelease && onKeyRelease(e)) return;
        Base::keyReleaseEvent(e);
    }
};

}  // namespace kvd::ui
