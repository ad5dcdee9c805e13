// Output of the confirmed template to the host: text, attribute and closing
// records; the tombstone list.
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine_fixture.h"
#include "templates/regeneration.h"
#include "templates/template_output.h"
#include "templates/tombstone_list.h"

namespace kvd::test {
namespace {

class Output : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Host.SetByte(408, 0x80);  // marking records on
    }
    static std::vector<const TTempElement*> Records() {
        std::vector<const TTempElement*> v;
        for (auto* e : Elements())
            if (IsNonGeometricKind(e->Kind)) v.push_back(e);
        return v;
    }
};

TEST_F(Output, TextRecordsHold44BytesEach) {
    const std::string t43(43, 'a');
    std::string t = t43;
    for (int i = 0; i < 43; ++i) t[i] = static_cast<char>('A' + i % 26);
    AppendTextRecords(t, rkMarkingName, rkMarkingNameMore, 0);
    auto one = Elements();
    ASSERT_EQ(one.size(), 1u);
    const auto* raw = reinterpret_cast<const unsigned char*>(one[0]);
    EXPECT_EQ(one[0]->Kind, rkMarkingName);
    EXPECT_EQ(raw[2], 'A');
    EXPECT_EQ(raw[3], 'B');
    EXPECT_EQ(raw[8], 'C');
    EXPECT_EQ(raw[48], static_cast<unsigned char>(t[42]));
    EXPECT_EQ(raw[49], 0);  // the zero byte is the 44th
    EXPECT_EQ(TextOfRecords(one[0]), t);

    DisposeAllContainers();
    AppendTextRecords(t + "Z", rkText, rkTextMore, 5);
    auto two = Elements();
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0]->Kind, rkText);
    EXPECT_EQ(two[1]->Kind, rkTextMore);
    EXPECT_EQ(two[0]->Slot, 5);
    EXPECT_EQ(two[1]->Slot, 5);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(two[0])[49], 'Z');
    TTempElement zeros{};
    zeros.Kind = rkTextMore;
    zeros.Slot = 5;
    EXPECT_EQ(std::memcmp(two[1], &zeros, 52), 0) << "the second record holds only the zero byte";
    EXPECT_EQ(TextOfRecords(two[0]), t + "Z");

    DisposeAllContainers();
    AppendTextRecords("", rkText, rkTextMore, 1);
    EXPECT_TRUE(Elements().empty());
}

TEST_F(Output, RectangleWithMatrixForcesTheQuantity) {
    TemplateParams.OptionBits |= kOptionMatrixRectangle;
    TemplateParams.MarkingText[kKindRectangle] = "PEZZO";
    TemplateParams.MarkingQuantity[kKindRectangle] = 5;
    TemplateParams.MarkingColor[kKindRectangle] = 0x00302010;
    TemplateParams.MarkingDirection[kKindRectangle] = 45;
    MarkDirectionTyped(kKindRectangle);
    RegenerateDrawing(TemplateTab::Rettangolo);
    StringheToTemp(false);
    auto r = Records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0]->Kind, rkMarkingName);
    EXPECT_EQ(TextOfRecords(r[0]), "PEZZO");
    EXPECT_EQ(r[1]->Kind, rkMarking);
    EXPECT_EQ(r[1]->Param, 1);
    EXPECT_EQ(r[1]->Flags, 3u);  // direction typed, quantity forced
    EXPECT_EQ(r[1]->ColorR, 0x10);
    EXPECT_EQ(r[1]->ColorG, 0x20);
    EXPECT_EQ(r[1]->ColorB, 0x30);
    EXPECT_EQ(r[1]->Y.ToDouble(), 45);
    EXPECT_EQ(r[1]->Aux, 30.0f);  // the step's "Spessore", whatever the kind
    EXPECT_EQ(r[2]->Kind, rkText);
    EXPECT_EQ(r[2]->Slot, 3);
    EXPECT_EQ(TextOfRecords(r[2]), " ");  // no machining for the holes: one blank
    EXPECT_EQ(r[3]->Kind, rkClosing);
    EXPECT_EQ(r[3]->Param, kKindRectangle);

    TemplateParams.OptionBits &= static_cast<std::uint16_t>(~kOptionMatrixRectangle);
    const TTempElement plain = AttributeRecord(kKindRectangle, TemplateParams);
    EXPECT_EQ(plain.Param, 5);
    EXPECT_EQ(plain.Flags, 1u);
    EXPECT_TRUE(QuantityForced(kKindKitchen, kOptionCentredHorizontal));
    EXPECT_FALSE(QuantityForced(kKindKitchen, kOptionMatrixRectangle));
}

