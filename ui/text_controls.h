// Controls that show or take text: label, one-line edit, memo.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kvd::ui {

class Label : public Control {
public:
    Label(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "Label"; }
    std::string Caption() const override;
    void SetCaption(const std::string& text) override;
    void SetWordWrap(bool on);

private:
    QLabel* label_;
};

// One line of text. OnChange fires on every change of the text, also when
// the code sets it.
class Edit : public Control {
public:
    Edit(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "Edit"; }
    std::string Text() const;
    void SetText(const std::string& text);
    std::string Caption() const override { return Text(); }
    void SetCaption(const std::string& text) override { SetText(text); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);  // 0 = no limit; a longer text is cut (in characters)
    void SetReadOnly(bool on);
    void SelectAll();

    std::function<void()> OnChange;

private:
    QLineEdit* edit_;
    int maxLength_ = 0;
};

class Memo : public Control {
public:
    Memo(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "Memo"; }
    std::string Text() const;  // lines joined by "\n"
    void SetText(const std::string& text);
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    void SetReadOnly(bool on);
    void SetWordWrap(bool on);

    std::function<void()> OnChange;

private:
    QPlainTextEdit* memo_;
    int maxLength_ = 0;
    bool cutting_ = false;
};

}  // namespace kvd::ui
