// SPDX-License-Identifier: MIT
#include "office/workflow.h"

#include "info/seller.h"
#include "office/host.h"
#include "office/log.h"
#include "office/plugin_loader.h"
#include "office/processes.h"
#include "office/request.h"
#include "office/save_place.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

namespace office {

namespace {

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "ИНН 7700000000, КПП 770000000, ..." gives "7700000000/770000000".
QString innKpp(const QString& legal) {
    const auto inn = QRegularExpression(QStringLiteral("ИНН\\s*(\\d+)")).match(legal);
    const auto kpp = QRegularExpression(QStringLiteral("КПП\\s*(\\d+)")).match(legal);
    if (inn.hasMatch() && kpp.hasMatch())
        return inn.captured(1) + '/' + kpp.captured(1);
    return legal;
}

} // namespace

Letterhead sellerLetterhead() {
    Letterhead head;
    QFile logo(QStringLiteral(":/logo/LOGO"));
    if (logo.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = logo.readAll();
        const QImage image = QImage::fromData(bytes);
        head.logo.assign(bytes.begin(), bytes.end());
        head.logoWidthPx = image.width();
        head.logoHeightPx = image.height();
    }
    const QStringList lines = {
        fromView(seller::company),
        QStringLiteral("Адрес: ") + fromView(seller::address),
        QStringLiteral("Тел: ") + fromView(seller::phone),
        QStringLiteral("e-mail: ") + fromView(seller::mailSales),
        fromView(seller::site),
        QStringLiteral("ИНН/КПП ") + innKpp(fromView(seller::legal)),
    };
    head.text = lines.join('\n').toStdString();
    return head;
}

QString descriptionHtml(const estimate::DescriptionDocument& description) {
    QString html = QStringLiteral("<html><body>");
    bool inList = false;
    for (const auto& p : description.paragraphs()) {
        const auto& f = p.format;
        if (f.bullets != inList) {
            html += f.bullets ? QStringLiteral("<ul>") : QStringLiteral("</ul>");
            inList = f.bullets;
        }
        QString text = QString::fromStdString(p.text).toHtmlEscaped();
        if (f.bold())
            text = "<b>" + text + "</b>";
        if (f.italic())
            text = "<i>" + text + "</i>";
        const QString style = QStringLiteral(" style=\"font-size:%1pt\"").arg(f.size);
        const QString align =
            f.align == estimate::Align::Center ? QStringLiteral(" align=\"center\"") : QString();
        html += f.bullets ? "<li" + align + style + ">" + text + "</li>"
                          : "<p" + align + style + ">" + text + "</p>";
    }
    if (inList)
        html += QStringLiteral("</ul>");
    return html + QStringLiteral("</body></html>");
}

namespace {
Documents* shared = nullptr;
std::vector<std::string> sharedFonts;
} // namespace

void shareFontWithOffice(const QString& file) {
    sharedFonts.push_back(QFile::encodeName(file).toStdString());
}

Documents& sharedDocuments() {
    if (!shared)
        shared = new Documents;
    return *shared;
}

void useSharedDocuments(const SuiteOptions& options) {
    shared = new Documents(options); // an earlier one is left as it is, like at program end
}

std::string readerProfileDir(const std::string& profileDir) {
    return profileDir + "-reader";
}

Documents::Documents() {
    options_.profileDir = defaultProfileDir().toStdString();
}

Documents::Documents(SuiteOptions options)
    : options_(std::move(options)) {}

Documents::~Documents() {
    if (reader_)
        reader_->shutdown();
}

Suite* Documents::load(std::unique_ptr<Suite>& slot, const SuiteOptions& options) {
    if (!slot) {
        for (const std::string& font : sharedFonts)
            if (std::find(options_.fontFiles.begin(), options_.fontFiles.end(), font) ==
                options_.fontFiles.end())
                options_.fontFiles.push_back(font);
        if (!options_.notice)
            options_.notice = [](const std::string& what) {
                qCInfo(kcOffice).noquote() << QString::fromStdString(what);
            };
        SuiteOptions given = options;
        given.fontFiles = options_.fontFiles;
        given.notice = options_.notice;
        QString error;
        slot = loadSuite(given, &error);
        if (!slot)
            qCInfo(kcOffice).noquote() << "no office:" << error.trimmed();
    }
    return slot.get();
}

Suite* Documents::suite() {
    return load(suite_, options_);
}

Suite* Documents::reader() {
    SuiteOptions options = options_;
    options.profileDir = readerProfileDir(options_.profileDir);
    options.showsDocuments = false;
    return load(reader_, options);
}

// The reading office stays for the next load a while, and ends when the program quits.
void Documents::endReaderLater() {
    if (!QCoreApplication::instance())
        return;
    if (!readerIdle_) {
        readerIdle_ = std::make_unique<QTimer>();
        readerIdle_->setSingleShot(true);
        readerIdle_->setInterval(readerIdleMs);
        const auto end = [this] {
            if (reader_)
                reader_->shutdown();
        };
        QObject::connect(readerIdle_.get(), &QTimer::timeout, end);
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         readerIdle_.get(), end);
    }
    readerIdle_->start();
}

