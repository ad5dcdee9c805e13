// Push buttons and bit buttons (a push button with a glyph, a kind and a
// settable face colour). A button with a modal result ends the modal run of
// its form when clicked.
#pragma once
#include <string>

#include "ui/component.h"
#include "ui/form.h"

class QPushButton;

namespace kvd::ui {

class Button : public Control {
public:
    Button(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "Button"; }
    std::string Caption() const override;
    void SetCaption(const std::string& text) override;
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    // Enter clicks the default button of the form, Esc its cancel button.
    bool IsDefault() const { return default_; }
    void SetDefault(bool on);
    bool IsCancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    void Click() override;

protected:
    QPushButton* button_;

private:
    int modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};

class BitButton : public Button {
public:
    BitButton(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "BitButton"; }
    BitKind Kind() const { return kind_; }
    // Sets the glyph, the modal result, the default/cancel role and, when the
    // caption is empty, the kind's caption.
    void SetKind(BitKind k);
    // The face colour; clBtnFace restores the normal face.
    void SetColor(Color c) override;

private:
    BitKind kind_ = BitKind::Custom;
};

}  // namespace kvd::ui
