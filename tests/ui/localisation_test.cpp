// Form localisation from language files, with the edge cases of the host's
// files: Italian never reads a file, empty sections, blanks after "]", hint
// lines, item lists ended by ".", unknown components, rich text, encodings.
#include <gtest/gtest.h>

#include <fstream>

#include "ui/controls.h"
#include "ui/localisation.h"
#include "ui/rtf_text.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {

constexpr ControlSpec kDialog[] = {
    {"Label1", ControlClass::Label, "", "Lunghezza", 8, 8, 100, 16},
    {"RadioGroup1", ControlClass::RadioGroup, "", "Tipo", 8, 30, 150, 100, {}, "Uno\nDue\nTre"},
    {"CheckListBox1", ControlClass::CheckListBox, "", "", 170, 30, 100, 80, {}, "Lato 1\nLato 2"},
    {"Edit1", ControlClass::Edit, "", "12", 8, 140, 60, 21},
    {"ComboBox1", ControlClass::ComboBox, "", "", 80, 140, 90, 21, {}, "A\nB"},
    {"Pages", ControlClass::PageControl, "", "", 280, 8, 100, 100},
    {"TabSheet1", ControlClass::TabSheet, "Pages", "Pagina"},
    {"BitBtn1", ControlClass::BitButton, "", "Chiudi", 280, 140, 80, 25},
};

