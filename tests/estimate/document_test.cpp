// SPDX-License-Identifier: MIT
#include "estimate/document.h"

#include <gtest/gtest.h>

using namespace estimate;

namespace {

struct GroupingCase {
    const char* in;
    const char* out;
};

void PrintTo(const GroupingCase& c, std::ostream* os) {
    *os << '"' << c.in << '"';
}

class DigitGrouping : public testing::TestWithParam<GroupingCase> {};

TEST_P(DigitGrouping, InsertsBlankBeforeEveryThirdDigitFromTheRight) {
    EXPECT_EQ(groupDigits(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Table, DigitGrouping,
                         testing::Values(GroupingCase{"0", "0"}, GroupingCase{"5000", "5 000"},
                                         GroupingCase{"15000", "15 000"},
                                         GroupingCase{"150000", " 150 000"},
                                         GroupingCase{"999000", " 999 000"},
                                         GroupingCase{"1500000", "1 500 000"}, GroupingCase{"", ""},
                                         GroupingCase{"12", "12"}, GroupingCase{"123", " 123"},
                                         GroupingCase{"1234567890", "1 234 567 890"}));

TEST(DescriptionDocument, FormatCarriesOverAsInTheWorkedOrder) {
    DescriptionDocument d;
    d.setAlignment(Align::Center);
    d.setSize(10);
    d.addStyle(Bold);
    d.append("A");
    d.appendEmpty();
    d.setAlignment(Align::Left);
    d.setBullets(true);
    d.append("B");
    d.addStyle(Italic);
    d.append("C");
    d.setBullets(false);
    d.append("D");

    struct Row {
        const char* text;
        Align align;
        bool bullets;
        unsigned style;
    };
    const Row expected[] = {
        {"A", Align::Center, false, Bold},        {"", Align::Center, false, Bold},
        {"B", Align::Left, true, Bold},           {"C", Align::Left, true, Bold | Italic},
        {"D", Align::Left, false, Bold | Italic},
    };
    ASSERT_EQ(d.paragraphs().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& p = d.paragraphs()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p.text, expected[i].text);
        EXPECT_EQ(p.format.align, expected[i].align);
        EXPECT_EQ(p.format.bullets, expected[i].bullets);
        EXPECT_EQ(p.format.style, expected[i].style);
        EXPECT_EQ(p.format.size, 10);
        EXPECT_EQ(p.format.leftIndent, expected[i].bullets ? 10 : 0);
    }
}

TEST(DescriptionDocument, ClearStartsAfreshWithTheDefaultFormat) {
    DescriptionDocument d;
    d.setAlignment(Align::Center);
    d.setBullets(true);
    d.setSize(10);
    d.addStyle(Italic);
    d.append("old");
    d.clear();
    EXPECT_TRUE(d.paragraphs().empty());
    EXPECT_EQ(d.currentFormat(), ParagraphFormat{});
    d.append("new");
    ASSERT_EQ(d.paragraphs().size(), 1u);
    EXPECT_FALSE(d.paragraphs()[0].format.italic()); // italic never leaks into the next writer
}

TEST(DescriptionDocument, EmptyParagraphWhileBulletsOnIsABulletedItem) {
    DescriptionDocument d;
    d.setBullets(true);
    d.appendEmpty();
    EXPECT_TRUE(d.paragraphs().at(0).format.bullets);
    EXPECT_EQ(d.paragraphs().at(0).text, "");
}

TEST(DescriptionDocument, ObserverSeesEveryChangeInOrder) {
    struct Log : DocumentObserver {
        std::string log;
        void documentCleared() override { log += "C"; }
        void paragraphAppended(const Paragraph& p) override { log += "A(" + p.text + ")"; }
        void pictureChanged(const std::string& n) override { log += "P(" + n + ")"; }
    } log;
    DescriptionDocument d;
    d.setObserver(&log);
    d.showPicture("CALC");
    d.clear();
    d.append("x");
    d.showPicture("");
    EXPECT_EQ(log.log, "P(CALC)CA(x)P()");
    EXPECT_EQ(d.picture(), "");
}

} // namespace
