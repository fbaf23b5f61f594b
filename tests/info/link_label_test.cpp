// SPDX-License-Identifier: MIT
// Link labels on a real widget: what a click opens, the hint, the hover look.
#include "info/link_label.h"
#include "info/seller.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QTest>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

const info::Link& link(const char* name) {
    return *info::findLink(name);
}

const QString site = q(seller::siteUrl);
const QString mailHint = "Написать нам письмо на почту";

struct Expect {
    const char* name;
    QString caption;
    QString hint;
    QString target; // empty: opens nothing
    bool contact = false;

    friend std::ostream& operator<<(std::ostream& os, const Expect& e) { return os << e.name; }
};

std::vector<Expect> expectations() {
    const QString subject = "?subject=КАБИНЕТ ОХРАНЫ ТРУДА";
    const QString equipment = site + "/oborudovanie_kabinetov_po_ohrane_truda/?ua:113753";
    const QString programs =
        site + "/obuchayuschie_programmy_i_testy_po_tehnike_bezopasnosti/?uid:000245888";
    const QString shop = "Ссылка в интернет-магазин ";
    return {
        {"LabelVedramo", "ВЕДРАМО", "Перейти на наш сайт", site, true},
        {"LabelMale", q(seller::mailPublic), mailHint,
         "mailto:" + q(seller::mailPublic) + subject + "&body=", true},
        {"LabelSale", q(seller::mailSales), mailHint, "mailto:" + q(seller::mailSales) + subject,
         true},
        {"LabelTel", q(seller::phone), "Позвоните нам", "", true},
        {"LabelKabinetKey", "КАБИНЕТ ПОД КЛЮЧ",
         "Ссылка в интернет в интернет-магазин кабинетов \"Под ключ\"",
         site + "/kabinet_ohrany_truda_pod_klyuch/?uid:000250582"},
        {"LabelKabinetModul", "ОСНАЩЕНИЕ КАБИНЕТА",
         "Ссылка в интернет на обзор про оснащение кабинетов",
         site + "/osnaschenie_kabinetov_i_ugolkov_po_ohrane_truda/?ua:16"},
        {"LabelKabinetBooklet", "БУКЛЕТ",
         "Ссылка в интернет на брошюру - помощник при создании кабинета ОТ",
         site + "/files/prices/kabinet_booklet.pdf"},
        {"LabelKabinetPrezent", "ПРЕЗЕНТАЦИЯ", "Ссылка в интернет на видеопрезентацию кабинетов ОТ",
         ""},
        {"LabelStendShop", "Магазин", shop + "стендов",
         site + "/stendy_po_tehnike_bezopasnosti/?uid:00070985"},
        {"LabelStendCatalog", "Каталог", "Ссылка в интернет - на наш каталог стендов",
         site + "/files/prices/stend_brochure.pdf"},
        {"LabelStendPrice", "Прайс-лист", "Ссылка в интернет на прайс-лист стендов",
         site + "/files/prices/stend_price.xls"},
        {"LabelPlakatShop", "Магазин плакатов", shop + "на плакаты",
         site + "/plakaty_po_tehnike_bezopasnosti/?uid:00065958"},
        {"LabelPlakatShopPer", "Магазин перекидных", shop + "на перекидные системы для плакатов",
         site + "/perekidnye_sistemy/?uid:00070653"},
        {"LabelPlakatPrice", "Прайс-лист плакатов", "Ссылка в интернет на прайс-лист плакатов",
         site + "/files/prices/poster_price.xls"},
        {"LabelVitrinObzor", "Обзор витрин", "Ссылка в интернет на обзор витрин",
         site + "/vitriny_dlya_demonstratsii_siz/?uid:000250199"},
        {"LabelVitrinManekenObzor", "Обзор манекенов", "Ссылка в интернет на обзор манекенов",
         site + "/manekeny_dlya_demonstratsii_siz/?uid:000250198"},
        {"LabelVitrinSIZObzor", "Магазин СИЗ", shop + "на средства индивидуальной защиты",
         site + "/sredstva_individualjnoy_zaschity/?uid:000250188"},
        {"LabelMebelObzor", "Обзор мебели", "Ссылка в интернет на обзор мебели",
         equipment + "#mebel"},
        {"LabelCompObzor", "Обзор компьютеров", "Ссылка в интернет на обзор компьютеров",
         equipment + "#comp"},
        {"LabelCompObzorMult", "Обзор мультимедиа", "Ссылка в интернет на обзор оборудования",
         equipment + "#mult"},
        {"LabelTehShopTrenajer", "Магазин", shop + "на медицинские тренажеры",
         site + "/meditsinskie_obuchayuschie_trenazhery/?uid:000245445"},
        {"LabelTehShopFilm", "Магазин", shop + "на видеофилмы по технике безопасности",
         site + "/videofiljmy_po_ohrane_truda_i_tehnike_bezopasnosti/?uid:000245855"},
        {"LabelTehShopBook", "Магазин", shop + "на нормативную литературу",
         site + "/normativnaya_literatura/?uid:000245839"},
        {"LabelTehShopBoard", "Магазин", shop + "на учебные доски",
         site + "/magnitno_markernye_doski/?uid:000244318"},
        {"LabelTehShopProgramma", "Магазин", shop + "на обучающие программы и тесты", programs},
        {"LabelTehShopTest", "Магазин", shop + "на обучающие программы и тесты", programs},
    };
}

