// SPDX-License-Identifier: MIT
// The office plugin kc_office_com.dll against the test automation server of automation_server.cpp
// (the tests' own, not Microsoft Office), under wine: the members called, their order and their
// arguments' types as the server recorded them, the cells written and read back, what the
// clipboard offered to each paste. One row per run:
//
//   com_suite_test.exe ROW       exit code 0 when the row passed
#include "office/suite.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void expect(bool ok, const std::string& what) {
    if (!ok)
        throw Failure(what);
}

std::string utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    s.pop_back();
    return s;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// One row's folder, log and plugin.
struct Run {
    fs::path dir;
    fs::path log;
    std::unique_ptr<office::Suite> suite;

    explicit Run(const std::string& row, int callTimeoutMs = 10000) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = fs::path(temp) / ("kc-com-" + row);
        fs::remove_all(dir);
        fs::create_directories(dir);
        log = dir / "calls.log";
        // The server, started by COM from this process, inherits its environment.
        SetEnvironmentVariableW(L"KC_TEST_OFFICE_LOG", log.wstring().c_str());
        HMODULE plugin = LoadLibraryW(L"kc_office_com.dll");
        expect(plugin, "kc_office_com.dll does not load");
        auto create = reinterpret_cast<KcOfficeCreate>(
            reinterpret_cast<void*>(GetProcAddress(plugin, "kc_office_create")));
        expect(create, "kc_office_create is not exported");
        office::SuiteOptions options;
        options.callTimeoutMs = callTimeoutMs;
        options.notice = [](const std::string& s) { std::printf("notice: %s\n", s.c_str()); };
        suite.reset(create(&options));
        expect(suite != nullptr, "the plugin gives no suite");
    }

    // The calls the server recorded (its start and end lines left out).
    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::istringstream in(readFile(log));
        for (std::string line; std::getline(in, line);)
            if (line.find(" started") == std::string::npos &&
                line.find(" ended") == std::string::npos)
                lines.push_back(line);
        return lines;
    }
    fs::path workbook(const std::string& name, const std::string& cells) const {
        const fs::path file = dir / name;
        std::ofstream(file, std::ios::binary) << cells;
        return file;
    }
};

void expectCalls(const Run& run, const std::vector<std::string>& expected) {
    const auto calls = run.calls();
    for (size_t i = 0; i < std::max(calls.size(), expected.size()); ++i) {
        const std::string got = i < calls.size() ? calls[i] : "(nothing)";
        const std::string want = i < expected.size() ? expected[i] : "(nothing)";
        expect(got.rfind(want, 0) == 0,
               "call " + std::to_string(i + 1) + ": got \"" + got + "\", expected \"" + want + '"');
    }
}

std::string path(const fs::path& p) {
    return p.string();
}
std::string bstr(const fs::path& p) {
    return "BSTR:\"" + utf8(p.wstring()) + '"';
}

void request() {
    Run run("request");
    const fs::path file = run.workbook("blank - user.xls", "");
    run.suite->openOwnWorkbook(path(file));
    run.suite->setCell("E14", "30");
    run.suite->setCell("C17", 1);
    run.suite->setCell("D17", "Да");
    run.suite->setCell("F26", "Пластиковая рамка");
    run.suite->setCell("H66", 50);
    run.suite->saveWorkbook();
    run.suite->showWorkbook();
    const std::string started = readFile(run.log).substr(0, readFile(run.log).find('\n'));
    expect(started == "Excel started, process " + std::to_string(run.suite->officePid()),
           "the shown server's process: " + std::to_string(run.suite->officePid()) + ", " +
               started);
    expectCalls(run, {
                         "Excel Application.AutomationSecurity put I4:3",
                         "Excel Application.DisplayAlerts put BOOL:false",
                         "Excel Application.Workbooks get",
                         "Excel Workbooks.Open call " + bstr(file) + " I4:0",
                         "Excel Application.Range put BSTR:\"E14\" BSTR:\"30\"",
                         "Excel Application.Range put BSTR:\"C17\" I4:1",
                         "Excel Application.Range put BSTR:\"D17\" BSTR:\"Да\"",
                         "Excel Application.Range put BSTR:\"F26\" BSTR:\"Пластиковая рамка\"",
                         "Excel Application.Range put BSTR:\"H66\" I4:50",
                         "Excel Application.ActiveWorkbook get",
                         "Excel Workbook.Save call",
                         "Excel Application.DisplayAlerts put BOOL:true",
                         "Excel Application.Visible put BOOL:true",
                         "Excel Application.Hwnd get",
                     });
    expect(readFile(file) == "C17\tN\t1\nD17\tS\tДа\nE14\tS\t30\nF26\tS\tПластиковая "
                             "рамка\nH66\tN\t50\n",
           "the saved workbook holds: " + readFile(file));
}

