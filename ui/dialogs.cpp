#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "ui/application.h"
#include "ui/automation.h"
#include "ui/form.h"
#include "ui/text_util.h"
#include "ui/ui_log.h"

namespace kvd::ui {

namespace {

enum class Button { Ok, Cancel, Yes, No, NoToAll, YesToAll };

struct ButtonInfo {
    Button button;
    const char* scriptName;
    const char* caption;
    int modalResult;
    QMessageBox::StandardButton standard;
};

constexpr ButtonInfo kButtons[] = {
    {Button::Ok, "ok", "OK", mrOk, QMessageBox::Ok},
    {Button::Cancel, "cancel", "Annulla", mrCancel, QMessageBox::Cancel},
    {Button::Yes, "yes", "Sì", mrYes, QMessageBox::Yes},
    {Button::No, "no", "No", mrNo, QMessageBox::No},
    {Button::NoToAll, "notoall", "No a tutti", mrNoToAll, QMessageBox::NoToAll},
    {Button::YesToAll, "yestoall", "Sì a tutti", mrYesToAll, QMessageBox::YesToAll},
};

const ButtonInfo& Info(Button b) {
    for (const auto& i : kButtons)
        if (i.button == b) return i;
    return kButtons[0];
}

enum class Look { Information, Confirmation, Plain, Error, Warning, WarningWindowColours };

struct KindInfo {
    Look look;
    std::vector<Button> buttons;
    bool hasPositive;
    Button positive;
};

KindInfo KindOf(int kind) {
    using B = Button;
    switch (kind) {
    case 0: return {Look::Information, {B::Ok, B::Cancel}, true, B::Ok};
    case 1: return {Look::Confirmation, {B::Yes, B::No, B::Cancel}, true, B::Yes};
    case 2: return {Look::Plain, {B::Ok}, false, B::Ok};
    case 4: return {Look::Error, {B::Ok}, false, B::Ok};
    case 6: return {Look::Warning, {B::Cancel}, false, B::Ok};
    case 7: return {Look::Warning, {B::Ok, B::Cancel}, true, B::Ok};
    case 8: return {Look::Confirmation, {B::Yes, B::Cancel}, true, B::Yes};
    case 9: return {Look::WarningWindowColours, {B::Cancel}, false, B::Ok};
    case 10: return {Look::Confirmation, {B::Ok}, false, B::Ok};
    case 11: return {Look::Confirmation, {B::Yes, B::No, B::Cancel, B::NoToAll, B::YesToAll}, false, B::Ok};
    case 12: return {Look::Information, {B::Ok}, false, B::Ok};
    default: return {Look::Confirmation, {B::Yes, B::No}, true, B::Yes};
    }
}

Button DefaultOf(const KindInfo& k) {
    for (Button want : {Button::Ok, Button::Yes})
        for (Button b : k.buttons)
            if (b == want) return b;
    return k.buttons.front();
}

// The answer of Esc: Cancel, else No, else the default.
Button EscapeOf(const KindInfo& k) {
    for (Button want : {Button::Cancel, Button::No})
        for (Button b : k.buttons)
            if (b == want) return b;
    return DefaultOf(k);
}

const char* TitleOf(Look look) {
    switch (look) {
    case Look::Information: return "Informazione";
    case Look::Confirmation: return "Conferma";
    case Look::Plain: return "Messaggio";
    case Look::Error: return "Errore";
    case Look::Warning:
    case Look::WarningWindowColours: return "Attenzione";
    }
    return "";
}

QMessageBox::Icon IconOf(Look look) {
    switch (look) {
    case Look::Information: return QMessageBox::Information;
    case Look::Confirmation: return QMessageBox::Question;
    case Look::Plain: return QMessageBox::NoIcon;
    case Look::Error: return QMessageBox::Critical;
    case Look::Warning:
    case Look::WarningWindowColours: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

Button AskPerson(const KindInfo& k, const std::string& text) {
    QMessageBox box(IconOf(k.look), TitleOf(k.look), QString::fromStdString(text));
    std::vector<std::pair<QAbstractButton*, Button>> made;
    for (Button b : k.buttons) {
        const ButtonInfo& info = Info(b);
        QPushButton* pb = box.addButton(info.standard);
        pb->setText(QString::fromUtf8(info.caption));
        made.emplace_back(pb, b);
        if (b == DefaultOf(k)) box.setDefaultButton(pb);
    }
    if (k.look == Look::WarningWindowColours) {
        QPalette p = box.palette();
        p.setColor(QPalette::Window, p.color(QPalette::Base));
        box.setPalette(p);
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (auto& [qb, b] : made)
        if (qb == clicked) return b;
    return EscapeOf(k);  // closed without a button
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string JoinExtensions(const std::vector<std::string>& exts) {
    std::string s;
    for (const auto& e : exts) s += (s.empty() ? "" : ";") + e;
    return s;
}

}  // namespace

MessageSettings& Messages() {
    static MessageSettings m;
    return m;
}

std::vector<std::string> AskUserButtons(int kind) {
    std::vector<std::string> out;
    for (Button b : KindOf(kind).buttons) out.push_back(Info(b).scriptName);
    return out;
}

std::string AskUserDefaultAnswer(int kind) { return Info(DefaultOf(KindOf(kind))).scriptName; }

bool AskUser(int kind, const std::string& text) {
    MessageSettings& m = Messages();
    const std::string line = "ShowMessage: " + text;
    if (m.messageOptions & kSilentMessagesBit) {
        LogLine(line);
        return false;
    }
    Application& app = Application::Instance();
    bool logged = false;
    if (m.messageLogMode == 1 || m.logNextMessage) {
        m.logNextMessage = false;
        LogLine(line);
        logged = true;
    }
    m.lastDialogResult = -1;
    m.dialogOpen = true;
    const KindInfo k = KindOf(kind);
    std::vector<std::string> names;
    for (Button b : k.buttons) names.push_back(Info(b).scriptName);

    Button pressed = DefaultOf(k);
    if (auto answer = automation::TakeMessageAnswer(names, text)) {
        for (Button b : k.buttons)
            if (*answer == Info(b).scriptName) pressed = b;
        if (!logged) LogLine(line);
        LogLine("AskUser(" + std::to_string(kind) + "): answered " + Info(pressed).scriptName + " by the script");
    } else if (ScriptFailed()) {
        // A run that went wrong confirms nothing.
        pressed = EscapeOf(k);
        if (!logged) LogLine(line);
        LogLine("AskUser(" + std::to_string(kind) + "): answered " + Info(pressed).scriptName +
                " (the automation script stopped)");
    } else if (app.Headless()) {
        if (!logged) LogLine(line);
        LogLine("AskUser(" + std::to_string(kind) + "): answered " + Info(pressed).scriptName + " by default (headless)");
    } else {
        pressed = AskPerson(k, text);
    }
    if (kind != 2 && kind != 9) m.lastDialogResult = Info(pressed).modalResult;
    m.dialogOpen = false;
    return k.hasPositive && pressed == k.positive;
}

void ShowMessage(const std::string& text) { AskUser(2, text); }

std::vector<std::string> ParseExtensionList(std::string_view list) {
    std::vector<std::string> out;
    std::string cur;
    auto flush = [&] {
        if (cur.size() > 1) out.push_back(cur);
        cur.clear();
    };
    for (char c : list) {
        if (c == '.') {
            flush();
            cur = ".";
        } else if (c == ';' || c == ' ' || c == '*' || c == ',') {
            flush();
        } else if (!cur.empty()) {
            cur += c;
        }
    }
    flush();
    return out;
}

bool FileChooser::Execute() {
    Application& app = Application::Instance();
    std::vector<std::string> exts = ParseExtensionList(extensions);
    const bool mask = defaultName.find_first_of("*?") != std::string::npos;
    if (exts.empty() && mask) exts = ParseExtensionList(defaultName);
    const std::string what = std::string("FileChooser: ") + (save ? "save" : "open") + " in " +
                             (folder.empty() ? "." : folder) + " [" + JoinExtensions(exts) + "]";

    auto withExtension = [&](std::string path) {
        if (save && !exts.empty() && std::filesystem::path(path).extension().empty()) path += exts.front();
        return path;
    };

    if (auto answer = automation::TakeFileAnswer(save)) {
        if (answer->cancel) {
            LogLine(what + ": cancelled by the script");
            return false;
        }
        fileName = withExtension(answer->path);
        LogLine(what + ": " + fileName + " (script)");
        return true;
    }
    if (app.Headless() || ScriptFailed()) {
        LogLine(what + ": cancelled (headless, no answer in the script)");
        return false;
    }

    QFileDialog dlg(nullptr, QString::fromStdString(caption.empty() ? (save ? "Salva" : "Apri") : caption),
                    QString::fromStdString(folder));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    if (!exts.empty()) {
        QStringList patterns;
        for (const auto& e : exts) {
            patterns << QString::fromStdString("*" + UpperAscii(e));
            patterns << QString::fromStdString("*" + Lower(e));
        }
        patterns.removeDuplicates();
        filters << QString::fromStdString(JoinExtensions(exts)) + " (" + patterns.join(' ') + ")";
        dlg.setDefaultSuffix(QString::fromStdString(exts.front().substr(1)));
    }
    filters << "* (*)";
    dlg.setNameFilters(filters);
    if (!defaultName.empty() && !mask) dlg.selectFile(QString::fromStdString(defaultName));
    dlg.setWindowModality(Qt::ApplicationModal);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        LogLine(what + ": cancelled");
        return false;
    }
    fileName = withExtension(dlg.selectedFiles().front().toStdString());
    LogLine(what + ": " + fileName);
    return true;
}

}  // namespace kvd::ui
