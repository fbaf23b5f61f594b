// SPDX-License-Identifier: MIT
// "Сохранить как PDF…": the file written through the window's own menu and shortcut, read back
// with poppler's pdftotext, pdffonts and pdfinfo.
#include "window_fixture.h"

#include "office/workflow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include <csignal>
#include <functional>
#if __has_include(<sys/resource.h>)
#include <sys/resource.h> // a full disk is played with the file size limit, where there is one
#endif
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Answers the save dialog with `path` (or cancels it when empty) and reads the message boxes.
class User {
  public:
    explicit User(QString path)
        : path_(std::move(path)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(10);
    }
    QString dialogFile;          // the file the dialog suggested
    QStringList dialogTexts;     // the dialog's buttons, labels and column headers
    QStringList replaceQuestion; // the question before replacing a file, and its buttons
    QStringList messages;

  private:
    void answer() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
            if (dialogTexts.isEmpty())
                dialogTexts = textsOf(dialog);
            if (dialogFile.isEmpty()) // what it first offered, before the path is typed
                dialogFile =
                    QDir(dialog->directory())
                        .filePath(
                            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text());
            if (path_.isEmpty()) {
                dialog->reject();
                return;
            }
            // The whole path, as a user may type it: Qt 5's dialog does not go to a folder that
            // does not exist.
            dialog->setDirectory(QFileInfo(path_).absolutePath());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path_);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (qobject_cast<QFileDialog*>(box->parentWidget())) {
                replaceQuestion = QStringList{box->text(), box->button(QMessageBox::Yes)->text(),
                                              box->button(QMessageBox::No)->text()};
                box->button(QMessageBox::Yes)->click(); // replace the existing file
                return;
            }
            messages << box->text();
            box->accept();
        }
    }
    static QStringList textsOf(QFileDialog* dialog) {
        QStringList texts;
        for (auto* button : dialog->findChildren<QPushButton*>())
            if (button->isVisible())
                texts << button->text();
        for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            texts << dialog->findChild<QLabel*>(QString::fromLatin1(label))->text();
        const QAbstractItemModel* files = dialog->findChild<QTreeView*>()->model();
        for (int column = 0; column < files->columnCount(); ++column)
            texts << files->headerData(column, Qt::Horizontal).toString();
        return texts;
    }

    QString path_;
    QTimer timer_;
};

