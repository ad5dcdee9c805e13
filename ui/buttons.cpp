#include "ui/buttons.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>

namespace kvd::ui {

Button::Button(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QPushButton()), button_(static_cast<QPushButton*>(Widget())) {
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this](bool) { Click(); });
}

std::string Button::Caption() const { return button_->text().toStdString(); }
void Button::SetCaption(const std::string& text) { button_->setText(QString::fromStdString(text)); }

void Button::SetDefault(bool on) {
    default_ = on;
    button_->setDefault(on);
}

// The form's modal result comes first, so that OnClick can take it back.
void Button::Click() {
    if (modalResult_ != mrNone && Owner()) Owner()->SetModalResult(modalResult_);
    Control::Click();
}

BitButton::BitButton(Form* owner, std::string name, Control* parent) : Button(owner, std::move(name), parent) {}

void BitButton::SetKind(BitKind k) {
    kind_ = k;
    struct KindInfo {
        const char* caption;
        int result;
        QStyle::StandardPixmap glyph;
        bool hasGlyph, isDefault, isCancel;
    };
    KindInfo info{"", mrNone, QStyle::SP_CustomBase, false, false, false};
    switch (k) {
    case BitKind::Custom: break;
    case BitKind::Ok: info = {"OK", mrOk, QStyle::SP_DialogOkButton, true, true, false}; break;
    case BitKind::Cancel: info = {"Cancel", mrCancel, QStyle::SP_DialogCancelButton, true, false, true}; break;
    case BitKind::Yes: info = {"Yes", mrYes, QStyle::SP_DialogYesButton, true, true, false}; break;
    case BitKind::No: info = {"No", mrNo, QStyle::SP_DialogNoButton, true, false, true}; break;
    case BitKind::Close: info = {"Close", mrClose, QStyle::SP_DialogCloseButton, true, false, false}; break;
    case BitKind::Abort: info = {"Abort", mrAbort, QStyle::SP_MessageBoxCritical, true, false, false}; break;
    case BitKind::Retry: info = {"Retry", mrRetry, QStyle::SP_BrowserReload, true, false, false}; break;
    case BitKind::Ignore: info = {"Ignore", mrIgnore, QStyle::SP_MessageBoxWarning, true, false, false}; break;
    case BitKind::All: info = {"All", mrAll, QStyle::SP_DialogApplyButton, true, false, false}; break;
    case BitKind::Help: info = {"Help", mrNone, QStyle::SP_DialogHelpButton, true, false, false}; break;
    }
    if (k == BitKind::Custom) return;
    button_->setIcon(info.hasGlyph ? QApplication::style()->standardIcon(info.glyph) : QIcon());
    SetModalResult(info.result);
    SetDefault(info.isDefault);
    SetCancel(info.isCancel);
    if (Caption().empty()) SetCaption(info.caption);
}

void BitButton::SetColor(Color c) { Control::SetColor(c); }

}  // namespace kvd::ui
