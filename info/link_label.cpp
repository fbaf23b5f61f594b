// SPDX-License-Identifier: MIT
#include "info/link_label.h"

#include "info/contrast.h"
#include "info/seller.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace info {

namespace {

constexpr std::string_view subjectAndBody = "КАБИНЕТ ОХРАНЫ ТРУДА&body=";
constexpr std::string_view subject = subjectAndBody.substr(0, subjectAndBody.find('&'));
constexpr std::string_view mailHint = "Написать нам письмо на почту";
constexpr Opens Site = Opens::Site, Mail = Opens::Mail, Nothing = Opens::Nothing;
constexpr Pair Contact = Pair::Contact, Blue = Pair::Blue;

// clang-format off
constexpr Link table[] = {
    // The contact labels on the logo, right edges aligned.
    {"LabelVedramo", "ImagePanel", 385, 4, true, "", seller::shopName, "Перейти на наш сайт", Site, "", Contact, Show::Capitals},
    {"LabelMale", "ImagePanel", 385, 23, true, "", seller::mailPublic, mailHint, Mail, subjectAndBody, Contact},
    {"LabelSale", "ImagePanel", 385, 42, true, "", seller::mailSales, mailHint, Mail, subject, Contact},
    {"LabelTel", "ImagePanel", 385, 63, true, "", seller::phone, "Позвоните нам", Nothing, "", Contact},
    // The blue labels of the section panels and the bottom panel.
    {"LabelStendShop", "StendPanel", 437, 6, false, "", "Магазин", "Ссылка в интернет-магазин стендов", Site, "/stendy_po_tehnike_bezopasnosti/?uid:00070985", Blue},
    {"LabelStendCatalog", "StendPanel", 510, 6, false, "", "Каталог", "Ссылка в интернет - на наш каталог стендов", Site, "/files/prices/stend_brochure.pdf", Blue},
    {"LabelStendPrice", "StendPanel", 583, 6, false, "", "Прайс-лист", "Ссылка в интернет на прайс-лист стендов", Site, "/files/prices/stend_price.xls", Blue},
    {"LabelPlakatShop", "PlakatPanel", 416, 6, false, "", "Магазин плакатов", "Ссылка в интернет-магазин на плакаты", Site, "/plakaty_po_tehnike_bezopasnosti/?uid:00065958", Blue},
    {"LabelPlakatShopPer", "PlakatPanel", 532, 6, false, "", "Магазин перекидных", "Ссылка в интернет-магазин на перекидные системы для плакатов", Site, "/perekidnye_sistemy/?uid:00070653", Blue},
    {"LabelPlakatPrice", "PlakatPanel", 532, 30, false, "", "Прайс-лист плакатов", "Ссылка в интернет на прайс-лист плакатов", Site, "/files/prices/poster_price.xls", Blue},
    {"LabelVitrinObzor", "VitrinPanel", 570, 6, false, "", "Обзор витрин", "Ссылка в интернет на обзор витрин", Site, "/vitriny_dlya_demonstratsii_siz/?uid:000250199", Blue},
    {"LabelVitrinManekenObzor", "VitrinPanel", 553, 35, false, "", "Обзор манекенов", "Ссылка в интернет на обзор манекенов", Site, "/manekeny_dlya_demonstratsii_siz/?uid:000250198", Blue},
    {"LabelVitrinSIZObzor", "VitrinPanel", 576, 62, false, "", "Магазин СИЗ", "Ссылка в интернет-магазин на средства индивидуальной защиты", Site, "/sredstva_individualjnoy_zaschity/?uid:000250188", Blue},
    {"LabelMebelObzor", "MebelPanel", 570, 6, false, "", "Обзор мебели", "Ссылка в интернет на обзор мебели", Site, "/oborudovanie_kabinetov_po_ohrane_truda/?ua:113753#mebel", Blue},
    {"LabelCompObzor", "CompPanel", 387, 107, false, "", "Обзор компьютеров", "Ссылка в интернет на обзор компьютеров", Site, "/oborudovanie_kabinetov_po_ohrane_truda/?ua:113753#comp", Blue},
    {"LabelCompObzorMult", "CompPanel", 539, 107, false, "", "Обзор мультимедиа", "Ссылка в интернет на обзор оборудования", Site, "/oborudovanie_kabinetov_po_ohrane_truda/?ua:113753#mult", Blue},
    {"LabelTehShopBoard", "TehPanel", 416, 8, false, "CBTehBoard", "Магазин", "Ссылка в интернет-магазин на учебные доски", Site, "/magnitno_markernye_doski/?uid:000244318", Blue},
    {"LabelTehShopProgramma", "TehPanel", 416, 31, false, "CBTehProgramma", "Магазин", "Ссылка в интернет-магазин на обучающие программы и тесты", Site, "/obuchayuschie_programmy_i_testy_po_tehnike_bezopasnosti/?uid:000245888", Blue},
    {"LabelTehShopTrenajer", "TehPanel", 416, 54, false, "CBTehTrenajer", "Магазин", "Ссылка в интернет-магазин на медицинские тренажеры", Site, "/meditsinskie_obuchayuschie_trenazhery/?uid:000245445", Blue},
    {"LabelTehShopFilm", "TehPanel", 596, 8, false, "CBTehFilm", "Магазин", "Ссылка в интернет-магазин на видеофилмы по технике безопасности", Site, "/videofiljmy_po_ohrane_truda_i_tehnike_bezopasnosti/?uid:000245855", Blue},
    {"LabelTehShopBook", "TehPanel", 596, 31, false, "CBTehBook", "Магазин", "Ссылка в интернет-магазин на нормативную литературу", Site, "/normativnaya_literatura/?uid:000245839", Blue},
    {"LabelTehShopTest", "TehPanel", 596, 54, false, "CBTehTest", "Магазин", "Ссылка в интернет-магазин на обучающие программы и тесты", Site, "/obuchayuschie_programmy_i_testy_po_tehnike_bezopasnosti/?uid:000245888", Blue},
    {"LabelKabinetKey", "BottomPanel", 426, 14, false, "", "КАБИНЕТ ПОД КЛЮЧ", "Ссылка в интернет в интернет-магазин кабинетов \"Под ключ\"", Site, "/kabinet_ohrany_truda_pod_klyuch/?uid:000250582", Blue},
    {"LabelKabinetModul", "BottomPanel", 552, 14, false, "", "ОСНАЩЕНИЕ КАБИНЕТА", "Ссылка в интернет на обзор про оснащение кабинетов", Site, "/osnaschenie_kabinetov_i_ugolkov_po_ohrane_truda/?ua:16", Blue},
    {"LabelKabinetBooklet", "BottomPanel", 698, 14, false, "", "БУКЛЕТ", "Ссылка в интернет на брошюру - помощник при создании кабинета ОТ", Site, "/files/prices/kabinet_booklet.pdf", Blue},
    {"LabelKabinetPrezent", "BottomPanel", 764, 14, false, "", "ПРЕЗЕНТАЦИЯ", "Ссылка в интернет на видеопрезентацию кабинетов ОТ", Nothing, "", Blue, Show::Never},
};
// clang-format on

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// What screen readers see: a link named by its caption, described by its hint, that opens.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const LinkLabel*>(widget());
        if (t == QAccessible::Name)
            return label->text();
        if (t == QAccessible::Description)
            return label->toolTip();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* linkAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

std::span<const Link> links() {
    return table;
}

const Link* findLink(std::string_view name) {
    for (const Link& l : table)
        if (l.name == name)
            return &l;
    return nullptr;
}

LinkLabel::LinkLabel(const Link& link, QWidget* parent)
    : QLabel(parent)
    , link_(&link) {
    static const bool accessibleOnce = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(accessibleOnce);
    setObjectName(qstr(link.name));
    setText(link.show == Show::Capitals ? qstr(link.caption).toUpper() : qstr(link.caption));
    setToolTip(qstr(link.hint));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    if (link.pair == Pair::Contact)
        setFontStyle(true, false);
    applyLook();
    if (link.show == Show::Never)
        hide(); // kept in the layout, never shown
}

QUrl LinkLabel::target() const {
    switch (link_->opens) {
    case Opens::Site:
        return QUrl(qstr(seller::siteUrl) + qstr(link_->argument));
    case Opens::Mail:
        // Cyrillic and blanks stay as they are; QUrl encodes them when the URL goes out.
        return QUrl("mailto:" + qstr(link_->caption) + "?subject=" + qstr(link_->argument));
    case Opens::Nothing:
        break;
    }
    return {};
}

// The normal look: white bold contact labels, highlight-coloured others. Hovered: underlined,
// in the highlight colour (contact) or pure red (others). Other style flags are kept.
// A colour that reads less than 3 : 1 on what the label stands on (the highlight of a dark
// scheme) gives way to the scheme's link colour, or to itself made lighter or darker, at 4.5 : 1.
void LinkLabel::applyLook() {
    constexpr double keep = keptLinkContrast;
    constexpr double want = textContrast;
    const QPalette& scheme = palette();
    const QColor ground =
        backdrop_.isValid() ? backdrop_ : scheme.color(QPalette::Active, QPalette::Window);
    const QColor link = scheme.color(QPalette::Active, QPalette::Link);
    const QColor highlight =
        readableOn(scheme.color(QPalette::Active, QPalette::Highlight), ground, keep, want, link);
    const bool contact = link_->pair == Pair::Contact;
    const bool lit = hovered_ || hasFocus(); // the keyboard focus looks like the mouse over it
    const QColor colour =
        contact ? (lit ? highlight : QColor(Qt::white))
                : (lit ? readableOn(QColor(255, 0, 0), ground, keep, want) : highlight);
    if (palette().color(QPalette::WindowText) != colour) {
        QPalette p; // only the text colour is the label's own
        p.setColor(QPalette::WindowText, colour);
        setPalette(p);
    }
    if (font().underline() != hovered_)
        setFontStyle(font().bold(), hovered_);
}

void LinkLabel::setBackdrop(const QColor& colour) {
    backdrop_ = colour;
    applyLook();
}

// Sets only the style flags on the label, so that family and size still follow the window.
void LinkLabel::setFontStyle(bool bold, bool underline) {
    const QFont current = font();
    QFont style;
    style.setBold(bold);
    style.setItalic(current.italic());
    style.setStrikeOut(current.strikeOut());
    style.setUnderline(underline);
    setFont(style);
}

void LinkLabel::enterEvent(qt::EnterEvent* event) {
    hovered_ = true;
    applyLook();
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    applyLook();
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(qt::position(*event));
    pressed_ = false;
    if (click)
        activate();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::activate() {
    if (const QUrl url = target(); url.isValid())
        QDesktopServices::openUrl(url); // no browser or mail client: nothing to report
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this); // the platform's focus frame round the caption
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void LinkLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        applyLook(); // the highlight colour follows the system's
    QLabel::changeEvent(event);
}

} // namespace info
