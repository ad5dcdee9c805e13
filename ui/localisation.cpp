#include "ui/localisation.h"

#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/text_util.h"

namespace kvd::ui {

namespace {

struct SectionAlias {
    const char* form;
    const char* section;
};
constexpr SectionAlias kAliases[] = {
    {"SubParametri", "SUBPAR"},       {"LavCopiaD", "LAVSUPERFICIE"}, {"MagazzinoD", "MAGAZZINO"},
    {"BarraD", "BARRA"},              {"InsertStringa", "STRINGA"},   {"DatiVettore", "EDITVETTORE"},
    {"NomeDelFont", "NOMEFONT"},      {"EditaCopia", "EDITAPUNTICOPIA"}, {"SceltaButtons", "SCELTAPULSANTI"},
    {"IngTMacro", "TANGENTMACRO"},    {"KovaConvertUnits", "UNITSCONVERTER"},
};

// What a text line gives to a control, decided by its class in this order.
struct Treatment {
    bool font = false;
    bool caption = false;
    bool items = false;
};

Treatment TreatmentOf(Component* c) {
    if (dynamic_cast<Label*>(c)) return {true, true, false};
    if (dynamic_cast<BitButton*>(c)) return {true, true, false};
    if (dynamic_cast<CheckBox*>(c)) return {true, true, false};
    if (dynamic_cast<TabSheet*>(c)) return {true, true, false};
    if (dynamic_cast<RadioGroup*>(c)) return {true, true, true};
    if (dynamic_cast<ListBox*>(c)) return {false, false, true};  // check-list boxes too
    if (dynamic_cast<GroupBox*>(c)) return {true, true, false};
    if (dynamic_cast<ComboBox*>(c)) return {true, false, true};
    if (dynamic_cast<Panel*>(c)) return {true, true, false};
    if (dynamic_cast<PageControl*>(c)) return {};
    if (dynamic_cast<Button*>(c)) return {true, true, false};
    return {};
}

int ItemCountOf(Component* c) {
    if (auto* r = dynamic_cast<RadioGroup*>(c)) return r->ItemCount();
    if (auto* l = dynamic_cast<ListBox*>(c)) return l->ItemCount();
    if (auto* b = dynamic_cast<ComboBox*>(c)) return b->ItemCount();
    return 0;
}

void SetItemOf(Component* c, int k, const std::string& text) {
    if (auto* r = dynamic_cast<RadioGroup*>(c))
        r->SetItem(k, text);
    else if (auto* l = dynamic_cast<ListBox*>(c))
        l->SetItem(k, text);
    else if (auto* b = dynamic_cast<ComboBox*>(c))
        b->SetItem(k, text);
}

}  // namespace

std::string SectionName(const std::string& formName) {
    for (const auto& a : kAliases)
        if (formName == a.form) return a.section;
    return UpperAscii(formName);
}

void LocaliseForm(Form& form, const std::string& formName, const std::string& languagePath,
                  const LanguageSettings& settings) {
    LoadLanguageFile(languagePath, settings);
    const LanguageText& lang = CurrentLanguage();
    // Only the file asked for: an Italian or missing file leaves the built-in
    // texts even when another language was loaded before.
    if (lang.path.empty() || lang.path != languagePath) return;
    const std::vector<std::string>& lines = lang.lines;
    const std::string section = SectionName(formName);

    std::size_t h = 0;
    while (h < lines.size() && lines[h] != section) ++h;
    if (h >= lines.size()) return;
    std::size_t end = h + 1;  // the empty line that closes the section, or the end of the text
    while (end < lines.size() && !lines[end].empty()) ++end;
    if (h + 1 >= end) return;  // an empty section changes nothing

    const std::optional<Font>& font = lang.font;
    if (font) form.GetCanvas().font.name = font->name;
    form.SetCaption(lines[h + 1]);

    for (std::size_t i = h + 2; i < end; ++i) {
        const std::string& line = lines[i];
        std::size_t close = line.find(']');
        if (line.find('[') == std::string::npos || close == std::string::npos || close < 2) continue;
        std::size_t hintAt = line.find("HINT]");
        bool isHint = hintAt != std::string::npos;
        std::string name = isHint ? line.substr(1, hintAt >= 1 ? hintAt - 1 : 0) : line.substr(1, close - 1);
        Component* c = form.FindComponent(name);
        if (!c) continue;
        auto* ctl = dynamic_cast<Control*>(c);
        if (isHint) {
            if (ctl) ctl->SetHint(line.substr(hintAt + 5));
            continue;
        }
        Treatment t = TreatmentOf(c);
        std::size_t textAt = c->Name().size() + 2;
        std::string text = textAt <= line.size() ? line.substr(textAt) : std::string();
        if (t.font && font && ctl) ctl->SetFontName(font->name, font->charset);
        if (t.caption && ctl) ctl->SetCaption(text);
        if (t.items) {
            int count = ItemCountOf(c);
            int k = 0;
            while (i + 1 < end && lines[i + 1].find('[') == std::string::npos && lines[i + 1] != ".") {
                ++i;
                if (k < count) SetItemOf(c, k, lines[i]);
                ++k;
            }
        }
    }
}

std::string TranslateMessageText(int, const std::string& builtIn) { return builtIn; }

std::string TranslateMessageTextFrom(const std::vector<std::string>& list, int number, const std::string& builtIn) {
    long index = static_cast<long>(number) - 2;
    if (index < 0 || index >= static_cast<long>(list.size()) ||
        list[static_cast<std::size_t>(index)].find("NOT REFERENCED") != std::string::npos)
        return builtIn + " [dzn TO UPDATE]";
    return list[static_cast<std::size_t>(index)];
}

}  // namespace kvd::ui
