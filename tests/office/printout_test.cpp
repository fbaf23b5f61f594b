// SPDX-License-Identifier: MIT
// "Распечатать": the document built in the word processor, stored as flat ODF and checked.
#include "tests/office/uno_support.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace officetest;

namespace {

// The description panel's face, as the window passes it.
const QString panelFamily = QStringLiteral("Tahoma");

QString storedPrintout(const estimate::DescriptionDocument& doc) {
    EXPECT_TRUE(documents().printout(doc, false, panelFamily));
    const QString path = QDir(scratchDir()).filePath("printout.fodt");
    suite().storeWordDocument(path.toStdString());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

// The welcome text's way of writing: centred bold title, bulleted left lines, then italic.
estimate::DescriptionDocument sample() {
    estimate::DescriptionDocument d;
    d.setSize(10);
    d.addStyle(estimate::Bold);
    d.setAlignment(estimate::Align::Center);
    d.append("КАЛЬКУЛЯТОР РАСЧЕТА СТОИМОСТИ");
    d.appendEmpty();
    d.setAlignment(estimate::Align::Left);
    d.setBullets(true);
    d.append("Стенды: 5 шт.");
    d.addStyle(estimate::Italic);
    d.append("Лозунги: 3 шт.");
    d.setBullets(false);
    d.append("Итого: 15 000 руб.");
    return d;
}

// The automatic paragraph style a paragraph of the body uses, and that style's definition.
struct Para {
    QString style;
    QString text;
    bool inList;
};

std::vector<Para> bodyParagraphs(const QString& xml) {
    const QString body = xml.mid(xml.indexOf("<office:text"));
    std::vector<Para> out;
    QRegularExpression p(R"re(<text:p text:style-name="([^"]+)"\s*(?:/>|>(.*?)</text:p>))re");
    auto it = p.globalMatch(body);
    while (it.hasNext()) {
        const auto m = it.next();
        const qsizetype at = m.capturedStart();
        const bool inList =
            body.lastIndexOf("<text:list ", at) > body.lastIndexOf("</text:list>", at);
        QString text = m.captured(2);
        text.remove(QRegularExpression("<[^>]+>"));
        out.push_back({m.captured(1), text, inList});
    }
    return out;
}

QString styleOf(const QString& xml, const QString& name) {
    QRegularExpression s("<style:style style:name=\"" + QRegularExpression::escape(name) +
                             "\".*?</style:style>",
                         QRegularExpression::DotMatchesEverythingOption);
    return s.match(xml).captured(0);
}

// A length of the page layout in points ("0.778in", "1.976cm").
double points(const QString& layout, const char* attribute) {
    const auto m =
        QRegularExpression(QString(attribute) + "=\"([0-9.]+)(in|cm|mm|pt)\"").match(layout);
    if (!m.hasMatch())
        return -1;
    const double v = m.captured(1).toDouble();
    const QString unit = m.captured(2);
    return unit == "in" ? v * 72 : unit == "cm" ? v * 72 / 2.54 : unit == "mm" ? v * 72 / 25.4 : v;
}

struct Margin {
    const char* attribute;
    double points;
};

TEST(Printout, PageGeometry) {
    const QString xml = storedPrintout(sample());
    const QString layout =
        QRegularExpression("<style:page-layout-properties[^>]*>").match(xml).captured(0);
    const Margin margins[] = {{"fo:margin-left", 56},
                              {"fo:margin-right", 14},
                              {"fo:margin-top", 20}, // the header's distance from the edge
                              {"fo:margin-bottom", 14}};
    for (const auto& m : margins)
        EXPECT_NEAR(points(layout, m.attribute), m.points, 0.1) << m.attribute;
}

TEST(Printout, HeaderHasTheLogoAndTheLetterhead) {
    const QString xml = storedPrintout(sample());
    const QString header = QRegularExpression("<style:header>.*?</style:header>",
                                              QRegularExpression::DotMatchesEverythingOption)
                               .match(xml)
                               .captured(0);
    ASSERT_FALSE(header.isEmpty());
    EXPECT_EQ(header.count("<table:table-cell"), 2); // one row, two columns
    EXPECT_EQ(header.count("<table:table-row"), 1);
    const auto head = office::sellerLetterhead();
    if (!head.logo.empty()) {
        EXPECT_TRUE(header.contains("<draw:frame")) << "no logo";
        EXPECT_TRUE(header.contains("<office:binary-data>"));
    }
    // Six lines separated by line breaks, at 8 pt.
    EXPECT_EQ(header.count("<text:line-break/>"), 5);
    for (const char* prefix : {"Адрес: ", "Тел: ", "e-mail: ", "ИНН/КПП "})
        EXPECT_TRUE(header.contains(QString::fromUtf8(prefix))) << prefix;
    const QString cellPara =
        QRegularExpression("<text:p text:style-name=\"([^\"]+)\">[^<]*<text:line-break/>")
            .match(header)
            .captured(1);
    const QString span =
        QRegularExpression("<text:span text:style-name=\"([^\"]+)\">[^<]*<text:line-break/>")
            .match(header)
            .captured(1);
    const QString style = styleOf(xml, span.isEmpty() ? cellPara : span);
    EXPECT_TRUE(style.contains("fo:font-size=\"8pt\"")) << style.toStdString();
}

TEST(Printout, BodyKeepsEveryParagraphsFormat) {
    const auto doc = sample();
    const QString xml = storedPrintout(doc);
    const auto paras = bodyParagraphs(xml);
    ASSERT_EQ(paras.size(), doc.paragraphs().size());
    for (size_t i = 0; i < paras.size(); ++i) {
        const auto& want = doc.paragraphs()[i];
        const QString style = styleOf(xml, paras[i].style);
        SCOPED_TRACE("paragraph " + std::to_string(i) + ": " + want.text);
        EXPECT_EQ(paras[i].text.toStdString(), want.text);
        EXPECT_EQ(paras[i].inList, want.format.bullets);
        EXPECT_EQ(style.contains("fo:text-align=\"center\""),
                  want.format.align == estimate::Align::Center);
        EXPECT_TRUE(style.contains("style:font-name=\"" + panelFamily + "\""))
            << style.toStdString();
        if (!want.text.empty()) {
            EXPECT_EQ(style.contains("fo:font-weight=\"bold\""), want.format.bold());
            EXPECT_EQ(style.contains("fo:font-style=\"italic\""), want.format.italic());
            EXPECT_TRUE(style.contains("fo:font-size=\"10pt\"")) << style.toStdString();
        }
    }
}

// Header and body are Russian: the document's default language, which no style overrides.
TEST(Printout, IsWrittenInRussian) {
    const QString xml = storedPrintout(sample());
    const QString defaults = QRegularExpression("<style:default-style style:family=\"paragraph\">"
                                                ".*?</style:default-style>",
                                                QRegularExpression::DotMatchesEverythingOption)
                                 .match(xml)
                                 .captured(0);
    EXPECT_TRUE(defaults.contains("fo:language=\"ru\" fo:country=\"RU\""))
        << defaults.toStdString();
    auto languages =
        QRegularExpression("fo:language=\"([^\"]*)\" fo:country=\"([^\"]*)\"").globalMatch(xml);
    while (languages.hasNext()) {
        const auto m = languages.next();
        EXPECT_EQ(m.captured(1) + '-' + m.captured(2), QStringLiteral("ru-RU"));
    }
}

TEST(Printout, DescriptionGoesOntoTheClipboard) {
    const auto doc = sample();
    ASSERT_TRUE(documents().printout(doc, false));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasHtml());
    EXPECT_TRUE(data->html().contains("<b>КАЛЬКУЛЯТОР РАСЧЕТА СТОИМОСТИ</b>"));
    EXPECT_TRUE(data->html().contains("<li"));
    EXPECT_EQ(data->text().toStdString(), doc.plainText());
}

TEST(Printout, TwoPrintoutsAreTwoDocuments) {
    const auto doc = sample();
    const QString a = storedPrintout(doc);
    const QString b = storedPrintout(doc);
    EXPECT_EQ(bodyParagraphs(a).size(), bodyParagraphs(b).size());
}

} // namespace
