#include "ui/rtf_text.h"

#include <QStringDecoder>
#include <cctype>
#include <map>

#include "base/cp1252.h"

namespace kvd::ui {

namespace {

// Windows code page of an RTF font character set.
int CodePageOfCharset(int charset) {
    switch (charset) {
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;  // the document's code page
    }
}

std::string DecodeBytes(const std::string& bytes, int codePage) {
    if (codePage == 0 || codePage == 1252) return Cp1252ToUtf8(bytes);
    std::string name = codePage == 932 ? "Shift_JIS" : codePage == 936 ? "GBK" : codePage == 949 ? "EUC-KR"
                       : codePage == 950 ? "Big5" : "windows-" + std::to_string(codePage);
    QStringDecoder decoder(name.c_str());
    if (!decoder.isValid()) return Cp1252ToUtf8(bytes);
    QString s = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return s.toStdString();
}

bool HexPair(char a, char b, int& v) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int hi = digit(a), lo = digit(b);
    if (hi < 0 || lo < 0) return false;
    v = hi * 16 + lo;
    return true;
}

struct Group {
    bool skip = false;      // a destination whose text is not shown
    int font = -1;          // \fN in force
    int unicodeSkip = 1;    // \ucN
    bool inFontTable = false;
};

class Converter {
public:
    explicit Converter(std::string_view in) : in_(in) {}

    std::vector<std::string> Run() {
        stack_.push_back(Group{});
        while (pos_ < in_.size()) {
            char c = in_[pos_];
            if (c == '{') {
                Flush();
                Group g = stack_.back();
                stack_.push_back(g);
                ++pos_;
            } else if (c == '}') {
                Flush();
                if (stack_.back().inFontTable && fontNumber_ >= 0) fontNumber_ = -1;
                if (stack_.size() > 1) stack_.pop_back();
                ++pos_;
            } else if (c == '\\') {
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                Char(c);
                ++pos_;
            }
        }
        Flush();
        if (!line_.empty() || sawText_) lines_.push_back(line_);
        return lines_;
    }

private:
    Group& Top() { return stack_.back(); }

    int FontCodePage() {
        auto it = fontCharset_.find(Top().font);
        int cp = it == fontCharset_.end() ? 0 : CodePageOfCharset(it->second);
        return cp ? cp : documentCodePage_;
    }

    // Bytes of \'hh wait here until the code page they need is known to be complete.
    void Flush() {
        if (pending_.empty()) return;
        std::string text = DecodeBytes(pending_, pendingCodePage_);
        pending_.clear();
        Emit(text);
    }

    void Emit(const std::string& utf8) {
        if (Top().skip) return;
        line_ += utf8;
        sawText_ = true;
    }

    void Char(char c) {
        if (Top().skip) return;
        if (Top().inFontTable) return;
        Flush();
        if (static_cast<unsigned char>(c) >= 0x80) {
            pending_ += c;
            pendingCodePage_ = FontCodePage();
            return;
        }
        Emit(std::string(1, c));
    }

    void EndLine() {
        Flush();
        if (Top().skip) return;
        lines_.push_back(line_);
        line_.clear();
        sawText_ = false;
    }