std::string Documents::profileUrl() const {
    return office::profileUrl(options_.profileDir);
}

bool Documents::OpenWorkbook(const QString& path, QStringList& messages, WorkbookUse use) {
    if (!QFileInfo(path).isFile() || FileInUse(path.toStdString(), profileUrl()))
        return false;
    // A lock left behind by an office that has ended would make the office ask whether to
    // open the file anyway; its holder is gone, so the lock goes.
    QFile::remove(QString::fromStdString(lockFilePath(path.toStdString())));
    Suite* s = use == WorkbookUse::ToRead ? reader() : suite();
    if (!s) {
        messages << msgCannotLoad;
        return false;
    }
    active_ = s;
    try {
        if (use == WorkbookUse::ToRead)
            s->openWorkbookToRead(path.toStdString());
        else if (use == WorkbookUse::OwnRequest)
            s->openOwnWorkbook(path.toStdString());
        else
            s->openWorkbook(path.toStdString());
        return true;
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "opening" << path << "failed:" << e.what();
        messages << msgCannotLoad;
        s->dropWorkbook();
        if (s == reader_.get())
            endReaderLater();
        else
            s->shutdown(); // ends the office unless it shows a document
        return false;
    }
}

void Documents::CloseWorkbook(QStringList& messages) {
    if (!active_)
        return;
    try {
        active_->closeWorkbook();
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "closing the workbook failed:" << e.what();
        messages << msgCannotClose;
        active_->dropWorkbook();
    }
    if (active_ == reader_.get())
        endReaderLater();
}

bool Documents::OpenWordDocument() {
    Suite* s = suite();
    if (!s)
        return false;
    try {
        s->openWordDocument();
        return true;
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "opening a text document failed:" << e.what();
        return false;
    }
}

