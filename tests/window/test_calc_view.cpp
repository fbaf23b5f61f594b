// SPDX-License-Identifier: MIT
// "Рассчитать" and the description panel that shows the document.
#include "window_fixture.h"

#include "estimate/estimate.h"
#include "window/qt_compat.h"

#include <QMessageBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>

namespace {

class CalcTest : public WindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(CalcTest, FillsTheResultFieldsWithTheEstimate) {
    edit("EditSquare")->setText("50");
    chooseItem("RGClass", GetParam());
    click(widget("ButtonCalc"));

    estimate::DescriptionDocument expectedDoc;
    const estimate::ResultFields r =
        estimate::calculate(w->readConfig(), expectedDoc, decimalPoint().toStdString());
    EXPECT_EQ(edit("EditPrice")->text().toStdString(), r.price);
    EXPECT_EQ(edit("EditVolume")->text().toStdString(), r.volume);
    EXPECT_EQ(edit("EditWeight")->text().toStdString(), r.weight);
    EXPECT_EQ(edit("EditTime")->text().toStdString(), r.time);
    EXPECT_EQ(doc().paragraphs(), expectedDoc.paragraphs());
    EXPECT_EQ(doc().picture(), "CALC");
    EXPECT_FALSE(edit("EditPrice")->text().isEmpty());
    // The volume has decimals here and writes them with the user's separator.
    const QString other = commaLocale() ? QStringLiteral(".") : QStringLiteral(",");
    EXPECT_FALSE(edit("EditVolume")->text().contains(other)) << r.volume;

    // The panel holds one block per paragraph.
    const auto* text = get<QTextEdit>("RichEdit");
    EXPECT_EQ(text->document()->blockCount(), int(expectedDoc.paragraphs().size()));
}

INSTANTIATE_TEST_SUITE_P(Classes, CalcTest, ::testing::Values(0, 1, 2));

TEST_F(WindowTest, EstimateErrorIsShownAndResultsStay) {
    chooseItem("RGClass", 2);
    click(widget("ButtonCalc"));
    const QString price = edit("EditPrice")->text();
    // A count text that the entry rules never let through, put in behind their back.
    edit("EditPlakatA4")->blockSignals(true);
    edit("EditPlakatA4")->setText("x1");
    edit("EditPlakatA4")->blockSignals(false);

    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            box->accept();
        }
    });
    w->ButtonCalcClick();
    EXPECT_TRUE(shown.contains("x1")) << shown.toStdString();
    EXPECT_EQ(edit("EditPrice")->text(), price);
}

// The worked order of the document's format carry-over, then the same after a clear.
TEST_F(WindowTest, PanelDrawsAlignmentBulletsAndStyles) {
    auto& d = doc();
    for (int round = 0; round < 2; ++round) {
        d.clear();
        d.setAlignment(estimate::Align::Center);
        d.setSize(10);
        d.addStyle(estimate::Bold);
        d.append("A");
        d.appendEmpty();
        d.setAlignment(estimate::Align::Left);
        d.setBullets(true);
        d.append("B");
        d.appendEmpty(); // an empty item keeps its bullet
        d.addStyle(estimate::Italic);
        d.append("C");
        d.setBullets(false);
        d.append("D\nsecond line");
    }
    const QTextDocument* td = get<QTextEdit>("RichEdit")->document();
    ASSERT_EQ(td->blockCount(), 6);
    struct Expected {
        Qt::Alignment align;
        bool bullet, bold, italic;
    };
    const Expected expected[] = {
        {Qt::AlignHCenter, false, true, false}, {Qt::AlignHCenter, false, true, false},
        {Qt::AlignLeft, true, true, false},     {Qt::AlignLeft, true, true, false},
        {Qt::AlignLeft, true, true, true},      {Qt::AlignLeft, false, true, true}};
    QTextBlock b = td->begin();
    for (const Expected& e : expected) {
        const int n = b.blockNumber();
        EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, e.align) << n;
        ASSERT_EQ(b.textList() != nullptr, e.bullet) << n;
        if (e.bullet) {
            EXPECT_EQ(b.textList()->format().style(), QTextListFormat::ListDisc);
            EXPECT_GE(b.textList()->format().indent() * td->indentWidth(), 10 * 96 / 72.0);
        }
        const QTextCharFormat f = b.charFormat();
        EXPECT_EQ(f.fontWeight() == QFont::Bold, e.bold) << n;
        EXPECT_EQ(f.fontItalic(), e.italic) << n;
        EXPECT_EQ(f.fontPointSize(), 10) << n;
        b = b.next();
    }
    // The bulleted run is one list; the text with a line break stays one paragraph.
    EXPECT_EQ(td->findBlockByNumber(2).textList(), td->findBlockByNumber(4).textList());
    EXPECT_EQ(td->lastBlock().text(),
              QStringLiteral("D") + QChar(QChar::LineSeparator) + "second line");
}

TEST_F(WindowTest, PicturesShowByNameAndAnEmptyNameClears) {
    auto* image = label("Image");
    doc().showPicture("");
    EXPECT_TRUE(window::qt::pixmapOf(*image).isNull());
    doc().showPicture("NO-SUCH-PICTURE");
    EXPECT_TRUE(window::qt::pixmapOf(*image).isNull());
    EXPECT_EQ(doc().picture(), "NO-SUCH-PICTURE");
    if (QPixmap(":/pictures/CALC").isNull())
        GTEST_SKIP() << "the pictures are not built in";
    doc().showPicture("CALC");
    EXPECT_EQ(window::qt::pixmapOf(*image).size(), QSize(122, 92));
}

} // namespace
