// SPDX-License-Identifier: MIT
// The office suite as the calculator uses it: a spreadsheet that opens, fills, reads and shows
// request workbooks, and a word processor that builds the printout. The implementation is a
// plugin loaded at run time: kc_office_uno (LibreOffice through UNO) on Linux, kc_office_com
// (Excel and Word by COM automation) on Windows; this header is all the calculator and the
// plugin share, so it holds plain C++ types only.
//
// Every call blocks the calling thread until the office answers, within a bounded time.
// Failures are thrown as std::runtime_error.
#pragma once

#include "estimate/document.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace office {

struct CellValue {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    std::string text; // UTF-8

    static CellValue ofNumber(double n) { return {Kind::Number, n, {}}; }
    static CellValue ofText(std::string t) { return {Kind::Text, 0, std::move(t)}; }
    bool operator==(const CellValue&) const = default;
};

// The printout's page margins in points; the top one runs from the page's edge to the header.
struct PageMargins {
    double left, top, right, bottom;
};
inline constexpr PageMargins printoutMargins{56, 20, 14, 14};
// The size of the letterhead lines, in points.
inline constexpr double letterheadPoints = 8;
// The language the printout is written in, header and body: the calculator is Russian.
inline constexpr const char* printoutLanguage = "ru";
inline constexpr const char* printoutCountry = "RU";

// The page header of the printout.
struct Letterhead {
    std::vector<unsigned char> logo; // a BMP file's bytes
    int logoWidthPx = 0;
    int logoHeightPx = 0;
    std::string text; // lines separated by '\n'
};

struct SuiteOptions {
    std::string profileDir;       // the office's private profile; created when missing
    std::string officeProgramDir; // the office's program folder; found by loadSuite when empty
    int startTimeoutMs = 30000;   // starting and connecting to the office
    int callTimeoutMs = 30000;    // any one operation; then the call is given up (see below)
    // An office that shows the user's documents is never killed: a call that does not come
    // back within the deadline is given up, and the office is left as it is. An office that
    // only reads workbooks, hidden (false), is killed when a call hangs.
    bool showsDocuments = true;
    // Font files of the calculator's own that the system does not know (the description
    // panel's face): every office the suite starts loads them as well.
    std::vector<std::string> fontFiles;
    // Told what the suite repaired on its own (a one-line sentence), for the calculator's log.
    std::function<void(const std::string&)> notice;
};

class Suite {
  public:
    virtual ~Suite() = default;

    // Spreadsheet. One workbook at a time is "the active workbook".
    // Opens an existing workbook hidden, with no dialog of the office's own, by the Excel 97
    // filter alone; no link of the workbook is updated and no macro runs.
    virtual void openWorkbook(const std::string& path) = 0;
    // The same for reading only: the file is not opened for writing, so no lock file appears
    // beside it.
    virtual void openWorkbookToRead(const std::string& path) = 0;
    // The same as openWorkbook for a workbook the calculator wrote from its own template, which
    // holds no macro; its window, once shown, carries no warning that macros are off.
    virtual void openOwnWorkbook(const std::string& path) = 0;
    virtual void setCell(std::string_view address, std::string_view text) = 0;
    virtual void setCell(std::string_view address, int value) = 0;
    virtual CellValue cell(std::string_view address) = 0;
    virtual void saveWorkbook() = 0;
    // Makes the workbook's window visible and brings it to the front; the workbook stays
    // open for the user and is no longer the active workbook.
    virtual void showWorkbook() = 0;
    // Closes the active workbook; an office that shows documents ends when it shows nothing
    // else, a reading office stays for the next workbook.
    virtual void closeWorkbook() = 0;
    // Forgets the active workbook without any call on the office.
    virtual void dropWorkbook() = 0;
    // Closes whatever document of the file the office shows (tests, or a user's "close").
    virtual void closeDocumentOf(const std::string& path) = 0;

    // Word processor: a new hidden document, filled with the letterhead and the paragraphs,
    // the paragraphs in the font family `bodyFamily` (the office's default when empty); the
    // whole document is marked as written in the printout's language.
    virtual void openWordDocument() = 0;
    virtual void fillWordDocument(const Letterhead& head,
                                  const std::vector<estimate::Paragraph>& body,
                                  const std::string& bodyFamily) = 0;
    virtual void showWordDocument() = 0;
    // Closes the hidden document after a failure; never throws.
    virtual void discardWordDocument() = 0;
    // Stores the document as ODF text, flat XML when the path ends in ".fodt" (for checking
    // what was built).
    virtual void storeWordDocument(const std::string& path) = 0;

    // The title of the office window that shows the file's document, or the printout's when
    // the path is empty.
    virtual std::string windowTitle(const std::string& path) = 0;

    // The office process this suite talks to, 0 when none runs.
    virtual long officePid() const = 0;
    // Ends the office process the suite started, if it shows no document.
    virtual void shutdown() = 0;
    // Starts the office in the background when none runs, so that the next call finds it
    // ready sooner; does not wait for it. A suite whose server starts quickly does nothing.
    virtual void startEarly() {}
};

} // namespace office

// The plugin's one exported function; the caller owns the result.
extern "C" office::Suite* kc_office_create(const office::SuiteOptions* options);
using KcOfficeCreate = office::Suite* (*)(const office::SuiteOptions*);