void load() {
    Run run("load");
    const fs::path file = run.workbook(
        "request.xls", "E14\tN\t12.5\nC17\tN\t1\nD17\tS\tДа\nF26\tS\tЗолотой алюминиевый багет\n");
    run.suite->openWorkbookToRead(path(file));
    using office::CellValue;
    expect(run.suite->cell("E14") == CellValue::ofNumber(12.5), "E14");
    expect(run.suite->cell("C17") == CellValue::ofNumber(1), "C17");
    expect(run.suite->cell("D17") == CellValue::ofText("Да"), "D17");
    expect(run.suite->cell("F26") == CellValue::ofText("Золотой алюминиевый багет"), "F26");
    expect(run.suite->cell("E27") == CellValue{}, "E27 is empty");
    run.suite->closeWorkbook();
    std::vector<std::string> expected = {
        "Excel Application.AutomationSecurity put I4:3",
        "Excel Application.DisplayAlerts put BOOL:false",
        "Excel Application.Workbooks get",
        "Excel Workbooks.Open call " + bstr(file) + " I4:0 BOOL:true",
    };
    for (const char* cell : {"E14", "C17", "D17", "F26", "E27"}) {
        expected.push_back(std::string("Excel Application.Range get BSTR:\"") + cell + '"');
        expected.push_back("Excel Range.Value get");
    }
    expected.insert(expected.end(), {"Excel Application.ActiveWorkbook get",
                                     "Excel Workbook.Close call", "Excel Application.Quit call"});
    expectCalls(run, expected);
}

void openFails() {
    Run run("open_fails");
    const fs::path missing = run.dir / "gone.xls";
    bool threw = false;
    try {
        run.suite->openWorkbookToRead(path(missing));
    } catch (const std::exception&) {
        threw = true;
    }
    expect(threw, "opening a missing workbook did not fail");
    expectCalls(run, {
                         "Excel Application.AutomationSecurity put I4:3",
                         "Excel Application.DisplayAlerts put BOOL:false",
                         "Excel Application.Workbooks get",
                         "Excel Workbooks.Open call " + bstr(missing) + " I4:0 BOOL:true",
                         "Excel Application.Workbooks get",
                         "Excel Workbooks.Close call",
                         "Excel Application.Quit call",
                     });
}

// A 239 by 52 pixel, 24-bit BMP file.
std::vector<unsigned char> logo() {
    const int width = 239, height = 52, stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<unsigned char> bmp(file.bfSize, 0x80);
    std::memcpy(bmp.data(), &file, sizeof file);
    std::memcpy(bmp.data() + sizeof file, &info, sizeof info);
    return bmp;
}