    void ControlWord() {
        ++pos_;  // the backslash
        if (pos_ >= in_.size()) return;
        char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            switch (c) {
            case '\\':
            case '{':
            case '}': Char(c); break;
            case '\'': {
                int v = 0;
                if (pos_ + 2 <= in_.size() && HexPair(in_[pos_], in_[pos_ + 1], v)) {
                    pos_ += 2;
                    if (!Top().skip && !Top().inFontTable) {
                        int cp = FontCodePage();
                        if (!pending_.empty() && cp != pendingCodePage_) Flush();
                        pending_ += static_cast<char>(v);
                        pendingCodePage_ = cp;
                    }
                }
                break;
            }
            case '*': Top().skip = true; break;  // an optional destination we do not know
            case '~': Flush(), Emit("\xC2\xA0"); break;
            case '-': break;                          // optional hyphen
            case '_': Flush(), Emit("\xE2\x80\x91"); break;  // non-breaking hyphen
            case '\r':
            case '\n': EndLine(); break;  // "\" + newline is a paragraph
            default: break;
            }
            return;
        }
        std::size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
        std::string word(in_.substr(start, pos_ - start));
        bool hasArg = false;
        int arg = 0;
        std::size_t numStart = pos_;
        if (pos_ < in_.size() && (in_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(in_[pos_])))) {
            ++pos_;
            while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) ++pos_;
            try {
                arg = std::stoi(std::string(in_.substr(numStart, pos_ - numStart)));
                hasArg = true;
            } catch (...) {
                arg = 0;
            }
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        Word(word, hasArg, arg);
    }

    void Word(const std::string& w, bool hasArg, int arg) {
        static const char* const kHidden[] = {"colortbl", "stylesheet", "info",   "pict",     "object",
                                              "header",   "footer",     "headerl", "headerr", "footerl",
                                              "footerr",  "footnote",   "fldinst", "themedata", "colorschememapping",
                                              "latentstyles", "datastore", "listtable", "listoverridetable",
                                              "rsidtbl", "generator", "xmlnstbl", "mmathPr", "pgdsctbl"};
        for (const char* h : kHidden)
            if (w == h) {
                Top().skip = true;
                return;
            }
        if (w == "fonttbl") {
            Top().inFontTable = true;
            return;
        }
        if (w == "par" || w == "line" || w == "sect" || w == "page") {
            EndLine();
            return;
        }
        if (w == "tab") {
            Flush(), Emit("\t");
            return;
        }
        if (w == "ansicpg" && hasArg) {
            documentCodePage_ = arg;
            return;
        }
        if (w == "f" && hasArg) {
            if (Top().inFontTable)
                fontNumber_ = arg;
            else
                Top().font = arg;
            return;
        }
        if (w == "fcharset" && hasArg) {
            if (Top().inFontTable && fontNumber_ >= 0) fontCharset_[fontNumber_] = arg;
            return;
        }
        if (w == "uc" && hasArg) {
            Top().unicodeSkip = arg;
            return;
        }
        if (w == "u" && hasArg) {
            Flush();
            char32_t cp = static_cast<char32_t>(arg < 0 ? arg + 65536 : arg);
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                highSurrogate_ = cp;
            } else if (cp >= 0xDC00 && cp <= 0xDFFF && highSurrogate_) {
                char32_t full = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
                highSurrogate_ = 0;
                if (!Top().skip && !Top().inFontTable) {
                    std::string s;
                    AppendUtf8(s, full);
                    Emit(s);
                }
            } else if (!Top().skip && !Top().inFontTable) {
                std::string s;
                AppendUtf8(s, cp);
                Emit(s);
            }
            SkipFallback(Top().unicodeSkip);
            return;
        }
        if (w == "emdash") return Flush(), Emit("\xE2\x80\x94");
        if (w == "endash") return Flush(), Emit("\xE2\x80\x93");
        if (w == "bullet") return Flush(), Emit("\xE2\x80\xA2");
        if (w == "lquote") return Flush(), Emit("\xE2\x80\x98");
        if (w == "rquote") return Flush(), Emit("\xE2\x80\x99");
        if (w == "ldblquote") return Flush(), Emit("\xE2\x80\x9C");
        if (w == "rdblquote") return Flush(), Emit("\xE2\x80\x9D");
    }

    // The characters that follow \uN for readers without Unicode.
    void SkipFallback(int count) {
        while (count > 0 && pos_ < in_.size()) {
            char c = in_[pos_];
            if (c == '{' || c == '}') return;
            if (c == '\\') {
                if (pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'') {
                    pos_ += 4;
                } else {
                    ++pos_;
                    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
                    while (pos_ < in_.size() && (in_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(in_[pos_])))) ++pos_;
                    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
                }
            } else if (c == '\r' || c == '\n') {
                ++pos_;
                continue;
            } else {
                ++pos_;
            }
            --count;
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<Group> stack_;
    std::vector<std::string> lines_;
    std::string line_;
    bool sawText_ = false;
    std::string pending_;
    int pendingCodePage_ = 0;
    int documentCodePage_ = 1252;
    int fontNumber_ = -1;
    std::map<int, int> fontCharset_;
    char32_t highSurrogate_ = 0;
};

}  // namespace

std::vector<std::string> RtfToLines(std::string_view rtf) { return Converter(rtf).Run(); }

}  // namespace kvd::ui
