#include "ui/automation.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QVariant>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/streams.h"
#include "kvd/error.h"
#include "kvd/ui_process.h"
#include "ui/application.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/input_state.h"
#include "ui/picture.h"
#include "ui/text_util.h"
#include "ui/ui_log.h"

namespace kvd::ui {

namespace {

uiproc::SharedState& Shared() {
    Application::Instance();
    uiproc::SharedState* s = uiproc::State();
    if (!s) throw Error("the automation state of the process cannot be reached");
    return *s;
}

void Install(const std::string& text, const std::string& name) {
    Shared();
    uiproc::InstallScript(QByteArray::fromStdString(text), QByteArray::fromStdString(name));
}

// The script as this library sees it, parsed again when another library (or
// this one) installs a new one.
struct Script {
    std::uint32_t generation = UINT32_MAX;
    std::vector<std::string> lines;
    std::string name;
};

Script& Current() {
    static Script script;
    uiproc::SharedState& s = Shared();
    if (!s.envChecked) {
        s.envChecked = 1;
        const char* path = std::getenv("KVD_UI_SCRIPT");
        if (path && *path) {
            try {
                LoadScriptFile(path);
            } catch (const std::exception& e) {
                automation::Fail(0, std::string("cannot read the automation script: ") + e.what());
            }
        }
    }
    if (script.generation != s.scriptGeneration) {
        QCoreApplication* app = QCoreApplication::instance();
        script.lines = SplitLines(app->property(uiproc::kScriptProperty).toByteArray().toStdString());
        script.name = app->property(uiproc::kScriptNameProperty).toByteArray().toStdString();
        script.generation = s.scriptGeneration;
    }
    return script;
}

struct Action {
    int line = 0;  // 1-based
    std::string verb;
    std::vector<std::string> words;  // words[0] is the verb
    std::string text;                // set/type: the rest after the control name and one blank
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[i + 1];
            if (n == 'n') {
                out += '\n', ++i;
                continue;
            }
            if (n == 't') {
                out += '\t', ++i;
                continue;
            }
            if (n == '\\') {
                out += '\\', ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

Action Parse(const std::string& raw, int lineNumber) {
    Action a;
    a.line = lineNumber;
    a.words = SplitWords(raw);
    a.verb = Lower(a.words.empty() ? std::string() : a.words[0]);
    if (a.verb == "set" || a.verb == "type") {
        std::size_t p = raw.find_first_not_of(" \t");
        p = raw.find_first_of(" \t", p);             // end of the verb
        p = raw.find_first_not_of(" \t", p);         // the control
        std::size_t end = raw.find_first_of(" \t", p);  // end of the control
        if (p != std::string::npos && end != std::string::npos) a.text = Unescape(raw.substr(end + 1));
    }
    return a;
}

// The next action without taking it; comments and blank lines are passed over.
bool Peek(Action& out) {
    Script& script = Current();
    uiproc::SharedState& s = Shared();
    if (s.failed) return false;
    while (s.nextLine < static_cast<int>(script.lines.size())) {
        const std::string& raw = script.lines[static_cast<std::size_t>(s.nextLine)];
        std::string t = Trim(raw);
        if (t.empty() || t[0] == '#') {
            ++s.nextLine;
            continue;
        }
        out = Parse(raw, s.nextLine + 1);
        return true;
    }
    return false;
}

void Take() { ++Shared().nextLine; }

struct Failure {
    std::string message;
};
[[noreturn]] void Bad(const std::string& message) { throw Failure{message}; }

void NeedWords(const Action& a, std::size_t n, const char* form) {
    if (a.words.size() != n) Bad(std::string("malformed '") + a.verb + "', expected: " + form);
}

int ParseInt(const std::string& s, const char* what) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end) Bad(std::string("'") + s + "' is not " + what);
    return static_cast<int>(v);
}

bool ParseOnOff(const std::string& s) {
    std::string l = Lower(s);
    if (l == "on" || l == "1" || l == "yes" || l == "true") return true;
    if (l == "off" || l == "0" || l == "no" || l == "false") return false;
    Bad("'" + s + "' is neither on nor off");
}

Color ParseColor(const std::string& s) {
    static const std::pair<const char*, Color> names[] = {
        {"black", clBlack}, {"maroon", clMaroon}, {"green", clGreen},   {"olive", clOlive},   {"navy", clNavy},
        {"purple", clPurple}, {"teal", clTeal},   {"gray", clGray},     {"silver", clSilver}, {"red", clRed},
        {"lime", clLime},   {"yellow", clYellow}, {"blue", clBlue},     {"fuchsia", clFuchsia}, {"aqua", clAqua},
        {"white", clWhite},
    };
    for (auto& [n, c] : names)
        if (Lower(s) == n) return c;
    char* end = nullptr;
    if (s.size() == 7 && s[0] == '#') {  // #RRGGBB, as colours are written on the web
        unsigned long v = std::strtoul(s.c_str() + 1, &end, 16);
        if (*end == '\0') return RGB(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v));
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {  // 0x00BBGGRR, as the forms hold them
        unsigned long v = std::strtoul(s.c_str() + 2, &end, 16);
        if (*end == '\0' && v <= 0xFFFFFF) return static_cast<Color>(v);
    }
    Bad("'" + s + "' is not a colour (a name, #RRGGBB or 0x00BBGGRR)");
}

int ParseModalResult(const std::string& s) {
    static const std::pair<const char*, int> names[] = {
        {"ok", mrOk},       {"cancel", mrCancel}, {"abort", mrAbort},   {"retry", mrRetry},   {"ignore", mrIgnore},
        {"yes", mrYes},     {"no", mrNo},         {"close", mrClose},   {"all", mrAll},       {"notoall", mrNoToAll},
        {"yestoall", mrYesToAll},
    };
    for (auto& [n, r] : names)
        if (Lower(s) == n) return r;
    return ParseInt(s, "a modal result");
}

int ParseKey(const std::string& s) {
    std::string u = UpperAscii(s);
    if (u.size() >= 2 && u[0] == 'F' && std::isdigit(static_cast<unsigned char>(u[1]))) {
        int n = ParseInt(u.substr(1), "a function key");
        if (n >= 1 && n <= 24) return Qt::Key_F1 + n - 1;
    }
    if (u == "ENTER" || u == "RETURN") return Qt::Key_Return;
    if (u == "ESCAPE" || u == "ESC") return Qt::Key_Escape;
    if (u == "TAB") return Qt::Key_Tab;
    if (u == "SPACE") return Qt::Key_Space;
    if (u.size() == 1 && std::isalnum(static_cast<unsigned char>(u[0]))) return u[0];
    Bad("'" + s + "' is not a key (F1..F24, Enter, Escape, Tab, Space, a letter or digit)");
}

Component& Find(Form& form, const std::string& ref) {
    Form* f = &form;
    std::string name = ref;
    if (auto dot = ref.find('.'); dot != std::string::npos) {
        f = Application::Instance().FindForm(ref.substr(0, dot));
        if (!f) Bad("unknown form '" + ref.substr(0, dot) + "'");
        name = ref.substr(dot + 1);
    }
    Component* c = f->FindComponent(name);
    if (!c) Bad("unknown control '" + name + "' on form " + f->Name());
    return *c;
}

Control& FindUsable(Form& form, const std::string& ref) {
    auto* c = dynamic_cast<Control*>(&Find(form, ref));
    if (!c) Bad("'" + ref + "' is not a control");
    if (!c->Usable()) Bad("control '" + ref + "' is disabled or hidden");
    return *c;
}

void Screenshot(Form& form, const std::string& target, const std::string& path) {
    if (EqualsNoCase(target, "form") || EqualsNoCase(target, form.Name())) {
        form.SaveScreenshot(path);
    } else if (auto* f = Application::Instance().FindForm(target)) {
        f->SaveScreenshot(path);
    } else {
        Component& c = Find(form, target);
        if (auto* img = dynamic_cast<Image*>(&c))
            img->GetPicture().SavePng(path);
        else if (auto* ctl = dynamic_cast<Control*>(&c))
            ctl->SaveScreenshot(path);
        else
            Bad("'" + target + "' cannot be captured");
    }
    LogLine("Automation: screenshot of " + target + " saved to " + path);
}

void PressKey(Form& form, int qtKey) {
    QWidget* w = form.Widget();
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
}

void Execute(const Action& a, Form& form) {
    const std::string& v = a.verb;
    if (v == "set" || v == "type") {
        if (a.words.size() < 2) Bad("malformed '" + v + "', expected: " + v + " <control> <text>");
        Control& c = FindUsable(form, a.words[1]);
        auto apply = [&](const std::string& text) {
            if (auto* e = dynamic_cast<Edit*>(&c))
                e->SetText(text);
            else if (auto* m = dynamic_cast<Memo*>(&c))
                m->SetText(text);
            else if (auto* cb = dynamic_cast<ComboBox*>(&c))
                cb->SetText(text);
            else
                Bad("control '" + a.words[1] + "' takes no text");
        };
        if (v == "set") {
            apply(a.text);
            return;
        }
        std::string current = c.Caption();
        if (auto* m = dynamic_cast<Memo*>(&c)) current = m->Text();
        for (std::size_t i = 0; i < a.text.size();) {  // one change per character, as typing gives
            std::size_t len = 1;
            auto b = static_cast<unsigned char>(a.text[i]);
            if (b >= 0xF0) len = 4;
            else if (b >= 0xE0) len = 3;
            else if (b >= 0xC0) len = 2;
            current += a.text.substr(i, len);
            apply(current);
            i += len;
        }
        return;
    }
    if (v == "check") {
        NeedWords(a, 3, "check <checkbox> on|off");
        auto* cb = dynamic_cast<CheckBox*>(&FindUsable(form, a.words[1]));
        if (!cb) Bad("control '" + a.words[1] + "' is not a check box");
        bool on = ParseOnOff(a.words[2]);
        if (cb->Checked() != on) cb->Click();
        return;
    }
    if (v == "tick") {
        NeedWords(a, 4, "tick <checklistbox> <item> on|off");
        auto* cl = dynamic_cast<CheckListBox*>(&FindUsable(form, a.words[1]));
        if (!cl) Bad("control '" + a.words[1] + "' is not a check-list box");
        int i = ParseInt(a.words[2], "an item number");
        if (i < 0 || i >= cl->ItemCount()) Bad("item " + a.words[2] + " of '" + a.words[1] + "' does not exist");
        cl->Tick(i, ParseOnOff(a.words[3]));
        return;
    }
    if (v == "choose") {
        NeedWords(a, 3, "choose <control> <item>");
        Control& c = FindUsable(form, a.words[1]);
        int i = ParseInt(a.words[2], "an item number");
        auto check = [&](int count) {
            if (i < 0 || i >= count) Bad("item " + a.words[2] + " of '" + a.words[1] + "' does not exist");
        };
        if (auto* rg = dynamic_cast<RadioGroup*>(&c)) {
            check(rg->ItemCount());
            rg->SetItemIndex(i);
        } else if (auto* lb = dynamic_cast<ListBox*>(&c)) {
            check(lb->ItemCount());
            lb->Choose(i);
        } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
            check(cb->ItemCount());
            cb->Choose(i);
        } else if (auto* col = dynamic_cast<ColorBox*>(&c)) {
            check(col->ItemCount());
            col->Choose(col->ItemColor(i));
        } else if (auto* pc = dynamic_cast<PageControl*>(&c)) {
            check(pc->PageCount());
            if (!pc->Page(i)->TabVisible()) Bad("page " + a.words[2] + " of '" + a.words[1] + "' is hidden");
            pc->Choose(pc->Page(i));
        } else {
            Bad("control '" + a.words[1] + "' has no items to choose");
        }
        return;
    }
    if (v == "color" || v == "colour") {
        NeedWords(a, 3, "color <colorbox> <colour>");
        auto* cb = dynamic_cast<ColorBox*>(&FindUsable(form, a.words[1]));
        if (!cb) Bad("control '" + a.words[1] + "' is not a colour box");
        cb->Choose(ParseColor(a.words[2]));
        return;
    }
    if (v == "tab") {
        if (a.words.size() < 2) Bad("malformed 'tab', expected: tab <tabsheet> or tab <pagecontrol> <page>");
        TabSheet* sheet = nullptr;
        if (a.words.size() == 2) {
            sheet = dynamic_cast<TabSheet*>(&Find(form, a.words[1]));
            if (!sheet) Bad("'" + a.words[1] + "' is not a tab sheet");
        } else {
            auto* pc = dynamic_cast<PageControl*>(&FindUsable(form, a.words[1]));
            if (!pc) Bad("'" + a.words[1] + "' is not a page control");
            // The page: a tab sheet's name, its number, or its caption (the rest of the line).
            std::string p = a.words[2];
            for (std::size_t i = 3; i < a.words.size(); ++i) p += " " + a.words[i];
            if (a.words.size() == 3) sheet = dynamic_cast<TabSheet*>(form.FindComponent(p));
            if (!sheet && a.words.size() == 3 && std::isdigit(static_cast<unsigned char>(p[0])))
                sheet = pc->Page(ParseInt(p, "a page number"));
            for (int i = 0; !sheet && i < pc->PageCount(); ++i)
                if (QString::fromStdString(pc->Page(i)->Caption()).compare(QString::fromStdString(p), Qt::CaseInsensitive) == 0)
                    sheet = pc->Page(i);
            if (!sheet || &sheet->Pages() != pc) Bad("'" + p + "' is not a page of '" + a.words[1] + "'");
        }
        if (!sheet->TabVisible()) Bad("the tab of '" + sheet->Name() + "' is hidden");
        if (!sheet->Pages().Usable()) Bad("page control '" + sheet->Pages().Name() + "' is disabled or hidden");
        sheet->Pages().Choose(sheet);
        return;
    }
    if (v == "click") {
        NeedWords(a, 2, "click <control>");
        FindUsable(form, a.words[1]).Click();
        return;
    }
    if (v == "menu") {
        NeedWords(a, 3, "menu <popupmenu> <item>");
        auto* m = dynamic_cast<PopupMenu*>(&Find(form, a.words[1]));
        if (!m) Bad("'" + a.words[1] + "' is not a pop-up menu");
        if (!m->ClickItem(ParseInt(a.words[2], "an item number")))
            Bad("item " + a.words[2] + " of '" + a.words[1] + "' does not exist or is disabled");
        return;
    }
    if (v == "key") {
        NeedWords(a, 2, "key <key>");
        PressKey(form, ParseKey(a.words[1]));
        return;
    }
    if (v == "close") {
        NeedWords(a, 2, "close <modal result>");
        form.SetModalResult(ParseModalResult(a.words[1]));
        return;
    }
    if (v == "advance") {
        NeedWords(a, 2, "advance <milliseconds>");
        int ms = ParseInt(a.words[1], "a number of milliseconds");
        if (ms < 0) Bad("time cannot go back");
        LetTimePass(ms);
        return;
    }
    if (v == "screenshot") {
        NeedWords(a, 3, "screenshot <form|control> <file.png>");
        Screenshot(form, a.words[1], a.words[2]);
        return;
    }
    if (v == "shift") {
        NeedWords(a, 2, "shift on|off");
        SetShiftOverride(ParseOnOff(a.words[1]));
        return;
    }
    if (v == "rightclick") {
        NeedWords(a, 1, "rightclick");
        SimulateRightButtonPress();
        return;
    }
    if (v == "log") {
        std::string raw;
        for (std::size_t i = 1; i < a.words.size(); ++i) raw += (i > 1 ? " " : "") + a.words[i];
        LogLine("Automation: " + raw);
        return;
    }
    if (v == "answer") Bad("'answer' but no message dialog is open");
    if (v == "file") Bad("'file' but no file chooser is open");
    Bad("unknown action '" + a.words[0] + "'");
}

}  // namespace