void printout() {
    Run run("printout");
    office::Letterhead head;
    head.logo = logo();
    head.text = "ООО «Продавец»\nАдрес: Москва\nТел: 1\ne-mail: a@b\nsite\nИНН/КПП 1/2";
    using estimate::Paragraph;
    estimate::ParagraphFormat title, item;
    title.align = estimate::Align::Center;
    title.size = 10;
    title.style = estimate::Bold;
    item.bullets = true;
    item.leftIndent = estimate::ParagraphFormat::bulletIndent;
    item.size = 10;
    const std::vector<Paragraph> body = {{"Кабинет ОТ", title}, {"Стенды: 3 шт.", item}};
    run.suite->openWordDocument();
    run.suite->fillWordDocument(head, body, "Tahoma");
    run.suite->showWordDocument();
    expectCalls(run, {
                         "Word Application.Visible put BOOL:false",
                         "Word Application.Documents get",
                         "Word Documents.Add call",
                         "Word Application.ActiveDocument get",
                         "Word Document.PageSetup get",
                         "Word PageSetup.LeftMargin put I4:56",
                         "Word PageSetup.RightMargin put I4:14",
                         "Word PageSetup.HeaderDistance put I4:20",
                         "Word PageSetup.BottomMargin put I4:14",
                         "Word Document.Sections get",
                         "Word Sections.Item get I4:1",
                         "Word Section.Headers get",
                         "Word HeadersFooters.Item get I4:1",
                         "Word HeaderFooter.Range get",
                         "Word Document.Tables get",
                         "Word Tables.Add call DISPATCH I4:1 I4:2",
                         "Word Application.ActiveDocument get",
                         "Word Document.Sections get",
                         "Word Sections.Item get I4:1",
                         "Word Section.Headers get",
                         "Word HeadersFooters.Item get I4:1",
                         "Word HeaderFooter.Range get",
                         "Word Range.Tables get",
                         "Word Tables.Item get I4:1",
                         "Word Table.Cell get I4:1 I4:1",
                         "Word Cell.VerticalAlignment put I4:1",
                         "Word Application.ActiveDocument get",
                         "Word Document.Sections get",
                         "Word Sections.Item get I4:1",
                         "Word Section.Headers get",
                         "Word HeadersFooters.Item get I4:1",
                         "Word HeaderFooter.Range get",
                         "Word Range.Tables get",
                         "Word Tables.Item get I4:1",
                         "Word Table.Cell get I4:1 I4:1",
                         "Word Cell.Range get",
                         "Word Range.Paste call",
                         "Word   pasted into cell(1,1): 8,",
                         "Word Application.ActiveDocument get",
                         "Word Document.Sections get",
                         "Word Sections.Item get I4:1",
                         "Word Section.Headers get",
                         "Word HeadersFooters.Item get I4:1",
                         "Word HeaderFooter.Range get",
                         "Word Range.Tables get",
                         "Word Tables.Item get I4:1",
                         "Word Table.Cell get I4:1 I4:2",
                         "Word Cell.Range get",
                         "Word Range.Font get",
                         "Word Font.Size put I4:8",
                         "Word Range.Text put BSTR:\"ООО «Продавец»\\nАдрес: Москва\\nТел: 1\\n"
                         "e-mail: a@b\\nsite\\nИНН/КПП 1/2\"",
                         "Word Range.LanguageID put I4:1049",
                         "Word Application.ActiveDocument get",
                         "Word Document.Paragraphs get",
                         "Word Paragraphs.Last get",
                         "Word Paragraph.Range get",
                         "Word Range.Paste call",
                         "Word   pasted into body: Rich Text Format,13",
                         "Word Application.Visible put BOOL:true",
                         "Word Application.Activate call",
                     });
    const auto calls = run.calls();
    const auto logoPaste = std::find_if(calls.begin(), calls.end(), [](const std::string& c) {
        return c.find("pasted into cell(1,1)") != std::string::npos;
    });
    expect(logoPaste->find("dib=239x52x24") != std::string::npos, "the logo: " + *logoPaste);
    const std::string rtf = readFile(run.log.string() + ".paste1.rtf");
    for (const char* part : {"{\\rtf1", "Tahoma", "\\lang1049", "\\qc", "\\fs20\\b \\u1050?",
                             "\\ql\\ls1\\fi-200\\li200\\fs20 \\u1057?"})
        expect(rtf.find(part) != std::string::npos, std::string("the RTF lacks ") + part);
}

void noServer() {
    Run run("no_server");
    for (const auto& job : std::vector<std::function<void()>>{
             [&] { run.suite->openWorkbook(path(run.workbook("r.xls", ""))); },
             [&] { run.suite->openWordDocument(); }}) {
        std::string error;
        try {
            job();
        } catch (const std::exception& e) {
            error = e.what();
        }
        expect(error.find("0x800401F3") != std::string::npos, "not CO_E_CLASSSTRING: " + error);
    }
    expect(!fs::exists(run.log), "a server was started");
}

// A server that does not answer: the call fails after the deadline, the server is forgotten.
void hungServer() {
    SetEnvironmentVariableW(L"KC_TEST_OFFICE_HANG", L"Range");
    Run run("hung_server", 2000);
    run.suite->openOwnWorkbook(path(run.workbook("r.xls", "")));
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    try {
        run.suite->setCell("E14", "30");
    } catch (const std::exception& e) {
        error = e.what();
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("the cell write failed after %lld ms: %s\n", static_cast<long long>(ms),
                error.c_str());
    expect(error.find("did not answer") != std::string::npos, "no timeout: " + error);
    expect(ms >= 2000 && ms < 8000, "the deadline was not kept");
    expect(run.suite->officePid() == 0, "the hung server is still the suite's");
}

struct Row {
    const char* name;
    void (*run)();
};
const Row rows[] = {
    {"request", request},   {"load", load},          {"open_fails", openFails},
    {"printout", printout}, {"no_server", noServer}, {"hung_server", hungServer},
};

} // namespace

int main(int argc, char** argv) {
    for (const Row& row : rows)
        if (argc == 2 && std::string(argv[1]) == row.name) {
            try {
                row.run();
                std::printf("%s: passed\n", row.name);
                return 0;
            } catch (const std::exception& e) {
                std::printf("%s: FAILED: %s\n", row.name, e.what());
                return 1;
            }
        }
    std::printf("usage: com_suite_test ROW (request, load, open_fails, printout, no_server, "
                "hung_server)\n");
    return 2;
}