QStringList Documents::writeRequest(const QString& chosen, const estimate::CabinetConfig& config) {
    QStringList messages;
    // A link that someone else can have put at the chosen name is replaced, not followed.
    const QString path = saveDestination(chosen);
    if (suite_)
        suite_->dropWorkbook();
    if (FileInUse(path.toStdString(), profileUrl())) {
        qCInfo(kcOffice) << path << "is in use";
        return {msgFileInUse};
    }
    // The request is made in a file of its own beside the chosen one (the same file system, so
    // that it can take the chosen name whole), hidden, the user's alone while it is made.
    // QTemporaryFile holds its file open until it is destroyed, which on Windows keeps every
    // other program, the office too, from it: it only names the side file and writes it.
    struct SideFile {
        QString name;
        bool keep = false;
        ~SideFile() {
            if (!keep && !name.isEmpty())
                QFile::remove(name);
        }
    } sideFile;
    {
        const QFileInfo target(path);
        QTemporaryFile side(target.absoluteDir().filePath('.' + target.fileName() + ".XXXXXX"));
        side.setAutoRemove(false);
        QFile blank(QStringLiteral(":/templates/BLANK"));
        const bool opened = side.open();
        if (opened)
            sideFile.name = side.fileName();
        if (!opened || !blank.open(QIODevice::ReadOnly) ||
            side.write(blank.readAll()) != blank.size() || !side.flush()) {
            qCInfo(kcOffice) << "writing the template beside" << path
                             << "failed:" << side.errorString();
            return {msgFileInUse};
        }
    }
    const QString made = sideFile.name;
    const QString madeLock = QString::fromStdString(lockFilePath(made.toStdString()));
    if (!OpenWorkbook(made, messages, WorkbookUse::OwnRequest)) {
        QFile::remove(madeLock);
        if (messages.isEmpty()) // the file went or another program holds it
            messages << msgFileInUse;
        return messages;
    }
    const auto closeMade = [&] {
        try {
            suite_->closeDocumentOf(made.toStdString());
        } catch (const std::exception& e) {
            qCInfo(kcOffice) << "closing" << made << "failed:" << e.what();
        }
        QFile::remove(madeLock); // left by an office that went away or does not answer
    };
    try {
        for (const CellWrite& w : requestCells(config)) {
            if (const auto* text = std::get_if<std::string>(&w.value))
                suite_->setCell(w.address, *text);
            else
                suite_->setCell(w.address, std::get<int>(w.value));
        }
        suite_->saveWorkbook();
        closeMade(); // before the rename: the office lets go of the file and its lock
        suite_->dropWorkbook();
        // The office saved it under umask 077; the request is the user's as any file the user
        // makes.
        giveUsersMode(made.toStdString());
        if (const std::string error = replaceFile(made.toStdString(), path.toStdString());
            !error.empty())
            throw std::runtime_error("cannot rename it: " + error);
        sideFile.keep = true;
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "filling" << made << "for" << path << "failed:" << e.what();
        closeMade();
        suite_->dropWorkbook();
        return {msgFileInUse};
    }
    // Saved whole under the chosen name: the user sees the workbook of that name, and saves it
    // there (measured: the second load costs about 100 ms on a warm office).
    try {
        suite_->dropWorkbook();
        suite_->openOwnWorkbook(path.toStdString());
        suite_->showWorkbook();
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "showing" << path << "failed:" << e.what();
        messages << msgFileInUse;
        suite_->dropWorkbook();
        if (!FileInUse(path.toStdString(), profileUrl())) // the lock of an office that went away
            QFile::remove(QString::fromStdString(lockFilePath(path.toStdString())));
    }
    return messages;
}

void Documents::prepareLoad() {
    if (Suite* s = reader()) {
        s->startEarly();
        endReaderLater(); // ended after a while when no load follows
    }
}

std::optional<estimate::CabinetConfig>
Documents::readRequestFile(const QString& path, const estimate::CabinetConfig& current,
                           QStringList& messages) {
    if (!OpenWorkbook(path, messages, WorkbookUse::ToRead))
        return std::nullopt;
    Suite* s = active_;
    std::optional<estimate::CabinetConfig> loaded;
    try {
        loaded = readRequest([s](std::string_view cell) { return s->cell(cell); }, current);
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "reading" << path << "failed:" << e.what();
        CloseWorkbook(messages);
        messages << msgCannotRead;
        return std::nullopt;
    }
    CloseWorkbook(messages);
    return loaded;
}

bool Documents::printout(const estimate::DescriptionDocument& description, bool show,
                         const QString& bodyFamily) {
    if (!OpenWordDocument())
        return false;
    try {
        suite_->fillWordDocument(sellerLetterhead(), description.paragraphs(),
                                 bodyFamily.toStdString());
        if (auto* clipboard = QGuiApplication::clipboard()) {
            auto* data = new QMimeData;
            data->setHtml(descriptionHtml(description));
            data->setText(QString::fromStdString(description.plainText()));
            clipboard->setMimeData(data);
        }
        if (show)
            suite_->showWordDocument();
        return true;
    } catch (const std::exception& e) {
        qCInfo(kcOffice) << "the printout failed:" << e.what();
        suite_->discardWordDocument();
        return false;
    }
}

} // namespace office