// Takes the URLs that the labels hand to the desktop instead of a browser or mail client.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls << url; }
};

class LinkLabelTest : public testing::TestWithParam<Expect> {
  protected:
    void SetUp() override {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        window.resize(300, 100);
        label = new info::LinkLabel(link(GetParam().name), &window);
        label->move(10, 10);
        window.show();
    }
    void TearDown() override {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList opened() const {
        QStringList out;
        for (const QUrl& u : catcher.urls)
            out << u.toString();
        return out;
    }
    void hover(bool in) {
        if (in) {
            QEnterEvent enter(QPointF(2, 2), QPointF(12, 12), QPointF(12, 12));
            QApplication::sendEvent(label, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(label, &leave);
        }
    }
    QColor colour() const { return label->palette().color(QPalette::WindowText); }
    QColor highlight() const {
        return label->palette().color(QPalette::Active, QPalette::Highlight);
    }

    UrlCatcher catcher;
    QWidget window;
    info::LinkLabel* label = nullptr;
};

TEST_P(LinkLabelTest, ShowsCaptionHintAndHandCursor) {
    EXPECT_EQ(label->objectName(), GetParam().name);
    EXPECT_EQ(label->text(), GetParam().caption);
    EXPECT_EQ(label->toolTip(), GetParam().hint);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
}

TEST_P(LinkLabelTest, LeftClickOrEnterOpensExactlyItsTarget) {
    QTest::mouseClick(label, Qt::LeftButton);
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Return);
    const QString want = GetParam().target;
    const QStringList twice{want, want};
    EXPECT_EQ(opened(), want.isEmpty() ? QStringList{} : twice);
}

TEST_P(LinkLabelTest, OtherButtonsAndDragsOutsideOpenNothing) {
    QTest::mouseClick(label, Qt::RightButton);
    QTest::mouseClick(label, Qt::MiddleButton);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 20, 2));
    EXPECT_EQ(opened(), QStringList{});
}

TEST_P(LinkLabelTest, HoverColoursAndUnderlineComeAndGo) {
    const bool contact = GetParam().contact;
    const QColor normal = contact ? QColor(Qt::white) : highlight();
    const QColor hovered = contact ? highlight() : QColor(255, 0, 0);
    EXPECT_EQ(colour(), normal);
    EXPECT_FALSE(label->font().underline());
    EXPECT_EQ(label->font().bold(), contact);
    for (int round = 0; round < 2; ++round) {
        hover(true);
        EXPECT_EQ(colour(), hovered);
        EXPECT_TRUE(label->font().underline());
        EXPECT_EQ(label->font().bold(), contact);
        QTest::mouseClick(label, Qt::LeftButton); // a click keeps the hover look
        EXPECT_EQ(colour(), hovered);
        EXPECT_TRUE(label->font().underline());
        hover(false);
        EXPECT_EQ(colour(), normal);
        EXPECT_FALSE(label->font().underline());
        EXPECT_EQ(label->font().bold(), contact);
    }
}