void SetScriptText(const std::string& text, const std::string& name) { Install(text, name); }

void SetScript(const std::vector<std::string>& lines, const std::string& name) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    Install(text, name);
}

void LoadScriptFile(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    std::string text(bytes.begin(), bytes.end());
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    Install(text, path);
}

void ClearScript() { Install("", ""); }

int ScriptLinesLeft() {
    Script& s = Current();
    return std::max(0, static_cast<int>(s.lines.size()) - Shared().nextLine);
}

bool ScriptFailed() { return Shared().failed != 0; }

std::string ScriptError() { return Shared().error; }

namespace automation {

void Fail(int lineNumber, const std::string& message) {
    uiproc::SharedState& s = Shared();
    std::string name = QCoreApplication::instance()->property(uiproc::kScriptNameProperty).toByteArray().toStdString();
    if (name.empty()) name = std::getenv("KVD_UI_SCRIPT") ? std::getenv("KVD_UI_SCRIPT") : "script";
    std::string text = lineNumber > 0 ? name + " line " + std::to_string(lineNumber) + ": " + message : name + ": " + message;
    s.failed = 1;
    std::snprintf(s.error, sizeof s.error, "%s", text.c_str());
    LogLine("Automation error: " + text);
    std::fprintf(stderr, "kvd automation error: %s\n", text.c_str());
}

bool PlayModal(Form& form) {
    bool ran = false;
    Action a;
    while (form.IsModal() && form.GetModalResult() == mrNone && Peek(a)) {
        Take();
        ran = true;
        try {
            Execute(a, form);
        } catch (const Failure& f) {
            Fail(a.line, f.message);
            break;
        } catch (const std::exception& e) {
            Fail(a.line, e.what());
            break;
        }
        if (ScriptFailed()) break;
        Application::Instance().ProcessMessages();
    }
    return ran;
}

std::optional<std::string> TakeMessageAnswer(const std::vector<std::string>& buttons, const std::string& text) {
    Action a;
    if (!Peek(a) || a.verb != "answer") return std::nullopt;
    Take();
    if (a.words.size() != 2) {
        Fail(a.line, "malformed 'answer', expected: answer <button>");
        return std::nullopt;
    }
    std::string want = Lower(a.words[1]);
    for (const auto& b : buttons)
        if (b == want) return want;
    std::string offered;
    for (const auto& b : buttons) offered += (offered.empty() ? "" : ", ") + b;
    Fail(a.line, "the message \"" + text + "\" has no button '" + a.words[1] + "' (it has " + offered + ")");
    return std::nullopt;
}

std::optional<FileAnswer> TakeFileAnswer(bool save) {
    Action a;
    if (!Peek(a) || a.verb != "file") return std::nullopt;
    Take();
    if (a.words.size() < 2) {
        Fail(a.line, "malformed 'file', expected: file <path> or file cancel");
        return std::nullopt;
    }
    FileAnswer answer;
    if (a.words.size() == 2 && Lower(a.words[1]) == "cancel") {
        answer.cancel = true;
        return answer;
    }
    // The path is the rest of the line, so that it may hold blanks.
    std::string raw = Current().lines[static_cast<std::size_t>(a.line - 1)];
    std::size_t p = raw.find_first_not_of(" \t");
    p = raw.find_first_of(" \t", p);
    answer.path = Trim(raw.substr(p));
    if (!save && !std::filesystem::exists(answer.path)) {
        Fail(a.line, "the file to open does not exist: " + answer.path);
        return std::nullopt;
    }
    return answer;
}

}  // namespace automation
}  // namespace kvd::ui
