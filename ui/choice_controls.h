// Controls that offer choices: check box, radio group, list box, check-list
// box, combo box and colour box.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QListWidget;
class QComboBox;

namespace kvd::ui {

// OnClick fires whenever Checked changes, also when the code sets it.
class CheckBox : public Control {
public:
    CheckBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "CheckBox"; }
    std::string Caption() const override;
    void SetCaption(const std::string& text) override;
    bool Checked() const;
    void SetChecked(bool on);
    void Click() override;  // toggles, as a person's click does

private:
    QCheckBox* box_;
};

// Items laid out in Columns (filled column by column). OnClick fires whenever
// ItemIndex changes, also when the code sets it.
class RadioGroup : public Control {
public:
    RadioGroup(Form* owner, std::string name, Control* parent);
    ~RadioGroup() override;
    const char* ClassName() const override { return "RadioGroup"; }
    std::string Caption() const override;
    void SetCaption(const std::string& text) override;
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);  // keeps ItemIndex when still in range
    int ItemCount() const { return static_cast<int>(items_.size()); }
    void SetItem(int index, const std::string& text);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);  // -1: none
    int Columns() const { return columns_; }
    void SetColumns(int n);

private:
    void Rebuild();
    void Arrange();
    QGroupBox* box_;
    std::vector<QRadioButton*> buttons_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

// OnClick fires when a person (or the script) selects an item.
class ListBox : public Control {
public:
    ListBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "ListBox"; }
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    int ItemCount() const;
    void SetItem(int index, const std::string& text);
    void AddItem(const std::string& text);
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);
    // A person's selection: ItemIndex and OnClick.
    void Choose(int index);

protected:
    QListWidget* list_;
    bool updating_ = false;
};

// A list box whose items carry ticks. OnClickCheck fires when a person (or the
// script) ticks or unticks an item, not when the code sets a tick.
class CheckListBox : public ListBox {
public:
    CheckListBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "CheckListBox"; }
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& text);
    bool Checked(int index) const;
    void SetChecked(int index, bool on);
    // A person's tick: the tick, ItemIndex, then OnClickCheck.
    void Tick(int index, bool on);

    std::function<void()> OnClickCheck;

private:
    void MakeCheckable();
};

// A drop-down list; editable or not. OnSelect and OnChange fire when a person
// (or the script) chooses an item; OnChange also when a person types.
class ComboBox : public Control {
public:
    ComboBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "ComboBox"; }
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    int ItemCount() const;
    void SetItem(int index, const std::string& text);
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Text() const;
    void SetText(const std::string& text);
    void SetEditable(bool on);
    void Choose(int index);

    std::function<void()> OnChange;
    std::function<void()> OnSelect;

protected:
    QComboBox* combo_;
    bool updating_ = false;
};

// The sixteen standard colours, and a custom entry for any other colour that
// the code selects. Selected colours are 0x00BBGGRR.
class ColorBox : public Control {
public:
    ColorBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "ColorBox"; }
    Color Selected() const;
    void SetSelected(Color c);  // no event
    int ItemCount() const;
    std::string ItemName(int index) const;
    Color ItemColor(int index) const;
    // A person's choice: the colour, then OnSelect and OnChange.
    void Choose(Color c);

    std::function<void()> OnSelect;
    std::function<void()> OnChange;

private:
    int IndexOf(Color c) const;
    QComboBox* combo_;
    bool updating_ = false;
};

}  // namespace kvd::ui
