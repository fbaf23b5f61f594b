// SPDX-License-Identifier: MIT
// The window's layout, one row per control, in creation order (parents first). Places are
// left, top, width, height in pixels relative to the parent's client area.
#include "window/layout.h"

#include "estimate/inputs.h"
#include "estimate/showcases.h"

namespace window {

namespace {

// clang-format off
const ControlSpec kControls[] = {
    // name, kind, parent, x, y, w, h, caption (a picture's resource), hint[, description]

    // Regions: top and bottom over the full width, then left and right, the scroll area between.
    {"TopPanel", Kind::Region, "Main", 0, 0, 1232, 57, "", ""},
    {"BottomPanel", Kind::Region, "Main", 0, 604, 1232, 37, "", ""},
    {"LeftPanel", Kind::Region, "Main", 0, 57, 179, 547, "", "Для расчета стоимости можно отключить любую вкладку"},
    {"MemoPanel", Kind::Region, "Main", 837, 57, 395, 547, "", ""},
    {"ScrollBox", Kind::ScrollBox, "Main", 179, 57, 658, 547, "", ""},

    // Section panels, stacked from the top of the scroll area in the order of their switches.
    {"StendPanel", Kind::Section, "ScrollBox", 0, 0, 658, 49, "", ""},
    {"PlakatPanel", Kind::Section, "ScrollBox", 0, 0, 658, 49, "", ""},
    {"VitrinPanel", Kind::Section, "ScrollBox", 0, 0, 658, 175, "", ""},
    {"MebelPanel", Kind::Section, "ScrollBox", 0, 0, 658, 74, "", ""},
    {"CompPanel", Kind::Section, "ScrollBox", 0, 0, 658, 126, "", ""},
    {"TehPanel", Kind::Section, "ScrollBox", 0, 0, 658, 74, "", ""},

    // Top panel, left to right.
    {"RGClass", Kind::RadioGroup, "TopPanel", 8, 9, 389, 42, " Комплектация кабинета ", "Автоматическая подборка составных частей кабинета"},
    {"EditSquare", Kind::Edit, "TopPanel", 419, 30, 113, 21, "Площадь кабинета м2", "Укажите площадь Вашего кабинета в квадратных метрах - не менее 10 метров"},
    {"CB3d", Kind::CheckBox, "TopPanel", 566, 34, 68, 17, "3D-проект", "Выберите, если Вам требуется 3D дизайн кабинета"},
    {"CBDostavka", Kind::CheckBox, "TopPanel", 664, 34, 73, 17, "Доставка", "Выберите, если требуется доставка комплектующих"},
    {"CBSborka", Kind::CheckBox, "TopPanel", 755, 34, 57, 17, "Сборка", "Выберите, если требуется сборка мебели и настройка оборудования "},
    {"EditPrice", Kind::ResultEdit, "TopPanel", 839, 30, 89, 21, "Стоимость", "Здесь будет выведена ориентировочная стоимость расчетного кабинета"},
    {"EditVolume", Kind::ResultEdit, "TopPanel", 934, 30, 77, 21, "Объем", "Здесь будет выведен ориентировочный объем комплектующих (в кубических метрах)"},
    {"EditWeight", Kind::ResultEdit, "TopPanel", 1017, 30, 80, 21, "Вес", "Здесь будет выведен ориентировочный вес комплектующих (в килограммах)"},
    {"EditTime", Kind::ResultEdit, "TopPanel", 1103, 30, 122, 21, "Время монтажа", "Здесь будет выведен ориентировочное время монтажа кабинета из расчета 2 человека (в днях)"},

    // Left panel: the section switches.
    {"CBStend", Kind::CheckBox, "LeftPanel", 8, 6, 121, 17, "Стенды и лозунги", "Нужны ли в Вашем кабинете стенды?"},
    {"CBPlakat", Kind::CheckBox, "LeftPanel", 8, 29, 121, 17, "Плакаты и системы", "Нужны ли в Вашем кабинете перекидные системы и плакаты для них?"},
    {"CBVitrin", Kind::CheckBox, "LeftPanel", 8, 52, 121, 17, "Витрины и манекены", "Нужны ли в Вашем кабинете витрины и манекены для демонстрации СИЗ?"},
    {"CBMebel", Kind::CheckBox, "LeftPanel", 8, 75, 121, 17, "Мебель", "Нужна ли в Вашем кабинете мебель?"},
    {"CBComp", Kind::CheckBox, "LeftPanel", 7, 98, 172, 17, "Компьютеры и оборудование", "Нужны ли в Вашем кабинете компьютеры и другое оборудование?"},
    {"CBTeh", Kind::CheckBox, "LeftPanel", 7, 121, 172, 17, "Средства обучения", "Нужны ли в Вашем кабинете средства обучения?"},

    // Stands, slogans and agitation posters.
    {"EditStendS", Kind::CountEdit, "StendPanel", 6, 22, 70, 21, "Стенды", "Укажите количество стендов для оборудования кабинета"},
    {"EditStendL", Kind::CountEdit, "StendPanel", 82, 22, 70, 21, "Лозунги", "Укажите количество лозунгов для оборудования кабинета"},
    {"EditStendP", Kind::CountEdit, "StendPanel", 158, 22, 70, 21, "Агит-плакаты", "Укажите количество агитационных плакатов для оборудования кабинета"},
    {"RBStendPlastic", Kind::RadioButton, "StendPanel", 238, 26, 123, 17, "пластиковая рамка", "Выберите, если в оформлении стендов и агит-плакатов будет использована пластиковая рамка"},
    {"RBStendAllum", Kind::RadioButton, "StendPanel", 387, 26, 123, 17, "алюминиевый багет", "Выберите, если в оформлении стендов и агит-плакатов будет использован алюминиевый багет"},

    // Posters in wall flip systems.
    {"LabelPlakat", Kind::WrapLabel, "PlakatPanel", 6, 6, 220, 39, "Укажите количество плакатов требуемого формата. Плакаты размещаются в настенных перекидных устройствах", ""},
    {"EditPlakatA4", Kind::CountEdit, "PlakatPanel", 238, 22, 40, 21, "А4", "Укажите требуемое количество плакатов А4 формата"},
    {"EditPlakatA3", Kind::CountEdit, "PlakatPanel", 284, 22, 40, 21, "А3", "Укажите требуемое количество плакатов А3 формата"},
    {"EditPlakatA2", Kind::CountEdit, "PlakatPanel", 330, 22, 40, 21, "А2", "Укажите требуемое количество плакатов А2 формата"},

    // Showcases and mannequins.
    {"CBVitrinSIZ", Kind::CheckBox, "VitrinPanel", 6, 6, 190, 17, "Витрина СИЗ", "Выберите, если в кабинете необходима витрина укомплектованая средствами индивидуальной защиты"},
    {"CBVitrinGO", Kind::CheckBox, "VitrinPanel", 6, 29, 190, 17, "Витрина ГО и ЧС", "Выберите, если в кабинете необходима витрина укомплектованая средствами защиты в чрезвычайных ситуациях"},
    {"CBVitrinEB", Kind::CheckBox, "VitrinPanel", 6, 52, 190, 17, "Витрина Электробезопасность", "Выберите, если в кабинете необходима витрина укомплектованая средствами защиты от электротока"},
    {"CBVitrinPB", Kind::CheckBox, "VitrinPanel", 6, 75, 190, 17, "Витрина Пожарная безопасность", "Выберите, если в кабинете необходима витрина укомплектованая средствами борьбы и защиты от пожара"},
    {"CBVitrinPM", Kind::CheckBox, "VitrinPanel", 6, 98, 190, 17, "Витрина Первая помощь", "Выберите, если в кабинете необходима витрина укомплектованая средствами оказания помощи пострадавшим"},
    {"LabelVitrinPusto", Kind::Label, "VitrinPanel", 6, 121, 85, 13, "Пустые витрины", ""},
    {"EditVitrinPusto", Kind::CountEdit, "VitrinPanel", 107, 118, 28, 21, " ", "Если требуютя пустые витрины - укажите необходимое количество"},
    {"LabelVitrinManeken", Kind::Label, "VitrinPanel", 6, 148, 75, 13, "Манекены СИЗ", ""},
    {"EditVitrinManeken", Kind::CountEdit, "VitrinPanel", 107, 145, 28, 21, " ", "Укажите необходимое количество манекенов для демонстрации СИЗ"},
    {"RGVitrinTip", Kind::RadioGroup, "VitrinPanel", 236, 6, 311, 163, " Тип витрин ", "Выберите тип витрины"},

    // Furniture.
    {"LabelMebel", Kind::Label, "MebelPanel", 6, 6, 39, 13, "МЕБЕЛЬ", ""},
    {"LabelMebelComfort", Kind::Label, "MebelPanel", 6, 25, 132, 13, "уровень комфорта = 10%", "Здесь отображается уровень качества мебели - от 10 до 100%"},
    {"TrackMebel", Kind::Slider, "MebelPanel", 6, 38, 194, 36, "", "Регулятор качества мебели - от 10 до 100%"},
    {"CBMebelPrepod", Kind::CheckBox, "MebelPanel", 247, 6, 146, 17, "Место преподавателя", "Выберите, если необходимо оборудовать мебелью место преподавателя"},
    {"GroupBoxMebel", Kind::GroupBox, "MebelPanel", 238, 26, 327, 24, "", ""},
    {"CBMebelStudent", Kind::CheckBox, "GroupBoxMebel", 9, 3, 102, 17, "Учебные места", "Выберите, если необходимо оборудовать мебелью места для абитуриентов"},
    {"EditMebelMest", Kind::CountEdit, "GroupBoxMebel", 117, 3, 28, 21, " ", "Укажите желаемое количество учебных мест в кабинете"},
    {"RBMebelParta", Kind::RadioButton, "GroupBoxMebel", 180, 3, 57, 17, "парта", "Выберите тип учебного места - парта"},
    {"RBMebelKreslo", Kind::RadioButton, "GroupBoxMebel", 243, 3, 57, 17, "кресло", "Выберите тип учебного места - кресло"},
    {"CBMebelGarderob", Kind::CheckBox, "MebelPanel", 247, 52, 74, 17, "Гардероб", "Выберите, если в кабинете необходима раздевалка (вешалка или гардероб)"},
    {"CBMebeShkaf", Kind::CheckBox, "MebelPanel", 346, 52, 57, 17, "Шкаф", "Выберите, если в кабинете необходим шкаф для документов"},
    {"CBMebelBed", Kind::CheckBox, "MebelPanel", 418, 52, 147, 17, "Кушетка для тренажера", "Выберите, если в кабинете необходима кушетка для отработки медицинских навыков :)"},

    // Computers and equipment.
    {"LabelComp", Kind::Label, "CompPanel", 6, 6, 169, 13, "КОМПЬЮТЕРЫ И ОБОРУДОВАНИЕ", ""},
    {"LabelCompTeh", Kind::Label, "CompPanel", 6, 25, 147, 13, "технический уровень = 10%", "Здесь отображается качественный уровень компьютеров и оборудования - от 10 до 100%"},
    {"TrackComp", Kind::Slider, "CompPanel", 6, 41, 194, 36, "", "Регулятор уровня качества оборудования - от 10 до 100%"},
    {"GroupBoxCompPrepod", Kind::GroupBox, "CompPanel", 238, 5, 399, 24, "", ""},
    {"CBCompPrepod", Kind::CheckBox, "GroupBoxCompPrepod", 9, 3, 158, 17, "Компьютер преподавателя", "Выберите, если необходим компьютер на рабочем месте преподавателя"},
    {"RBCompPrepodNote", Kind::RadioButton, "GroupBoxCompPrepod", 230, 4, 57, 17, "ноутбук", "Выберите, если нужен ноутбук"},
    {"RBCompPrepodStatic", Kind::RadioButton, "GroupBoxCompPrepod", 303, 4, 93, 17, "стационарный", "Выберите, если нужен стационарный компьютер"},
    {"GroupBoxCompStudent", Kind::GroupBox, "CompPanel", 238, 32, 399, 24, "", ""},
    {"CBCompStudent", Kind::CheckBox, "GroupBoxCompStudent", 9, 3, 182, 17, "Компьютеры для тестирования", "Выберите, если необходимы компьютеры для проведения аттестации"},
    {"EditCompStudent", Kind::CountEdit, "GroupBoxCompStudent", 195, 3, 28, 21, " ", "Укажите необходимое количество компьютеров для тестирования"},
    {"RBCompStudentNote", Kind::RadioButton, "GroupBoxCompStudent", 230, 3, 57, 17, "ноутбук", "Выберите, если нужен ноутбук"},
    {"RBCompStudentStatic", Kind::RadioButton, "GroupBoxCompStudent", 303, 3, 93, 17, "стационарный", "Выберите, если нужен стационарный компьютер"},
    {"GroupBoxCompNet", Kind::GroupBox, "CompPanel", 238, 58, 399, 24, "", ""},
    {"CBCompNet", Kind::CheckBox, "GroupBoxCompNet", 9, 3, 158, 17, "Компьютерная сеть", "Выберите, если необходимо объединить компьютеры в сеть"},
    {"RBCompNetWifi", Kind::RadioButton, "GroupBoxCompNet", 230, 4, 57, 17, "wi-fi", "Выберите, если нужен Wi-Fi"},
    {"RBCompNetProvod", Kind::RadioButton, "GroupBoxCompNet", 303, 4, 93, 17, "проводная", "Выберите, если нужно объединить компьютеры в сеть по проводной связи"},
    {"CBCompProector", Kind::CheckBox, "CompPanel", 6, 84, 146, 17, "Видеопроектор + экран", "Выберите, если необходим видеопроектор с экраном"},
    {"CBCompTelephone", Kind::CheckBox, "CompPanel", 166, 84, 70, 17, "Телефон", "Выберите, если необходим телефон"},
    {"CBCompTV", Kind::CheckBox, "CompPanel", 247, 84, 107, 17, "Телевизор + DVD", "Выберите, если необходимо - телевизор и DVD-проигрыватель"},
    {"CBCompPrinter", Kind::CheckBox, "CompPanel", 387, 84, 70, 17, "Принтер", "Выберите, если необходим принтер"},
    {"CBCompAudio", Kind::CheckBox, "CompPanel", 468, 84, 118, 17, "Звуковые колонки", "Выберите, если необходимы звуковые колонки"},

    // Training aids.
    {"LabelTeh", Kind::Label, "TehPanel", 6, 6, 111, 13, "СРЕДСТВА ОБУЧЕНИЯ", ""},
    {"LabelTehComplect", Kind::Label, "TehPanel", 6, 25, 109, 13, "комплектация = 10%", "Здесь отображается комплектация средствами обучения - от 10 до 100%"},
    {"TrackTeh", Kind::Slider, "TehPanel", 6, 38, 194, 36, "", "Регулятор комплектации кабинета средствами обучения - от 10 до 100%"},
    {"CBTehBoard", Kind::CheckBox, "TehPanel", 247, 6, 156, 17, "Магнитно-маркерная доска", "Выберите, если нужна магнитно-маркерная доска"},
    {"CBTehProgramma", Kind::CheckBox, "TehPanel", 247, 29, 138, 17, "Обучающие программы", "Выберите, если нужны обучающие программы"},
    {"CBTehTrenajer", Kind::CheckBox, "TehPanel", 247, 52, 146, 17, "Мед. тренажер", "Выберите, если нужен медицинский тренажер"},
    {"CBTehFilm", Kind::CheckBox, "TehPanel", 472, 6, 90, 17, "Видеофильмы", "Выберите, если нужны видеофильмы по технике безопасности"},
    {"CBTehBook", Kind::CheckBox, "TehPanel", 472, 29, 86, 17, "Литература", "Выберите, если нужна нормативная литература"},
    {"CBTehTest", Kind::CheckBox, "TehPanel", 472, 52, 118, 17, "Тесты и экзамены", "Выберите, если нужны программы для тестирования обучающихся"},

    // Description panel: the picture strip above the rich text.
    {"ImagePanel", Kind::Region, "MemoPanel", 2, 2, 391, 96, "", ""},
    {"Image", Kind::Picture, "ImagePanel", 2, 2, 123, 92, "", ""},
    {"ImageLogo", Kind::Picture, "ImagePanel", 125, 2, 264, 92, ":/logo/strip", ""},
    {"RichEdit", Kind::RichText, "MemoPanel", 2, 98, 391, 447, "", "Краткое описание комплектующих кабинета"},

    // Bottom panel: buttons 80 x 25.
    {"ButtonCalc", Kind::Button, "BottomPanel", 8, 6, 80, 25, "Рассчитать", "Нажмите кнопку для расчета ориентировочной стоимости кабинета"},
    {"ButtonClear", Kind::Button, "BottomPanel", 93, 6, 80, 25, "Сброс", "Нажмите, чтобы очистить все данные"},
    {"ButtonRequest", Kind::Button, "BottomPanel", 179, 6, 80, 25, "Заявка", "Автоматическое заполнение заявки (с выбранными компонентами)"},
    {"ButtonLoad", Kind::Button, "BottomPanel", 265, 6, 80, 25, "Загрузить", "Можно выбрать готовую заявку и загрузить данные в калькулятор"},
    {"ButtonPrint", Kind::Button, "BottomPanel", 1059, 6, 80, 25, "Распечатать", "Нажмите, чтобы распечатать описание в документ Word"},
    {"ButtonClose", Kind::Button, "BottomPanel", 1145, 6, 80, 25, "Закрыть", "", "Закрыть калькулятор; введенные данные не сохраняются"},
};

// clang-format on

QStringList classItems() {
    QStringList items;
    for (const estimate::CabinetClass& c : estimate::cabinetClasses)
        items << QString::fromUtf8(c.item.data(), qsizetype(c.item.size()));
    return items;
}

QStringList showcaseItems() {
    QStringList items;
    for (const estimate::ShowcaseType& t : estimate::showcaseTypes())
        items << QString::fromUtf8(t.caption.data(), qsizetype(t.caption.size()));
    return items;
}

} // namespace

std::span<const ControlSpec> controls() {
    return kControls;
}
std::span<const RadioGroupSpec> radioGroups() {
    static const RadioGroupSpec groups[] = {
        {"RGClass", 3, classItems()},
        {"RGVitrinTip", 1, showcaseItems()},
    };
    return groups;
}

} // namespace window
