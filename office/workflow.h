// SPDX-License-Identifier: MIT
// The three office jobs of the window, "Заявка", "Загрузить" and "Распечатать", without the
// dialogs: they take the chosen path and give back what the window must show. The office
// suite is loaded from the plugin on first use; without it the jobs fail as a server that
// cannot be started does.
#pragma once

#include "estimate/config.h"
#include "estimate/document.h"
#include "office/suite.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QTimer;

namespace office {

// The fixed sentences of the message boxes.
inline const QString msgFileInUse = QStringLiteral("Файл уже используется");
inline const QString msgCannotRead = QStringLiteral("Не могу прочитать файл");
inline const QString msgCannotLoad = QStringLiteral("Приложению не удается загрузить файл");
inline const QString msgCannotClose = QStringLiteral("Приложению не удается закрыть Файл");

// The profile of the office that reads workbooks for "Загрузить", beside the given one.
std::string readerProfileDir(const std::string& profileDir);
// How long the reading office waits idle for the next "Загрузить" before it is ended.
inline constexpr int readerIdleMs = 5 * 60 * 1000;

class Documents {
  public:
    Documents(); // the calculator's own office profile
    explicit Documents(SuiteOptions options);
    ~Documents(); // drops the suite, documents the user sees stay open; ends the reading office
    Documents(const Documents&) = delete;
    Documents& operator=(const Documents&) = delete;

    // The suite of the office that shows the user's documents ("Заявка", "Распечатать"),
    // loaded on first use; nullptr when the plugin cannot be loaded.
    Suite* suite();
    // The suite of the office that reads workbooks ("Загрузить"): hidden, on a profile of its
    // own, showing nothing; killed when it hangs, ended after readerIdleMs idle and when the
    // program quits.
    Suite* reader();
    const SuiteOptions& options() const { return options_; }
    std::string profileUrl() const;

    // The wrappers. OpenWorkbook gives false without a message for a missing file or one in
    // use, and with "Приложению не удается загрузить файл" when the office fails. `use`: a
    // request just written from the calculator's template (Suite::openOwnWorkbook), a workbook
    // from anywhere to be read (Suite::openWorkbookToRead), or any workbook to be written.
    enum class WorkbookUse { Write, OwnRequest, ToRead };
    bool OpenWorkbook(const QString& path, QStringList& messages,
                      WorkbookUse use = WorkbookUse::Write);
    void CloseWorkbook(QStringList& messages);
    bool OpenWordDocument();

    // "Заявка": writes the template to a file of its own beside the path, opens it, fills the
    // cells of the configuration and saves it; renamed to the path once saved whole, the
    // request is shown from there, so that the user's later saves go to the path. A request
    // that fails leaves the path as it was and nothing beside it. Gives the messages to show,
    // in order.
    QStringList writeRequest(const QString& path, const estimate::CabinetConfig& config);

    // "Загрузить" is about to ask for a file: the reading office starts meanwhile.
    void prepareLoad();

    // "Загрузить": reads every cell into a copy of `current`. Gives the loaded record, or
    // nothing when the load failed or did not happen (then `messages` says why, if at all).
    std::optional<estimate::CabinetConfig> readRequestFile(const QString& path,
                                                           const estimate::CabinetConfig& current,
                                                           QStringList& messages);

    // "Распечатать": a new document with the letterhead and the description, shown to the
    // user; the description also goes onto the clipboard as rich text. A failure shows
    // nothing and closes the half-built document. Gives true when the document was shown.
    // `show` false (tests): leave the document hidden, for storing it. `bodyFamily`: the font
    // family of the description panel, which the body takes (the office's default when empty).
    bool printout(const estimate::DescriptionDocument& description, bool show = true,
                  const QString& bodyFamily = {});

  private:
    Suite* load(std::unique_ptr<Suite>& slot, const SuiteOptions& options);
    void endReaderLater();

    SuiteOptions options_;
    std::unique_ptr<Suite> suite_;
    std::unique_ptr<Suite> reader_;
    Suite* active_ = nullptr; // the suite of the active workbook
    std::unique_ptr<QTimer> readerIdle_;
};

// The calculator's one Documents, created on first use and never destroyed: at program end
// the office references are simply dropped, and whatever the user sees stays open.
Documents& sharedDocuments();
// Makes the next sharedDocuments() use these options (tests with a profile of their own).
void useSharedDocuments(const SuiteOptions& options);

// A font file of the calculator's own that the system does not know (the description panel's
// face): offices started afterwards load it too, so that they draw the printout in that face.
void shareFontWithOffice(const QString& file);

// The letterhead of the printout: the logo ":/logo/LOGO" when the program carries it, and
// the seller's six lines.
Letterhead sellerLetterhead();

// The description as HTML, the way the clipboard carries rich text.
QString descriptionHtml(const estimate::DescriptionDocument& description);

} // namespace office
