#include "ProductSelection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace radio {
namespace {

namespace fs = std::filesystem;

// A profile file in a fresh temporary folder.
class ProfileTest : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        m_dir =
            fs::temp_directory_path() /
            ("product-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        const fs::path path = m_dir / "Program.ini";
        std::ofstream(path, std::ios::binary) << text;
        ASSERT_TRUE(m_profile.Open(path.string()));
    }
    void TearDown() override {
        m_profile.Clear();
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    fs::path m_dir;
    CIniFile m_profile;
    CMemorySettingsStore m_store;
};

TEST(SplitBandList, KeepsEmptyPiecesAndTrimsNothing) {
    EXPECT_EQ(SplitBandList(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitBandList("130 - 160MHz"), std::vector<std::string>{"130 - 160MHz"});
    EXPECT_EQ(SplitBandList("136 - 174MHz|400 - 470MHz|"),
              (std::vector<std::string>{"136 - 174MHz", "400 - 470MHz", ""}));
    EXPECT_EQ(SplitBandList(" a | b"), (std::vector<std::string>{" a ", " b"}));
}

TEST(BandLimitsOf, ReadsTheIntegerMegahertzAroundTheFirstDash) {
    EXPECT_EQ(BandLimitsOf("130 - 160MHz"), (BandLimits{13000000, 16000000}));
    EXPECT_EQ(BandLimitsOf("136.5 - 174MHz"), (BandLimits{13600000, 17400000}));
    EXPECT_EQ(BandLimitsOf("446MHz"), (BandLimits{44600000, 44600000}));
    EXPECT_EQ(BandLimitsOf(""), (BandLimits{0, 0}));
    // Held within 32 bits instead of wrapping round.
    EXPECT_EQ(BandLimitsOf("99999 - 99999").upper, 2147483647);
}

TEST(ProductTitle, UsesTheLabelsOfTheLanguage) {
    EXPECT_EQ(ProductTitle("Wren Programmer", "W-100", "136 - 174MHz", Language::English),
              "Wren Programmer  [ Type:W-100  Fre:136 - 174MHz ]");
    EXPECT_EQ(ProductTitle("编程", "W-100", "136 - 174MHz", Language::Chinese),
              "编程  [ 类型:W-100  频率:136 - 174MHz ]");
}

TEST_F(ProfileTest, TypesEndAtTheFirstGapAndAtNineteen) {
    Load("[Setup]\nType1=A\nType2=B\nType3=C\nType4=\nType5=E\n");
    CProductCatalogue catalogue(m_profile, "English");
    EXPECT_EQ(catalogue.Types(), (std::vector<std::string>{"A", "B", "C"}));

    std::string many = "[Setup]\n";
    for (int n = 1; n <= 20; ++n) {
        many += "Type" + std::to_string(n) + "=T" + std::to_string(n) + "\n";
    }
    Load(many);
    EXPECT_EQ(CProductCatalogue(m_profile, "English").Types().size(), 19u);
}

TEST_F(ProfileTest, BandsOfATypeAndGbkTexts) {
    // "类型" in GBK, as a profile saved on Chinese Windows holds it.
    Load("[Setup]\nType1=\xC0\xE0\xD0\xCD\nField1=136 - 174MHz|400 - 470MHz|\n");
    CProductCatalogue catalogue(m_profile, "English");
    EXPECT_EQ(catalogue.Types(), std::vector<std::string>{"类型"});
    EXPECT_EQ(catalogue.Bands(0).size(), 3u);
    EXPECT_EQ(catalogue.Bands(1), std::vector<std::string>{""});
    EXPECT_EQ(catalogue.Bands(-1), std::vector<std::string>{""});
}

class ApplyTest : public ProfileTest {
protected:
    void SetUp() override {
        Load("[Setup]\nAppName=WrenTest\nType1=W-100\nField1=136 - 174MHz\n"
             "Type2=W-200\nField2=136 - 174MHz|400 - 470MHz\n"
             "[English]\nAppName=Wren Programmer\n[Chinese]\nAppName=对讲机\n");
        m_image.assign(8192, 0xFF);
    }
    Image m_image;
};

TEST_F(ApplyTest, FreshDocumentTakesTheStoredSelection) {
    m_store.WriteDword("WrenTest", "Type", 1);
    m_store.WriteDword("WrenTest", "Field", 1);
    const ProductOutcome out =
        ApplyProductSelection(CProductCatalogue(m_profile, "English"), m_store, true,
                              Language::English, m_image, 0x1FD6, 0x1FD7);
    EXPECT_EQ(m_image[0x1FD6], 1);
    EXPECT_EQ(m_image[0x1FD7], 1);
    EXPECT_EQ(out.title, "Wren Programmer  [ Type:W-200  Fre:400 - 470MHz ]");
    EXPECT_EQ(out.limits, (BandLimits{40000000, 47000000}));
}

TEST_F(ApplyTest, FreshDocumentWithNothingStoredGetsTheFirstProduct) {
    const ProductOutcome out =
        ApplyProductSelection(CProductCatalogue(m_profile, "Chinese"), m_store, true,
                              Language::Chinese, m_image, 0x1FD6, 0x1FD7);
    EXPECT_EQ(m_image[0x1FD6], 0);
    EXPECT_EQ(m_image[0x1FD7], 0);
    EXPECT_EQ(out.title, "对讲机  [ 类型:W-100  频率:136 - 174MHz ]");
}

TEST_F(ApplyTest, OpenedDocumentOverwritesTheStoredSelection) {
    m_store.WriteDword("WrenTest", "Type", 0);
    m_image[0x1FD6] = 1;
    m_image[0x1FD7] = 7; // beyond the list: the last band
    const ProductOutcome out =
        ApplyProductSelection(CProductCatalogue(m_profile, "English"), m_store, false,
                              Language::English, m_image, 0x1FD6, 0x1FD7);
    EXPECT_EQ(ReadStoredSelection(m_store, "WrenTest"), (ProductSelection{1, 7}));
    EXPECT_EQ(out.limits, (BandLimits{40000000, 47000000}));
    EXPECT_EQ(m_image[0x1FD7], 7);
}

TEST_F(ApplyTest, UnknownTypeGivesEmptyTextsAndNoBand) {
    m_image[0x1FD6] = 0xFF;
    const ProductOutcome out =
        ApplyProductSelection(CProductCatalogue(m_profile, "English"), m_store, false,
                              Language::English, m_image, 0x1FD6, 0x1FD7);
    EXPECT_EQ(out.title, "Wren Programmer  [ Type:  Fre: ]");
    EXPECT_EQ(out.limits, (BandLimits{0, 0}));
}

TEST_F(ApplyTest, DialogOpensOnTheStoredSelection) {
    m_store.WriteDword("WrenTest", "Type", 1);
    m_store.WriteDword("WrenTest", "Field", 1);
    ProductDialogState state = InitialDialogState(CProductCatalogue(m_profile, "English"), m_store);
    EXPECT_EQ(state.types.size(), 2u);
    EXPECT_EQ(state.typeSelection, 1);
    EXPECT_EQ(state.bands.size(), 2u);
    EXPECT_EQ(state.bandSelection, 1);

    m_store.WriteDword("WrenTest", "Type", 5);
    state = InitialDialogState(CProductCatalogue(m_profile, "English"), m_store);
    EXPECT_EQ(state.typeSelection, -1);
    EXPECT_EQ(state.bands, std::vector<std::string>{""});
    EXPECT_EQ(state.bandSelection, -1);
}

TEST_F(ApplyTest, OkWritesImageAndStoreWithEnglishLabels) {
    const ProductOutcome out =
        CommitProductChoice(CProductCatalogue(m_profile, "Chinese"), m_store, 1, 0, "W-200",
                            "136 - 174MHz", m_image, 0x3D2, 0x3D3);
    EXPECT_EQ(m_image[0x3D2], 1);
    EXPECT_EQ(m_image[0x3D3], 0);
    EXPECT_EQ(ReadStoredSelection(m_store, "WrenTest"), (ProductSelection{1, 0}));
    EXPECT_EQ(out.title, "对讲机  [ Type:W-200  Fre:136 - 174MHz ]");
    EXPECT_EQ(out.limits, (BandLimits{13600000, 17400000}));
}

} // namespace
} // namespace radio