// The items of the context menu that `receiver` opens, without their shortcuts.
QStringList menuItems(QWidget* receiver) {
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            receiver->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(receiver, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_NE(menu, nullptr);
    QStringList items;
    if (!menu)
        return items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            items << a->text().section(u'\t', 0, 0);
    menu->close();
    return items;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words separated by single blanks, whatever lines and wrapping the layout gave them; hyphens
// go, as pdftotext joins a word broken at its hyphen.
QString words(QString text) {
    return text.remove(u'-').simplified();
}

class PdfTest : public WindowTest {
  public:
    // Saves through the panel's context menu, answering the dialog with `path`.
    QStringList saveFromMenu(const QString& path) {
        User user(path);
        auto* text = get<QTextEdit>("RichEdit");
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(20, 20), QPoint(20, 20));
        QApplication::sendEvent(text->viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return {};
        QStringList items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                items << a->text().section(u'\t', 0, 0);
        EXPECT_TRUE(items.contains(QStringLiteral("Выделить всё")))
            << items.join(", ").toStdString(); // the standard items stay
        EXPECT_EQ(items.constLast(), QStringLiteral("Сохранить как PDF…"));
        menu->actions().constLast()->trigger();
        suggested = user.dialogFile;
        dialogTexts = user.dialogTexts;
        replaceQuestion = user.replaceQuestion;
        return user.messages;
    }
    // Saves with Ctrl+S in the window.
    QStringList saveWithKeys(const QString& path) {
        User user(path);
        w->activateWindow(); // the shortcut belongs to the active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        suggested = user.dialogFile;
        dialogTexts = user.dialogTexts;
        replaceQuestion = user.replaceQuestion;
        return user.messages;
    }

    QTemporaryDir dir;
    QString suggested;
    QStringList dialogTexts;
    QStringList replaceQuestion;
};

// Qt's own texts in Russian under every locale, and ours beside them letter for letter.
struct QtTextsCase {
    const char* name;
    std::function<QStringList(PdfTest&)> read;
    QStringList expected;
};
void PrintTo(const QtTextsCase& c, std::ostream* os) {
    *os << c.name;
}

class QtTextsTest : public PdfTest, public ::testing::WithParamInterface<QtTextsCase> {};

TEST_P(QtTextsTest, AreRussian) {
    EXPECT_EQ(GetParam().read(*this), GetParam().expected);
}

// A PDF saved twice to one file: the second time the dialog asks before replacing it.
QStringList replaceQuestionOf(PdfTest& t) {
    const QString path = t.dir.filePath(QStringLiteral("дважды.pdf"));
    EXPECT_TRUE(t.saveWithKeys(path).isEmpty());
    EXPECT_TRUE(t.saveWithKeys(path).isEmpty());
    return t.replaceQuestion;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QtTextsTest,
    ::testing::Values(QtTextsCase{"panel_menu",
                                  [](PdfTest& t) {
                                      return menuItems(t.get<QTextEdit>("RichEdit")->viewport());
                                  },
                                  {"&Копировать", "Выделить всё", "Сохранить как PDF…"}},
                      QtTextsCase{"count_edit_menu",
                                  [](PdfTest& t) { return menuItems(t.edit("EditStendS")); },
                                  {"&Отменить действие", "&Повторить действие", "&Вырезать",
                                   "&Копировать", "В&ставить", "Удалить", "Выделить всё"}},
                      QtTextsCase{"result_edit_menu",
                                  [](PdfTest& t) { return menuItems(t.edit("EditPrice")); },
                                  {"&Копировать", "Выделить всё"}},
                      QtTextsCase{"save_dialog",
                                  [](PdfTest& t) {
                                      t.saveWithKeys({});
                                      return t.dialogTexts;
                                  },
                                  {"&Сохранить", "Отмена", "Перейти к:", "&Имя файла:",
                                   "Типы файлов:", "Имя", "Размер", "Тип", "Дата изменения"}},
                      QtTextsCase{"replace_question",
                                  replaceQuestionOf,
                                  {"дважды.pdf уже существует.\nЗаменить его?", "&Да", "&Нет"}}));

enum class Content { Welcome, Premium, PremiumLongLast, Empty, Topic };
struct PdfCase {
    const char* name;
    Content content;
};
void PrintTo(const PdfCase& c, std::ostream* os) {
    *os << c.name;
}

class PdfContentTest : public PdfTest, public ::testing::WithParamInterface<PdfCase> {};

TEST_P(PdfContentTest, HoldsTheLetterheadAndTheParagraphsInOrder) {
    switch (GetParam().content) {
    case Content::Welcome:
        break;
    case Content::Premium:
    case Content::PremiumLongLast:
        w->control<QLineEdit>(QStringLiteral("EditSquare"))->setText(QStringLiteral("50"));
        w->control<window::RadioGroup>(QStringLiteral("RGClass"))->setItemIndex(0);
        w->ButtonCalcClick();
        if (GetParam().content == Content::PremiumLongLast) {
            // A last paragraph longer than a page crosses a page break whatever the font: each
            // of its lines is in the text once, none again out of sight on the next page.
            std::string last;
            for (int i = 0; i < 400; ++i)
                last += "Строка " + std::to_string(i) + " последнего абзаца. ";
            doc().append(last);
        }
        break;
    case Content::Empty:
        doc().clear();
        break;
    case Content::Topic:
        click(box("CBVitrinPB"));
        break;
    }
    const QString path = dir.filePath(QStringLiteral("предложение.pdf"));
    const bool premium =
        GetParam().content == Content::Premium || GetParam().content == Content::PremiumLongLast;
    const QStringList messages = premium ? saveWithKeys(path) : saveFromMenu(path);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(QFileInfo(suggested).fileName(), QStringLiteral("Коммерческое предложение.pdf"));
    EXPECT_EQ(QFileInfo(suggested).absolutePath(), QDir::cleanPath(w->saveDialogFolder()));
    ASSERT_TRUE(QFileInfo::exists(path));

    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        // Without poppler's tools (a Windows test program: under wine a Linux program's output
        // does not reach it), what the file itself says: A4 pages and the fonts embedded. How
        // many pages follows the face's line height, which Windows' font engine gives smaller.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        const int pages = pdf.count("/Type /Page") - pdf.count("/Type /Pages");
        EXPECT_GE(pages, 1);
        EXPECT_EQ(pdf.count("/MediaBox [0 0 595.000000 842.000000]"), pages);
        EXPECT_TRUE(pdf.contains("/FontFile2"));
        GTEST_SKIP() << "poppler's tools are not at hand: the text is not read back";
    }
    // Every page starts with the letterhead; the pages' bodies make up the description.
    const QString letterhead = words(QString::fromStdString(office::sellerLetterhead().text));
    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    const int pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    EXPECT_EQ(pages > 1, premium);
    QString body;
    for (int page = 1; page <= pages; ++page) {
        const QString n = QString::number(page);
        const QString text =
            words(run("pdftotext", {"-enc", "UTF-8", "-f", n, "-l", n, path, "-"}));
        EXPECT_TRUE(text.startsWith(letterhead)) << page;
        body += ' ' + text.mid(letterhead.size());
    }
    QStringList expected;
    for (const auto& p : doc().paragraphs())
        expected << QString::fromStdString(p.text);
    EXPECT_EQ(words(body), words(expected.join(' ')));

    const QStringList fonts = run("pdffonts", {path}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_FALSE(fonts.isEmpty());
    for (const QString& line : fonts) {
        const QStringList cols = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(cols.size(), 5);
        EXPECT_EQ(cols[cols.size() - 5], QStringLiteral("yes")) << line.toStdString(); // embedded
    }

    // The letterhead's logo on every page: at least 300 dots per inch, not JPEG-compressed.
    const QStringList images = run("pdfimages", {"-list", path}).split(u'\n', Qt::SkipEmptyParts);
    int logos = 0;
    for (const QString& line : images.mid(2)) {
        const QStringList cols = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(cols.size(), 14) << line.toStdString();
        if (cols[2] != QLatin1String("image"))
            continue; // its alpha mask
        ++logos;
        EXPECT_NE(cols[8], QStringLiteral("jpeg")) << line.toStdString();
        EXPECT_GE(cols[12].toInt(), 300) << line.toStdString();
    }
    EXPECT_EQ(logos, pages);
}

INSTANTIATE_TEST_SUITE_P(Contents, PdfContentTest,
                         ::testing::Values(PdfCase{"welcome", Content::Welcome},
                                           PdfCase{"premium", Content::Premium},
                                           PdfCase{"premium_long_last", Content::PremiumLongLast},
                                           PdfCase{"empty", Content::Empty},
                                           PdfCase{"topic", Content::Topic}));

TEST_F(PdfTest, CancelledDialogWritesNothing) {
    EXPECT_TRUE(saveWithKeys({}).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Failures to write: a message in Russian, and an existing file stays as it was. Both hold
// when the tests run as root, which file permissions would not stop.
TEST_F(PdfTest, FailedWriteShowsWhyAndKeepsTheOldFile) {
    {
        SCOPED_TRACE("a folder that cannot exist: a path under a regular file");
        QFile plain(dir.filePath(QStringLiteral("файл")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QStringList messages = saveWithKeys(plain.fileName() + QStringLiteral("/к.pdf"));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QStringLiteral("папка для файла не существует")))
            << messages[0].toStdString();
    }
#if __has_include(<sys/resource.h>)
    {
        SCOPED_TRACE("a full disk, with the file size limit");
        const QString path = dir.filePath(QStringLiteral("old.pdf"));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old file");
        old.close();
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tiny = saved;
        tiny.rlim_cur = 2000;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tiny);
        const QStringList messages = saveWithKeys(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Не удалось сохранить файл PDF")))
            << messages[0].toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("the old file"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left
    }
#endif
}

#ifndef _WIN32
// A save over a symbolic link: a link that someone else can have put there is replaced by the
// PDF, and the file it points to stays as it was; the user's own link in the user's own folder
// is followed.
struct LinkCase {
    const char* name;
    bool linkOfAnother;      // the link belongs to another account
    bool folderOpenToOthers; // the link's folder is writable by everyone (sticky, as /tmp)
    bool followed;
};
void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class PdfOverLinkTest : public PdfTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(PdfOverLinkTest, ReplacesALinkOfOthers) {
    const LinkCase& c = GetParam();
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("важное.txt"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    const QString folder = dir.filePath(QStringLiteral("папка"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString link = folder + QStringLiteral("/предложение.pdf");
    ASSERT_TRUE(QFile::link(target, link));
    if (c.linkOfAnother) {
        ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), 65534, 65534), 0);
    }
    ::chmod(QFile::encodeName(folder).constData(), c.folderOpenToOthers ? 01777 : 0700);
    EXPECT_TRUE(saveWithKeys(link).isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray targetNow = file.readAll();
    file.close();
    EXPECT_EQ(QFileInfo(link).isSymLink(), c.followed);
    EXPECT_EQ(targetNow.startsWith("%PDF"), c.followed);
    if (!c.followed) {
        EXPECT_EQ(targetNow, QByteArray("keep me"));
        QFile saved(link);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.read(4) == "%PDF");
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Links, PdfOverLinkTest,
                         ::testing::Values(LinkCase{"own_link_in_own_folder", false, false, true},
                                           LinkCase{"link_of_another", true, false, false},
                                           LinkCase{"own_link_in_shared_folder", false, true,
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

#endif
} // namespace