// The window gives every control its font; hovering must not pin the label to an older one.
TEST_P(LinkLabelTest, KeepsFollowingTheWindowFontAndItalic) {
    QFont first("Liberation Sans");
    first.setPixelSize(11);
    window.setFont(first);
    QFont italic;
    italic.setItalic(true);
    italic.setBold(label->font().bold());
    label->setFont(italic);
    hover(true);
    hover(false);
    QFont windowFont("Liberation Serif");
    windowFont.setPixelSize(17);
    window.setFont(windowFont);
    hover(true);
    EXPECT_EQ(label->font().family(), "Liberation Serif");
    EXPECT_EQ(label->font().pixelSize(), 17);
    EXPECT_TRUE(label->font().italic());
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->font().bold(), GetParam().contact);
}

TEST_P(LinkLabelTest, HighlightColourFollowsTheSystemPalette) {
    const QPalette old = QApplication::palette();
    QPalette changed = old;
    changed.setColor(QPalette::Highlight, QColor(0, 128, 0));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents(); // the change reaches the widgets through the queue
    const bool contact = GetParam().contact;
    EXPECT_EQ(colour(), contact ? QColor(Qt::white) : QColor(0, 128, 0));
    hover(true);
    EXPECT_EQ(colour(), contact ? QColor(0, 128, 0) : QColor(255, 0, 0));
    QApplication::setPalette(old);
    QCoreApplication::processEvents();
}

INSTANTIATE_TEST_SUITE_P(AllLinks, LinkLabelTest, testing::ValuesIn(expectations()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkLabel, PresentationStaysHiddenWhenItsPanelShows) {
    QWidget panel;
    auto* label = new info::LinkLabel(link("LabelKabinetPrezent"), &panel);
    auto* other = new info::LinkLabel(link("LabelKabinetBooklet"), &panel);
    panel.show();
    panel.hide();
    panel.show();
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(other->isVisible());
}

// The desktop gets the subject percent-encoded, as mail links must be; decoded, it is exactly
// the Cyrillic subject.
TEST(LinkLabel, MailTargetsCarryTheSubject) {
    for (const char* name : {"LabelMale", "LabelSale"}) {
        const info::LinkLabel label(link(name), nullptr);
        const QUrl url = label.target();
        EXPECT_EQ(url.scheme(), "mailto");
        EXPECT_EQ(url.path(), label.text());
        const QUrlQuery query(url);
        EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "КАБИНЕТ ОХРАНЫ ТРУДА");
        EXPECT_EQ(query.hasQueryItem("body"), QString(name) == "LabelMale");
        EXPECT_EQ(query.queryItemValue("body"), "");
        EXPECT_TRUE(url.toEncoded().contains(
            "subject=%D0%9A%D0%90%D0%91%D0%98%D0%9D%D0%95%D0%A2%20%D0%9E%D0%A5%D0%A0%D0%90"
            "%D0%9D%D0%AB%20%D0%A2%D0%A0%D0%A3%D0%94%D0%90"));
    }
}

// Paths reach the browser unchanged: no encoding of ':' in the query, the fragment kept.
TEST(LinkLabel, WebTargetsKeepThePathAsWritten) {
    const info::LinkLabel label(link("LabelMebelObzor"), nullptr);
    EXPECT_EQ(label.target().toEncoded(),
              (site + "/oborudovanie_kabinetov_po_ohrane_truda/?ua:113753#mebel").toUtf8());
    EXPECT_EQ(label.target().fragment(), "mebel");
    EXPECT_EQ(label.target().host(), q(seller::site));
}

} // namespace

#include "link_label_test.moc"