TEST_F(Output, EmptyMarkingTextGivesNoNameRecord) {
    TemplateParams.MarkingText[kKindRectangle] = "";
    RegenerateDrawing(TemplateTab::Rettangolo);
    StringheToTemp(false);
    auto r = Records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0]->Kind, rkMarking);
    EXPECT_EQ(r[2]->Kind, rkClosing);
}

TEST_F(Output, MarkingOptionOffLeavesOnlyTheClosingRecord) {
    Host.SetByte(408, 0);
    TemplateParams.MarkingText[kKindRectangle] = "PEZZO";
    RegenerateDrawing(TemplateTab::Rettangolo);
    StringheToTemp(false);
    auto r = Records();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]->Kind, rkClosing);
}

TEST_F(Output, EmptyDrawingStillGetsTheClosingRecordInAFirstContainer) {
    RegenerateDrawing(TemplateTab::Lapide);  // no generator: nothing drawn, MarkingIndex -1
    StringheToTemp(false);
    auto e = Elements();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->Kind, rkClosing);
    EXPECT_EQ(e[0]->Param, 0xFFFF);
}

TEST_F(Output, AttributeCommandText) {
    TemplateParams.MarkingQuantity[kKindStep] = 2;
    TemplateParams.MarkingColor[kKindStep] = 0x000000FF;
    const std::string t = AttributeCommandText(kKindStep, TemplateParams);
    EXPECT_EQ(t, "R255G0B0I2D" + FormatRealFixed(6, 0) + "X" + FormatRealFixed(6, 10) + "Y" + FormatRealFixed(6, 0) +
                     "Z" + FormatRealFixed(6, 30) + "T0");
    TemplateParams.OptionBits |= kOptionMatrixRegular;
    EXPECT_EQ(AttributeCommandText(kKindRegular, TemplateParams).rfind("R0G0B0I1D", 0), 0u);
    EXPECT_NE(AttributeCommandText(kKindRegular, TemplateParams).find("T2M1"), std::string::npos);
}

TEST_F(Output, TombstoneListOfReliefAndEngravingItems) {
    const std::string model = Path("MODEL.ZW7");
    std::ofstream(model) << "x";
    TemplateParams.OptionBits |= kOptionSumMachinings;
    TemplateParams.MarkingX = 100;
    TemplateParams.MarkingY = 50;
    TombstoneItem& relief = TemplateParams.TombstoneItems[0];
    relief.Flags = (kItemRelief << 2) | kItemFitToSurface;
    relief.X = 10;
    relief.Y = 20;
    relief.SizeX = 40;
    relief.SizeY = 30;
    relief.FirstFileName = "ROSA.ZCS";
    TombstoneItem& engraving = TemplateParams.TombstoneItems[3];
    engraving.Flags = kItemEngraving << 2;
    engraving.SizeX = 10;
    engraving.SizeY = 10;
    engraving.FirstFileName = "CROCE.ZW7";
    TemplateParams.TombstoneItems[5].Flags = kItemText << 2;  // not listed

    EXPECT_EQ(TombstoneListOnClose(false, TemplateTab::Lapide, model, dir_.string()), 0);
    EXPECT_FALSE(std::filesystem::exists(Path("tombstones.txt")));
    EXPECT_EQ(TombstoneListOnClose(true, TemplateTab::Lapide, Path("NONE.ZW7"), dir_.string()), 0);
    EXPECT_FALSE(std::filesystem::exists(Path("tombstones.txt")));

    EXPECT_EQ(TombstoneListOnClose(true, TemplateTab::Lapide, model, dir_.string()), 2);
    std::ifstream in(Path("tombstones.txt"));
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), model + "\nT1X90Y55ROSA.ZCS\nT0X95Y45CROCE.ZW7\n");

    // A folder that cannot take the file: logged, nothing else happens.
    EXPECT_EQ(TombstoneListOnClose(true, TemplateTab::Lapide, model, Path("no/such/folder")), 0);
    EXPECT_NE(LogText().find("tombstones.txt not written"), std::string::npos) << LogText();
}

}  // namespace
}  // namespace kvd::test
