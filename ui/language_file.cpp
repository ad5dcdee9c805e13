#include "ui/language_file.h"

#include <filesystem>
#include <fstream>

#include "base/cp1252.h"
#include "base/streams.h"
#include "platform/host_folder.h"
#include "ui/application.h"
#include "ui/rtf_text.h"
#include "ui/text_util.h"
#include "ui/ui_log.h"

namespace kvd::ui {

namespace {
LanguageText& Text() {
    static LanguageText t;
    return t;
}
}  // namespace

std::string LanguageFilePath(const std::string& hostFolder, const std::string& languageName) {
    return platform::JoinHostPath(hostFolder, "KOVA/" + languageName + ".DZN");
}

bool IsRtfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string first;
    char c;
    while (first.size() < 255 && in.get(c) && c != '\n' && c != '\r') first += c;
    return first.find("{\\rtf") != std::string::npos;
}

void LoadLanguageFile(const std::string& path, const LanguageSettings& settings) {
    // The language is the file's name; a folder that happens to contain the
    // word (a user called Vitaliano) must not switch every language off.
    if (UpperAscii(std::filesystem::path(path).filename().string()).find("ITALIANO") != std::string::npos) return;
    LanguageText& t = Text();
    if (!t.path.empty() && path == t.path) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;
    bool rtf = IsRtfFile(path);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::exception& e) {
        LogLine(std::string("LoadLanguageFile: ") + e.what());
        return;
    }
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    t.lines = rtf ? RtfToLines(raw) : SplitLines(DecodeUtf8OrCp1252(raw));
    t.rtf = rtf;
    t.path = path;
    t.font.reset();
    if (settings.useLanguageFont && !settings.fontName.empty()) {
        Font f;
        f.name = settings.fontName;
        f.charset = settings.fontCharset;
        t.font = f;
        Application& app = Application::Instance();
        for (auto [get, set] : {std::pair{&Application::HintFont, &Application::SetHintFont},
                                std::pair{&Application::MenuFont, &Application::SetMenuFont},
                                std::pair{&Application::IconFont, &Application::SetIconFont}}) {
            Font g = (app.*get)();
            g.name = f.name;
            g.charset = f.charset;
            (app.*set)(g);
        }
    }
}

const LanguageText& CurrentLanguage() { return Text(); }

void UnloadLanguage() { Text() = LanguageText{}; }

}  // namespace kvd::ui
