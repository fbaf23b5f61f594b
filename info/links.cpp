// SPDX-License-Identifier: MIT
#include "info/links.h"

#include "info/seller.h"

#include <array>

namespace info {

namespace {

constexpr std::string_view subjectAndBody = "КАБИНЕТ ОХРАНЫ ТРУДА&body=";
constexpr std::string_view subject = subjectAndBody.substr(0, subjectAndBody.find('&'));
constexpr std::string_view mailHint = "Написать нам письмо на почту";
constexpr Opens Site = Opens::Site, Mail = Opens::Mail, Nothing = Opens::Nothing;
constexpr Pair Contact = Pair::Contact, Blue = Pair::Blue;

// clang-format off
constexpr std::array<Link, 26> table{{
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
}};
// clang-format on

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

} // namespace info
