#include "ui/text_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "ui/text_util.h"

namespace kvd::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

Label::Label(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QLabel()), label_(static_cast<QLabel*>(Widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);
    SetClickFromMouse(true);
}

std::string Label::Caption() const { return label_->text().toStdString(); }
void Label::SetCaption(const std::string& text) { label_->setText(Q(text)); }
void Label::SetWordWrap(bool on) { label_->setWordWrap(on); }

Edit::Edit(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QLineEdit()), edit_(static_cast<QLineEdit*>(Widget())) {
    QObject::connect(edit_, &QLineEdit::textChanged, [this](const QString&) {
        if (OnChange) OnChange();
    });
}

std::string Edit::Text() const { return edit_->text().toStdString(); }
void Edit::SetText(const std::string& text) { edit_->setText(Q(text)); }

void Edit::SetMaxLength(int n) {
    maxLength_ = n < 0 ? 0 : n;
    edit_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void Edit::SetReadOnly(bool on) { edit_->setReadOnly(on); }
void Edit::SelectAll() { edit_->selectAll(); }

Memo::Memo(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QPlainTextEdit()), memo_(static_cast<QPlainTextEdit*>(Widget())) {
    memo_->setTabChangesFocus(true);
    QObject::connect(memo_, &QPlainTextEdit::textChanged, [this] {
        if (cutting_) return;
        if (maxLength_ > 0 && memo_->toPlainText().size() > maxLength_) {
            cutting_ = true;
            memo_->setPlainText(memo_->toPlainText().left(maxLength_));
            memo_->moveCursor(QTextCursor::End);
            cutting_ = false;
        }
        if (OnChange) OnChange();
    });
}

std::string Memo::Text() const { return memo_->toPlainText().toStdString(); }
void Memo::SetText(const std::string& text) { memo_->setPlainText(Q(text)); }

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    for (QTextBlock b = memo_->document()->begin(); b.isValid(); b = b.next()) lines.push_back(b.text().toStdString());
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
    return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += lines[i];
    }
    SetText(text);
}

void Memo::SetMaxLength(int n) { maxLength_ = n < 0 ? 0 : n; }
void Memo::SetReadOnly(bool on) { memo_->setReadOnly(on); }
void Memo::SetWordWrap(bool on) { memo_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }

}  // namespace kvd::ui
