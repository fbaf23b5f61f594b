// SPDX-License-Identifier: MIT
// What every information topic must look like: its picture, its title and how many lines of
// each kind it has. Shared by the catalogue tests and the tests on the real window.
#pragma once

#include <array>
#include <ostream>
#include <string_view>

namespace info_test {

// The level slider a topic names, as a word it must contain.
inline constexpr std::string_view comfort = "уровнем комфорта";
inline constexpr std::string_view technical = "техническим уровнем";
inline constexpr std::string_view completeness = "уровня комплектации";

struct Shape {
    std::string_view handler;
    std::string_view control;
    std::string_view picture;
    std::string_view title; // empty: picture only; "?" : wording of our own
    int centred = 0;        // centred lines after the title
    int bullets = 0;
    int plain = 0;
    int empty = 0; // empty body lines without a bullet
    std::string_view slider = {};

    friend std::ostream& operator<<(std::ostream& os, const Shape& s) { return os << s.handler; }
};

// clang-format off
inline constexpr std::array<Shape, 52> shapes{{
    // handler, control, picture, title, centred, bullets, plain, empty, slider
    {"EditSquareClick", "EditSquare", "SQUARE", "Площадь кабинета", 1, 0, 2},
    {"CB3dMouseDown", "CB3d", "PROJECT", "3D проект кабинета", 1, 3},
    {"CBDostavkaMouseDown", "CBDostavka", "DOSTAVKA", "", 0, 0},
    {"CBSborkaMouseDown", "CBSborka", "MAKER", "", 0, 0},
    {"EditPriceClick", "EditPrice", "MONEY", "Стоимость кабинета Охраны Труда", 1, 2},
    {"EditVolumeClick", "EditVolume", "VOLUME", "Объем комплектующих для кабинета ОТ", 1, 3},
    {"EditWeightClick", "EditWeight", "VES", "Вес комплектующих для кабинета ОТ", 1, 3},
    {"EditTimeClick", "EditTime", "CLOCK", "Оценочное время монтажа кабинета под ключ", 1, 3},
    {"EditStendSClick", "EditStendS", "STEND", "Материалы для изготовления стендов по охране труда", 1, 9},
    {"EditStendLClick", "EditStendL", "LOZUNG", "Лозунги и стенды со знаками", 1, 5},
    {"EditStendPClick", "EditStendP", "PLAKAT", "Агитационные плакаты", 1, 3},
    {"RBStendPlasticMouseDown", "RBStendPlastic", "RAMKA", "Пластиковая рамка", 1, 3},
    {"RBStendAllumMouseDown", "RBStendAllum", "BAGET", "Алюминиевый багет", 1, 3},
    {"EditPlakatA4Click", "EditPlakatA4", "A4", "Плакаты и настенные перекидные системы А4 формата", 1, 5},
    {"EditPlakatA3Click", "EditPlakatA3", "A3", "Плакаты и настенные перекидные системы А3 формата", 2, 8},
    {"EditPlakatA2Click", "EditPlakatA2", "A2", "Плакаты и настенные перекидные системы А2 формата", 2, 8},
    {"CBVitrinSIZMouseDown", "CBVitrinSIZ", "VSIZ", "Витрина для демонстрации средств индивидуальной защиты", 2, 5},
    {"CBVitrinGOMouseDown", "CBVitrinGO", "VGO", "Витрина для демонстрации средств по Гражданской Обороне", 2, 8},
    {"CBVitrinEBMouseDown", "CBVitrinEB", "VEB", "Витрина для демонстрации средств защиты от воздействия электротока", 2, 12},
    {"CBVitrinPBMouseDown", "CBVitrinPB", "VPB", "Витрина для демонстрации средств предупреждения, защиты и последствий пожара", 2, 6},
    {"CBVitrinPMMouseDown", "CBVitrinPM", "VPM", "Витрина для демонстрации средств оказания первой доврачебной помощи", 2, 5},
    {"EditVitrinPustoClick", "EditVitrinPusto", "VPUSTO", "Пустая витрина для демонстрации СИЗ", 3, 2},
    {"EditVitrinManekenClick", "EditVitrinManeken", "MANEKEN", "Манекен для демонстрации спецодежды и средств индивидуальной защиты", 4, 7},
    {"CBMebelPrepodMouseDown", "CBMebelPrepod", "SITTEACHER", "Место преподавателя", 2, 3, 0, 0, comfort},
    {"CBMebeShkafMouseDown", "CBMebeShkaf", "COAT", "Шкаф для документов", 1, 2, 0, 0, comfort},
    {"CBMebelGarderobMouseDown", "CBMebelGarderob", "GARDEROB", "Гардероб", 1, 2, 0, 0, comfort},
    {"CBMebelStudentMouseDown", "CBMebelStudent", "SITPUPLE", "Учебное место", 1, 3, 0, 0, comfort},
    {"EditMebelMestClick", "EditMebelMest", "SITPUPLE", "Количество учебных мест", 1, 2},
    {"RBMebelPartaMouseDown", "RBMebelParta", "PARTA", "Учебная парта", 1, 2, 0, 0, comfort},
    {"RBMebelKresloMouseDown", "RBMebelKreslo", "KRESLO", "Лекционное кресло", 1, 2, 0, 0, comfort},
    {"CBMebelBedMouseDown", "CBMebelBed", "BED", "Кушетка для тренажера", 1, 2, 0, 0, comfort},
    {"CBCompPrepodMouseDown", "CBCompPrepod", "COMPTEACHER", "Компьютер преподавателя", 1, 2, 0, 0, technical},
    {"RBCompPrepodNoteMouseDown", "RBCompPrepodNote", "NOTEBOOK", "Ноутбук преподавателя", 1, 2, 0, 0, technical},
    {"RBCompPrepodStaticMouseDown", "RBCompPrepodStatic", "COMPUTER", "Стационарный компьютер преподавателя", 1, 2, 0, 0, technical},
    {"CBCompStudentMouseDown", "CBCompStudent", "TESTCOMP", "Компьютеры для тестирования", 1, 4, 0, 0, technical},
    {"EditCompStudentClick", "EditCompStudent", "TESTCOMP", "Количество компьютеров для тестирования", 1, 2},
    {"RBCompStudentNoteMouseDown", "RBCompStudentNote", "NOTEBOOK", "Ноутбук для экзаменации", 1, 2, 0, 0, technical},
    {"RBCompStudentStaticMouseDown", "RBCompStudentStatic", "COMPUTER", "Стационарные компьютеры для тестирования", 1, 2, 0, 0, technical},
    {"CBCompNetMouseDown", "CBCompNet", "NET", "Компьютерная сеть", 1, 3},
    {"RBCompNetWifiMouseDown", "RBCompNetWifi", "WIFI", "Компьютерная сеть - Wi-Fi", 3, 1},
    {"RBCompNetProvodMouseDown", "RBCompNetProvod", "PROVOD", "Проводная компьютерная сеть", 2, 1},
    {"CBCompProectorMouseDown", "CBCompProector", "PROECTOR", "Экран с проектором", 1, 5, 0, 0, technical},
    {"CBCompTVMouseDown", "CBCompTV", "TV", "?", 1, 3, 0, 0, technical},
    {"CBCompAudioMouseDown", "CBCompAudio", "AUDIO", "Звуковые колонки", 1, 2, 0, 0, technical},
    {"CBCompPrinterMouseDown", "CBCompPrinter", "PRINTER", "Принтер (МФУ)", 1, 3, 0, 0, technical},
    {"CBCompTelephoneMouseDown", "CBCompTelephone", "PHONE", "Телефон", 1, 2, 0, 0, technical},
    {"CBTehTrenajerMouseDown", "CBTehTrenajer", "TRENAJER", "Тренажер для отработки навыков искусственного дыхания ", 1, 6, 0, 1, completeness},
    {"CBTehFilmMouseDown", "CBTehFilm", "FILM", "Видеофильмы по технике безопасности", 1, 3, 0, 0, completeness},
    {"CBTehBookMouseDown", "CBTehBook", "BOOK", "Нормативная литература", 1, 3, 0, 0, completeness},
    {"CBTehBoardMouseDown", "CBTehBoard", "BOARD", "Магнитно-маркерная доска", 1, 3, 0, 0, completeness},
    {"CBTehProgrammaMouseDown", "CBTehProgramma", "PROGRAMM", "Компьютерные обучающие программы", 1, 3, 0, 0, completeness},
    {"CBTehTestMouseDown", "CBTehTest", "TEST", "Компьютерные тесты и экзамены", 1, 3, 0, 0, completeness},
}};

// The 64 pictures the program carries: 48 for these topics, then those of other writers.
inline constexpr std::array<std::string_view, 64> pictureNames{
    "A2", "A3", "A4", "AUDIO", "BAGET", "BED", "BOARD", "BOOK", "CLOCK", "COAT", "COMPTEACHER",
    "COMPUTER", "DOSTAVKA", "FILM", "GARDEROB", "KRESLO", "LOZUNG", "MAKER", "MANEKEN", "MONEY",
    "NET", "NOTEBOOK", "PARTA", "PHONE", "PLAKAT", "PRINTER", "PROECTOR", "PROGRAMM", "PROJECT",
    "PROVOD", "RAMKA", "SITPUPLE", "SITTEACHER", "SQUARE", "STEND", "TEST", "TESTCOMP", "TRENAJER",
    "TV", "VEB", "VGO", "VPB", "VPM", "VSIZ", "VES", "VOLUME", "VPUSTO", "WIFI",
    "CALC", "KABINET", "PSTEND", "PPER", "PVIT", "PMEBEL", "PTEH", "PTEACH",
    "V1", "V2", "V3", "V4", "V5", "V6", "V7", "V8",
};
inline constexpr int topicPictureCount = 48;
// clang-format on

} // namespace info_test
