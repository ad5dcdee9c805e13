#include "ui/choice_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <algorithm>
#include <array>

#include "ui/hooked_widget.h"

namespace kvd::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

// ---- CheckBox

CheckBox::CheckBox(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QCheckBox()), box_(static_cast<QCheckBox*>(Widget())) {
    QObject::connect(box_, &QCheckBox::toggled, [this](bool) {
        if (OnClick) OnClick();
    });
}

std::string CheckBox::Caption() const { return box_->text().toStdString(); }
void CheckBox::SetCaption(const std::string& text) { box_->setText(Q(text)); }
bool CheckBox::Checked() const { return box_->isChecked(); }
void CheckBox::SetChecked(bool on) { box_->setChecked(on); }
void CheckBox::Click() { box_->setChecked(!box_->isChecked()); }

// ---- RadioGroup

RadioGroup::RadioGroup(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new Hooked<QGroupBox>()), box_(static_cast<QGroupBox*>(Widget())) {
    static_cast<Hooked<QGroupBox>*>(box_)->onResize = [this] { Arrange(); };
}

RadioGroup::~RadioGroup() {
    for (QRadioButton* b : buttons_) QObject::disconnect(b, nullptr, nullptr, nullptr);
}

std::string RadioGroup::Caption() const { return box_->title().toStdString(); }
void RadioGroup::SetCaption(const std::string& text) { box_->setTitle(Q(text)); }

void RadioGroup::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = static_cast<int>(items_.size()) - 1;
    Rebuild();
}

void RadioGroup::SetItem(int index, const std::string& text) {
    if (index < 0 || index >= ItemCount()) return;
    items_[static_cast<std::size_t>(index)] = text;
    buttons_[static_cast<std::size_t>(index)]->setText(Q(text));
}

void RadioGroup::SetItemIndex(int index) {
    index = std::clamp(index, -1, ItemCount() - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    updating_ = true;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == itemIndex_);
    updating_ = false;
    if (OnClick) OnClick();
}

void RadioGroup::SetColumns(int n) {
    columns_ = std::clamp(n, 1, 16);
    Arrange();
}

void RadioGroup::Rebuild() {
    for (QRadioButton* b : buttons_) delete b;
    buttons_.clear();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(Q(items_[i]), box_);
        b->setAutoExclusive(false);  // the group keeps one (or no) item checked itself
        b->setChecked(static_cast<int>(i) == itemIndex_);
        QObject::connect(b, &QRadioButton::clicked, [this, i](bool) {
            if (updating_) return;
            SetItemIndex(static_cast<int>(i));
            updating_ = true;
            buttons_[i]->setChecked(true);  // a second click leaves the item chosen
            updating_ = false;
        });
        b->show();
        buttons_.push_back(b);
    }
    Arrange();
}

// Items fill the columns one after the other, as the forms were laid out.
void RadioGroup::Arrange() {
    if (buttons_.empty()) return;
    const int n = static_cast<int>(buttons_.size());
    const int perColumn = (n + columns_ - 1) / columns_;
    QFontMetrics fm(box_->font());
    const int top = fm.height() + 2;
    const int usable = std::max(1, Height() - top - 4);
    const int rowHeight = std::max(1, usable / perColumn);
    const int columnWidth = std::max(1, (Width() - 10) / columns_);
    for (int i = 0; i < n; ++i) {
        int col = i / perColumn, row = i % perColumn;
        int h = std::min(rowHeight, fm.height() + 6);
        buttons_[static_cast<std::size_t>(i)]->setGeometry(8 + col * columnWidth, top + row * rowHeight + (rowHeight - h) / 2,
                                                           columnWidth - 4, h);
    }
}

// ---- ListBox

ListBox::ListBox(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QListWidget()), list_(static_cast<QListWidget*>(Widget())) {
    QObject::connect(list_, &QListWidget::currentRowChanged, [this](int) {
        if (!updating_ && OnClick) OnClick();
    });
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> out;
    for (int i = 0; i < list_->count(); ++i) out.push_back(list_->item(i)->text().toStdString());
    return out;
}

void ListBox::SetItems(const std::vector<std::string>& items) {
    updating_ = true;
    list_->clear();
    for (const auto& s : items) list_->addItem(Q(s));
    updating_ = false;
}

int ListBox::ItemCount() const { return list_->count(); }

void ListBox::SetItem(int index, const std::string& text) {
    if (index >= 0 && index < list_->count()) {
        updating_ = true;
        list_->item(index)->setText(Q(text));
        updating_ = false;
    }
}

void ListBox::AddItem(const std::string& text) {
    updating_ = true;
    list_->addItem(Q(text));
    updating_ = false;
}

void ListBox::Clear() {
    updating_ = true;
    list_->clear();
    updating_ = false;
}

int ListBox::ItemIndex() const { return list_->currentRow(); }

void ListBox::SetItemIndex(int index) {
    updating_ = true;
    list_->setCurrentRow(index >= 0 && index < list_->count() ? index : -1);
    updating_ = false;
}

void ListBox::Choose(int index) {
    SetItemIndex(index);
    if (OnClick) OnClick();
}

// ---- CheckListBox

CheckListBox::CheckListBox(Form* owner, std::string name, Control* parent) : ListBox(owner, std::move(name), parent) {
    QObject::connect(list_, &QListWidget::itemChanged, [this](QListWidgetItem*) {
        if (!updating_ && OnClickCheck) OnClickCheck();
    });
}

void CheckListBox::MakeCheckable() {
    updating_ = true;
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* it = list_->item(i);
        if (!(it->flags() & Qt::ItemIsUserCheckable)) {
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            it->setCheckState(Qt::Unchecked);
        }
    }
    updating_ = false;
}