class Localising : public UiTest {
protected:
    Form& NewDialog(const std::string& name = "Dialogo") {
        auto& f = App().CreateForm<Form>(name);
        f.SetCaption("Titolo");
        f.Build(kDialog);
        return f;
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string p = Path(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
};

const std::string kEnglish =
    "OTHER\n"
    "Other caption\n"
    "[Label1]Wrong section\n"
    "\n"
    "DIALOGO\n"
    "Dialog\n"
    "[Label1]Ciao\n"
    "[Label1HINT]Length of the side\n"
    "[RadioGroup1]Kind\n"
    "One\n"
    "Two\n"
    ".\n"
    "never an item\n"
    "[Missing]Nobody\n"
    "orphan item line\n"
    "[CheckListBox1]ignored caption\n"
    "Side 1\n"
    "Side 2\n"
    "Side 3 (beyond the list)\n"
    "[Edit1]99\n"
    "[ComboBox1]combo caption\n"
    "Alpha\n"
    "[TabSheet1] Page\n"
    "[BitBtn1]Close\n"
    "\n"
    "[Label1]after the end\n";

}  // namespace

TEST_F(Localising, TheSectionReplacesCaptionsHintsAndItemsByClass) {
    Form& f = NewDialog();
    std::string path = Write("ENGLISH.DZN", kEnglish);
    LocaliseForm(f, "Dialogo", path);
    EXPECT_EQ(f.Caption(), "Dialog");
    EXPECT_EQ(f.Get<Label>("Label1").Caption(), "Ciao");
    EXPECT_EQ(f.Get<Label>("Label1").Hint(), "Length of the side") << "a HINT line sets only the hint";
    auto& rg = f.Get<RadioGroup>("RadioGroup1");
    EXPECT_EQ(rg.Caption(), "Kind");
    EXPECT_EQ(rg.Items(), (std::vector<std::string>{"One", "Two", "Tre"})) << "\".\" ends the list";
    auto& cl = f.Get<CheckListBox>("CheckListBox1");
    EXPECT_EQ(cl.Items(), (std::vector<std::string>{"Side 1", "Side 2"})) << "list boxes take items, extra lines are dropped";
    EXPECT_EQ(f.Get<Edit>("Edit1").Text(), "12") << "edits take no text";
    EXPECT_EQ(f.Get<ComboBox>("ComboBox1").Items(), (std::vector<std::string>{"Alpha", "B"}));
    EXPECT_EQ(f.Get<TabSheet>("TabSheet1").Caption(), " Page") << "the blank after ] belongs to the text";
    EXPECT_EQ(f.Get<BitButton>("BitBtn1").Caption(), "Close");
}

TEST_F(Localising, ItalianNeverReadsAFile) {
    std::string path = Write("ITALIANO.DZN", kEnglish);
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", path);
    EXPECT_EQ(f.Caption(), "Titolo");
    EXPECT_EQ(f.Get<Label>("Label1").Caption(), "Lunghezza");
    EXPECT_TRUE(CurrentLanguage().path.empty());
}

TEST_F(Localising, OnlyTheFileNameSaysItalian) {
    std::filesystem::create_directories(dir_ / "Vitaliano");
    std::string path = Write("Vitaliano/ENGLISH.DZN", kEnglish);
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", path);
    EXPECT_EQ(f.Caption(), "Dialog");
}

TEST_F(Localising, AnotherLanguageLoadedBeforeDoesNotLeakIntoItalianOrAMissingFile) {
    std::string english = Write("ENGLISH.DZN", kEnglish);
    Form& first = NewDialog();
    LocaliseForm(first, "Dialogo", english);
    ASSERT_EQ(first.Caption(), "Dialog");
    for (const std::string& path : {Path("ITALIANO.DZN"), Path("MISSING.DZN")}) {
        Form& f = NewDialog("Dialogo");
        LocaliseForm(f, "Dialogo", path);
        EXPECT_EQ(f.Caption(), "Titolo") << path;
        f.Free();
    }
}

TEST_F(Localising, EmptyOrAbsentSectionsChangeNothing) {
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", Write("A.DZN", "DIALOGO\n\n[Label1]Ciao\n"));
    EXPECT_EQ(f.Caption(), "Titolo");
    EXPECT_EQ(f.Get<Label>("Label1").Caption(), "Lunghezza");
    Form& g = NewDialog();
    LocaliseForm(g, "Dialogo", Write("B.DZN", "ALTRO\nX\n[Label1]Ciao\n"));
    EXPECT_EQ(g.Get<Label>("Label1").Caption(), "Lunghezza");
    Form& h = NewDialog();
    LocaliseForm(h, "Dialogo", Write("C.DZN", "DIALOGO"));
    EXPECT_EQ(h.Caption(), "Titolo") << "a header on the last line has no caption";
}

TEST_F(Localising, TheLastLineOfAFileWithoutNewlineCounts) {
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", Write("A.DZN", "DIALOGO\r\nDialog\r\n[RadioGroup1]Kind\r\nOne"));
    EXPECT_EQ(f.Get<RadioGroup>("RadioGroup1").Items()[0], "One");
}

TEST_F(Localising, SectionNamesOfTheHostsForms) {
    EXPECT_EQ(SectionName("Poligono"), "POLIGONO");
    EXPECT_EQ(SectionName("DxfForm"), "DXFFORM");
    EXPECT_EQ(SectionName("SubParametri"), "SUBPAR");
    EXPECT_EQ(SectionName("KovaConvertUnits"), "UNITSCONVERTER");
    EXPECT_EQ(SectionName("IngTMacro"), "TANGENTMACRO");
    Form& f = NewDialog("SubParametri");
    LocaliseForm(f, "SubParametri", Write("S.DZN", "SUBPARAMETRI\nWrong\n\nSUBPAR\nRight\n"));
    EXPECT_EQ(f.Caption(), "Right");
}

TEST_F(Localising, EncodingsAndRichText) {
    const std::string cp1252 = "DIALOGO\nCitt\xE0\n[Label1]Perch\xE9 \x80\n";
    const std::string utf8bom = "\xEF\xBB\xBF" "DIALOGO\nCitt\xC3\xA0\n[Label1]Perch\xC3\xA9 \xE2\x82\xAC\n";
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 DIALOGO\\par\n"
        "Citt\\'e0\\par\n"
        "[Label1]Perch\\u233?\\~\\'80\\par\n"
        "\\par\n"
        "}\n";
    for (auto [name, bytes] : {std::pair{"W.DZN", cp1252}, std::pair{"U.DZN", utf8bom}, std::pair{"R.DZN", rtf}}) {
        Form& f = NewDialog();
        std::string p = Write(name, bytes);
        LocaliseForm(f, "Dialogo", p);
        EXPECT_EQ(f.Caption(), "Citt\xC3\xA0") << name;
        std::string want = std::string(name) == "R.DZN" ? "Perch\xC3\xA9\xC2\xA0\xE2\x82\xAC" : "Perch\xC3\xA9 \xE2\x82\xAC";
        EXPECT_EQ(f.Get<Label>("Label1").Caption(), want) << name;
        EXPECT_EQ(CurrentLanguage().rtf, std::string(name) == "R.DZN");
        f.Free();
    }
    EXPECT_TRUE(IsRtfFile(Path("R.DZN")));
    EXPECT_FALSE(IsRtfFile(Path("W.DZN")));
}

TEST_F(Localising, TheSameFileIsReadOnce) {
    std::string p = Write("E.DZN", "DIALOGO\nFirst\n");
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", p);
    Write("E.DZN", "DIALOGO\nSecond\n");
    LocaliseForm(f, "Dialogo", p);
    EXPECT_EQ(f.Caption(), "First");
}

TEST_F(Localising, TheLanguageFontGoesToControlsThatTakeText) {
    LanguageSettings s;
    s.useLanguageFont = true;
    s.fontName = "DejaVu Serif";
    s.fontCharset = 204;
    Form& f = NewDialog();
    LocaliseForm(f, "Dialogo", Write("RU.DZN", "DIALOGO\nDialog\n[Label1]Privet\n[Edit1]x\n"), s);
    EXPECT_EQ(f.Get<Label>("Label1").GetFont().name, "DejaVu Serif");
    EXPECT_EQ(f.Get<Label>("Label1").GetFont().charset, 204);
    EXPECT_NE(f.Get<Edit>("Edit1").GetFont().name, "DejaVu Serif") << "edits take neither text nor font";
    EXPECT_EQ(App().HintFont().name, "DejaVu Serif");
    EXPECT_EQ(App().MenuFont().name, "DejaVu Serif");
}

TEST(MessageTexts, LookupRules) {
    const std::vector<std::string> list = {"two", "three NOT REFERENCED", "four"};
    EXPECT_EQ(TranslateMessageTextFrom(list, 2, "due"), "two");
    EXPECT_EQ(TranslateMessageTextFrom(list, 4, "quattro"), "four");
    EXPECT_EQ(TranslateMessageTextFrom(list, 3, "tre"), "tre [dzn TO UPDATE]");
    EXPECT_EQ(TranslateMessageTextFrom(list, 5, "cinque"), "cinque [dzn TO UPDATE]");
    EXPECT_EQ(TranslateMessageTextFrom(list, 1, "uno"), "uno [dzn TO UPDATE]");
    EXPECT_EQ(TranslateMessageText(17, "Nessun elemento selezionato!"), "Nessun elemento selezionato!");
}

TEST(RichText, LinesOfTheDocument) {
    struct Case {
        const char* rtf;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"{\\rtf1 one\\par two\\line three}", {"one", "two", "three"}},
        {"{\\rtf1{\\*\\generator Writer;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}a\\{b\\}\\\\c\\par}", {"a{b}\\c"}},
        {"{\\rtf1\\uc2 x\\u8364\\'80\\'80y\\par}", {"x\xE2\x82\xACy"}},
        {"{\\rtf1 a\\tab b\\par\\par c}", {"a\tb", "", "c"}},
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial CYR;}}\\f1 \\'cf\\'f0\\'e8\\f0 \\'e0\\par}",
         {"\xD0\x9F\xD1\x80\xD0\xB8\xC3\xA0"}},
        {"{\\rtf1 {\\pict\\pngblip 89504e47}text\\par}", {"text"}},
        {"{\\rtf1 split\n across\r\n source lines\\par}", {"split across source lines"}},
        {"{\\rtf1 \\u-10179?\\u-8704?\\par}", {"\xF0\x9F\x98\x80"}},
    };
    for (const Case& c : cases) EXPECT_EQ(RtfToLines(c.rtf), c.lines) << c.rtf;
}
