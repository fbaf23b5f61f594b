// SPDX-License-Identifier: MIT
// The topic catalogue written into a description document.
#include "topic_shapes.h"
#include "topic_texts.h"

#include "info/seller.h"
#include "info/topic_catalogue.h"
#include "info/topics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using estimate::Align;
using estimate::DescriptionDocument;
using estimate::Paragraph;
using namespace info_test;

namespace {

// Records what a writer does to the document, in order.
class Recorder : public estimate::DocumentObserver {
  public:
    std::vector<std::string> events;
    void documentCleared() override { events.push_back("clear"); }
    void paragraphAppended(const Paragraph& p) override { events.push_back("+" + p.text); }
    void pictureChanged(const std::string& name) override { events.push_back("picture " + name); }
};

// A document as an estimate leaves it: italic added, bullets on, centred.
DescriptionDocument messyDocument() {
    DescriptionDocument doc;
    doc.showPicture("CALC");
    doc.setAlignment(Align::Center);
    doc.addStyle(estimate::Italic);
    doc.setSize(14);
    doc.setBullets(true);
    doc.append("Итого");
    return doc;
}

int count(const std::vector<Paragraph>& ps, auto pred) {
    return static_cast<int>(std::count_if(ps.begin(), ps.end(), pred));
}

class TopicShape : public testing::TestWithParam<Shape> {};

TEST_P(TopicShape, WritesPictureTitleAndLinesInTheirFormat) {
    const Shape& s = GetParam();
    DescriptionDocument doc;
    ASSERT_TRUE(info::showTopic(s.control, doc));
    EXPECT_EQ(doc.picture(), s.picture);
    const auto& ps = doc.paragraphs();
    if (s.title.empty()) { // the text follows on the click
        EXPECT_TRUE(ps.empty());
        return;
    }
    const int body = s.bullets + s.plain + s.empty;
    ASSERT_EQ(static_cast<int>(ps.size()), 1 + s.centred + body);
    if (s.title == "?") {
        EXPECT_FALSE(ps[0].text.empty());
    } else {
        EXPECT_EQ(ps[0].text, s.title);
    }
    for (size_t i = 0; i < ps.size(); ++i) {
        const auto& f = ps[i].format;
        const bool head = static_cast<int>(i) <= s.centred;
        SCOPED_TRACE(ps[i].text);
        EXPECT_EQ(f.align, head ? Align::Center : Align::Left);
        EXPECT_EQ(f.size, 10);
        EXPECT_TRUE(f.bold());
        EXPECT_FALSE(f.italic());
        EXPECT_EQ(f.leftIndent, f.bullets ? 10 : 0);
        if (head) {
            EXPECT_FALSE(f.bullets);
        }
        if (f.bullets) {
            EXPECT_FALSE(ps[i].text.empty()) << "an empty line never carries a bullet";
        }
    }
    const std::vector<Paragraph> tail(ps.begin() + 1 + s.centred, ps.end());
    EXPECT_EQ(count(tail, [](auto& p) { return p.format.bullets; }), s.bullets);
    EXPECT_EQ(count(tail, [](auto& p) { return !p.format.bullets && !p.text.empty(); }), s.plain);
    EXPECT_EQ(count(tail, [](auto& p) { return !p.format.bullets && p.text.empty(); }), s.empty);
    EXPECT_FALSE(doc.currentFormat().bullets);
    EXPECT_EQ(doc.currentFormat().align, Align::Left);
}

TEST_P(TopicShape, ShowsPictureBeforeClearingAndOnlyThen) {
    const Shape& s = GetParam();
    DescriptionDocument doc = messyDocument();
    Recorder rec;
    doc.setObserver(&rec);
    info::showTopic(s.control, doc);
    ASSERT_FALSE(rec.events.empty());
    EXPECT_EQ(rec.events[0], "picture " + std::string(s.picture));
    if (s.title.empty()) {
        EXPECT_EQ(rec.events.size(), 1u) << "the text is left alone";
        EXPECT_EQ(doc.plainText(), "Итого");
        return;
    }
    ASSERT_GE(rec.events.size(), 3u);
    EXPECT_EQ(rec.events[1], "clear");
    EXPECT_EQ(std::count(rec.events.begin(), rec.events.end(), "clear"), 1);
    EXPECT_EQ(std::count_if(rec.events.begin(), rec.events.end(),
                            [](auto& e) { return e.starts_with("picture"); }),
              1);
}

TEST_P(TopicShape, ShownTwiceOrAfterAnEstimateGivesTheSameDocument) {
    const Shape& s = GetParam();
    if (s.title.empty()) { // picture only: the estimate's text stays
        DescriptionDocument doc = messyDocument();
        info::showTopic(s.control, doc);
        info::showTopic(s.control, doc);
        EXPECT_EQ(doc.picture(), s.picture);
        EXPECT_EQ(doc.paragraphs(), messyDocument().paragraphs());
        return;
    }
    DescriptionDocument fresh;
    info::showTopic(s.control, fresh);
    DescriptionDocument again = messyDocument();
    info::showTopic("EditSquare", again);
    info::showTopic(s.control, again);
    info::showTopic(s.control, again);
    EXPECT_EQ(again.paragraphs(), fresh.paragraphs());
    DescriptionDocument afterEstimate = messyDocument();
    info::showTopic(s.control, afterEstimate);
    EXPECT_EQ(afterEstimate.paragraphs(), fresh.paragraphs());
}

// Our own wording follows the fixed lines: one sentence a line, the level slider named.
TEST_P(TopicShape, LinesAreSingleSentencesNamingTheirSlider) {
    const Shape& s = GetParam();
    DescriptionDocument doc;
    info::showTopic(s.control, doc);
    bool namesSlider = s.slider.empty();
    for (const Paragraph& p : doc.paragraphs()) {
        SCOPED_TRACE(p.text);
        for (std::string_view stop : {". ", "! ", "? "})
            EXPECT_EQ(p.text.find(stop), std::string::npos) << "two sentences";
        EXPECT_FALSE(p.text.ends_with("."));
        EXPECT_EQ(p.text.find("http"), std::string::npos);
        EXPECT_EQ(p.text.find("www."), std::string::npos);
        namesSlider = namesSlider || p.text.find(s.slider) != std::string::npos;
    }
    EXPECT_TRUE(namesSlider) << "no line names " << s.slider;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, TopicShape, testing::ValuesIn(shapes),
                         [](const auto& info) { return std::string(info.param.handler); });

class FixedText : public testing::TestWithParam<Text> {};

TEST_P(FixedText, WritesExactlyTheseParagraphs) {
    const Text& t = GetParam();
    DescriptionDocument doc;
    ASSERT_TRUE(info::showTopic(t.control, doc));
    const auto& ps = doc.paragraphs();
    ASSERT_EQ(ps.size(), t.lines.size());
    for (size_t i = 0; i < ps.size(); ++i) {
        const Line& want = t.lines[i];
        SCOPED_TRACE(want.text);
        EXPECT_EQ(ps[i].text, want.text);
        EXPECT_EQ(ps[i].format.align, want.look == Look::Centre ? Align::Center : Align::Left);
        EXPECT_EQ(ps[i].format.bullets, want.look == Look::Bullet);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FixedText, testing::ValuesIn(fixedTexts()),
                         [](const auto& info) { return std::string(info.param.control); });

TEST(TopicCatalogue, HasExactlyTheFiftyTwoHandlers) {
    std::set<std::string> want, have;
    for (const Shape& s : shapes)
        want.insert(std::string(s.handler));
    for (const info::Topic& t : info::topicCatalogue())
        have.insert(t.handler());
    EXPECT_EQ(want.size(), 52u);
    EXPECT_EQ(info::topicCatalogue().size(), 52u);
    EXPECT_EQ(have, want);
}

TEST(TopicCatalogue, NamesOnlyCarriedPicturesAndUsesEveryTopicPicture) {
    const std::set<std::string_view> carried(pictureNames.begin(), pictureNames.end());
    ASSERT_EQ(carried.size(), 64u);
    const std::set<std::string_view> forTopics(pictureNames.begin(),
                                               pictureNames.begin() + topicPictureCount);
    std::set<std::string_view> used;
    for (const info::Topic& t : info::topicCatalogue()) {
        EXPECT_TRUE(carried.contains(t.picture)) << t.picture;
        used.insert(t.picture);
    }
    EXPECT_EQ(used, forTopics);
}

TEST(TopicCatalogue, OtherControlsHaveNoTopicAndLeaveTheDocumentAlone) {
    for (std::string_view name : {"CBStend", "CBTeh", "RGClass", "RGVitrinTip", "TrackMebel",
                                  "ButtonCalc", "LabelVedramo", "RichEdit", "", "cb3d"}) {
        DescriptionDocument doc = messyDocument();
        EXPECT_FALSE(info::showTopic(name, doc)) << name;
        EXPECT_EQ(doc.picture(), "CALC");
        EXPECT_EQ(doc.plainText(), "Итого");
    }
}

TEST(TopicCatalogue, SelectsAllOnlyInTheThreeCountEdits) {
    std::set<std::string_view> selecting;
    for (const Shape& s : shapes)
        if (info::selectsAllOnClick(s.control))
            selecting.insert(s.control);
    EXPECT_EQ(selecting, (std::set<std::string_view>{"EditCompStudent", "EditVitrinManeken",
                                                     "EditVitrinPusto"}));
    EXPECT_FALSE(info::selectsAllOnClick("EditSquare"));
    EXPECT_FALSE(info::selectsAllOnClick("CBStend"));
}

// The film, programs, tests and literature topics point to the seller's site by its bare host.
TEST(TopicCatalogue, SiteLinesNameTheBareHost) {
    for (std::string_view control : {"CBTehFilm", "CBTehProgramma", "CBTehTest", "CBTehBook"}) {
        DescriptionDocument doc;
        info::showTopic(control, doc);
        const std::string& line = doc.paragraphs().at(3).text; // title, gap, first, second
        EXPECT_NE(line.find(": " + std::string(seller::site) + " в разделе \""), std::string::npos)
            << control << ": " << line;
        EXPECT_TRUE(doc.paragraphs().at(3).format.bullets);
    }
}

TEST(TopicCatalogue, ShopIsCalledByTheNameTheBuildGivesIt) {
    for (std::string_view control : {"RBCompNetWifi", "RBCompNetProvod", "EditStendS"}) {
        DescriptionDocument doc;
        info::showTopic(control, doc);
        EXPECT_NE(doc.plainText().find(seller::shopName), std::string::npos) << control;
    }
}

TEST(TopicCatalogue, PlainLinesAfterABulletedTopicHaveNoBullets) {
    DescriptionDocument doc;
    info::showTopic("CBVitrinEB", doc);
    info::showTopic("EditSquare", doc);
    for (const Paragraph& p : doc.paragraphs())
        EXPECT_FALSE(p.format.bullets) << p.text;
}

} // namespace