void CheckListBox::SetItems(const std::vector<std::string>& items) {
    ListBox::SetItems(items);
    MakeCheckable();
}

void CheckListBox::AddItem(const std::string& text) {
    ListBox::AddItem(text);
    MakeCheckable();
}

bool CheckListBox::Checked(int index) const {
    return index >= 0 && index < list_->count() && list_->item(index)->checkState() == Qt::Checked;
}

void CheckListBox::SetChecked(int index, bool on) {
    if (index < 0 || index >= list_->count()) return;
    updating_ = true;
    list_->item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    updating_ = false;
}

void CheckListBox::Tick(int index, bool on) {
    SetChecked(index, on);
    SetItemIndex(index);
    if (OnClickCheck) OnClickCheck();
}

// ---- ComboBox

ComboBox::ComboBox(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QComboBox()), combo_(static_cast<QComboBox*>(Widget())) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(combo_, &QComboBox::activated, [this](int) {
        if (updating_) return;
        if (OnSelect) OnSelect();
        if (OnChange) OnChange();
    });
    QObject::connect(combo_, &QComboBox::editTextChanged, [this](const QString&) {
        if (!updating_ && OnChange) OnChange();
    });
}

std::vector<std::string> ComboBox::Items() const {
    std::vector<std::string> out;
    for (int i = 0; i < combo_->count(); ++i) out.push_back(combo_->itemText(i).toStdString());
    return out;
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
    updating_ = true;
    QString text = combo_->currentText();
    combo_->clear();
    for (const auto& s : items) combo_->addItem(Q(s));
    combo_->setCurrentIndex(-1);
    if (combo_->isEditable()) combo_->setEditText(text);
    updating_ = false;
}

int ComboBox::ItemCount() const { return combo_->count(); }

void ComboBox::SetItem(int index, const std::string& text) {
    if (index < 0 || index >= combo_->count()) return;
    updating_ = true;
    combo_->setItemText(index, Q(text));
    updating_ = false;
}

int ComboBox::ItemIndex() const { return combo_->currentIndex(); }

void ComboBox::SetItemIndex(int index) {
    updating_ = true;
    combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
    updating_ = false;
}

std::string ComboBox::Text() const { return combo_->currentText().toStdString(); }

void ComboBox::SetText(const std::string& text) {
    if (combo_->isEditable()) {
        combo_->setEditText(Q(text));  // fires OnChange, as typing does
    } else {
        SetItemIndex(combo_->findText(Q(text)));
    }
}

void ComboBox::SetEditable(bool on) {
    updating_ = true;
    combo_->setEditable(on);
    updating_ = false;
}

void ComboBox::Choose(int index) {
    SetItemIndex(index);
    if (OnSelect) OnSelect();
    if (OnChange) OnChange();
}

// ---- ColorBox

namespace {
struct NamedColor {
    const char* name;
    Color color;
};
constexpr std::array<NamedColor, 16> kStandard = {{
    {"Black", clBlack},
    {"Maroon", clMaroon},
    {"Green", clGreen},
    {"Olive", clOlive},
    {"Navy", clNavy},
    {"Purple", clPurple},
    {"Teal", clTeal},
    {"Gray", clGray},
    {"Silver", clSilver},
    {"Red", clRed},
    {"Lime", clLime},
    {"Yellow", clYellow},
    {"Blue", clBlue},
    {"Fuchsia", clFuchsia},
    {"Aqua", clAqua},
    {"White", clWhite},
}};

QIcon Swatch(Color c) {
    QPixmap pm(14, 14);
    pm.fill(ToQColor(c));
    return QIcon(pm);
}
}  // namespace

ColorBox::ColorBox(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QComboBox()), combo_(static_cast<QComboBox*>(Widget())) {
    for (const auto& nc : kStandard) combo_->addItem(Swatch(nc.color), nc.name, QVariant(static_cast<uint>(nc.color)));
    combo_->setCurrentIndex(0);
    QObject::connect(combo_, &QComboBox::activated, [this](int) {
        if (updating_) return;
        if (OnSelect) OnSelect();
        if (OnChange) OnChange();
    });
}

int ColorBox::IndexOf(Color c) const {
    for (int i = 0; i < combo_->count(); ++i)
        if (combo_->itemData(i).toUInt() == (c & 0xFFFFFF)) return i;
    return -1;
}

Color ColorBox::Selected() const {
    int i = combo_->currentIndex();
    return i < 0 ? clBlack : static_cast<Color>(combo_->itemData(i).toUInt());
}

void ColorBox::SetSelected(Color c) {
    c &= 0xFFFFFF;
    updating_ = true;
    int i = IndexOf(c);
    if (i < 0) {
        // One custom entry at the top holds a colour outside the standard ones.
        if (combo_->count() > static_cast<int>(kStandard.size())) combo_->removeItem(0);
        combo_->insertItem(0, Swatch(c), "Custom", QVariant(static_cast<uint>(c)));
        i = 0;
    }
    combo_->setCurrentIndex(i);
    updating_ = false;
}

int ColorBox::ItemCount() const { return combo_->count(); }
std::string ColorBox::ItemName(int index) const { return combo_->itemText(index).toStdString(); }
Color ColorBox::ItemColor(int index) const { return static_cast<Color>(combo_->itemData(index).toUInt()); }

void ColorBox::Choose(Color c) {
    SetSelected(c);
    if (OnSelect) OnSelect();
    if (OnChange) OnChange();
}

}  // namespace kvd::ui
