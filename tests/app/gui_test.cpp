// The real window on Qt's offscreen platform, with the modal dialogs and the
// desktop's address action replaced.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/qt/application.h"
#include "app/qt/artwork.h"
#include "app/qt/main_window.h"
#include "app/qt/memo.h"
#include "app/qt/path_label.h"
#include "app/qt/qt_text.h"
#include "app/window_texts.h"
#include "conversion/task_text.h"
#include "test_support.h"

// Failure messages show the text rather than its code units.
void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace texttoxml::app::gui {
namespace {

using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

constexpr char kGuide[] = "file:///opt/texttoxml/guide.html";

// The application is set up as the program sets itself up, with a home
// folder of its own, so that a test can see whatever Qt writes there.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    home_ = std::make_unique<TempDir>();
    qputenv("HOME", QByteArray::fromStdString(home_->Path()));
    for (const char* variable :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
      qunsetenv(variable);
    }
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_->File("config")));
    application_ = std::make_unique<QApplication>(argc_, argv_);
    SetUpApplication(*application_);
  }
  void TearDown() override {
    application_.reset();
    home_.reset();
  }

  static std::string Home() { return qEnvironmentVariable("HOME").toStdString(); }

 private:
  std::unique_ptr<TempDir> home_;
  int argc_ = 1;
  char name_[10] = "gui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class FakeDesktop : public Desktop {
 public:
  std::optional<OpenChoice> ShowOpenDialog(QWidget*, const OpenChoice&) override {
    return openAnswer;
  }
  std::optional<std::string> ShowSaveDialog(QWidget*, const std::string&) override {
    return saveAnswer;
  }
  void ShowError(QWidget*, const QString& message) override { errors.push_back(message); }
  bool Confirm(QWidget*, const QString& question) override {
    questions.push_back(question);
    return confirmAnswer;
  }
  void OpenAddress(const QString& address) override { addresses.push_back(address); }

  bool confirmAnswer = false;
  std::vector<QString> questions;
  std::optional<OpenChoice> openAnswer;
  std::optional<std::string> saveAnswer;
  std::vector<QString> errors;
  std::vector<QString> addresses;
};

struct Window {
  FakeDesktop* desktop = new FakeDesktop;
  MainWindow window{kGuide, std::unique_ptr<Desktop>(desktop)};

  template <typename Widget>
  Widget& Find(const char* name) {
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
  }
  // The plain-text form would show a no-break space as a space. The texts of
  // these tests hold no line separators but those of a long text's
  // paragraphs.
  QString Memo1Text() {
    return Find<QPlainTextEdit>("Memo1")
        .document()
        ->toRawText()
        .replace(QChar::ParagraphSeparator, u'\n')
        .replace(QChar::LineSeparator, u'\n');
  }
};

QString Lines(std::span<const std::u16string_view> lines) {
  QStringList joined;
  for (std::u16string_view line : lines) joined << ToQString(line);
  return joined.join(QLatin1Char('\n'));
}

TEST(MainWindow, ShowsTheTabsTextsAndReadOnlyFlags) {
  Window w;
  w.window.show();
  EXPECT_EQ(w.window.windowTitle(), QStringLiteral("TextToXML_ExamoraPro"));
  EXPECT_EQ(w.window.size(), QSize(618, 373));

  auto& pages = w.Find<QTabWidget>("PageControl1");
  ASSERT_EQ(pages.count(), 3);
  EXPECT_EQ(pages.tabText(0), QStringLiteral("Преобразование"));
  EXPECT_EQ(pages.tabText(1), QStringLiteral("Образец"));
  EXPECT_EQ(pages.tabText(2), QStringLiteral("Описание"));
  EXPECT_EQ(pages.currentIndex(), 0);

  EXPECT_EQ(w.Find<QLabel>("Label1").text(), QStringLiteral("Открыт файл:"));
  EXPECT_EQ(w.Find<QGroupBox>("GroupBox1").title(), QStringLiteral("Исходный текст:"));
  EXPECT_EQ(w.Find<QWidget>("Panel1").height(), 39);
  for (auto [name, caption] :
       {std::pair{"bbOpen", "Открыть TXT"}, std::pair{"bbSave", "Сохранить в XML"}}) {
    auto& button = w.Find<QPushButton>(name);
    EXPECT_EQ(button.text(), QString::fromUtf8(caption));
    EXPECT_EQ(button.size(), QSize(128, 32));
    EXPECT_EQ(button.iconSize(), QSize(16, 16));
    EXPECT_FALSE(button.icon().isNull());
  }
  EXPECT_EQ(w.Find<QLabel>("Label2").text(), QStringLiteral("v.2"));
  EXPECT_TRUE(
      w.Find<QLabel>("LinkLabel1").text().contains(QStringLiteral("Руководство пользователя")));

  EXPECT_FALSE(w.Find<QPlainTextEdit>("Memo1").isReadOnly());
  auto& sample = w.Find<QPlainTextEdit>("Memo3");
  EXPECT_TRUE(sample.isReadOnly());
  EXPECT_EQ(sample.document()->blockCount(), 40);
  EXPECT_EQ(sample.toPlainText(), Lines(kSampleLines));
  auto& description = w.Find<QPlainTextEdit>("Memo2");
  EXPECT_TRUE(description.isReadOnly());
  EXPECT_EQ(description.frameShape(), QFrame::NoFrame);
  EXPECT_EQ(description.document()->blockCount(), 19);
  EXPECT_EQ(description.toPlainText(), Lines(kDescriptionLines));

  auto& banner = w.Find<QLabel>("Image1");
  EXPECT_EQ(banner.pixmap().size(), QSize(kBannerWidth, kBannerHeight));
  EXPECT_EQ(banner.cursor().shape(), Qt::PointingHandCursor);
}

TEST(MainWindow, SavesThroughTheQtLayer) {
  TempDir dir;
  Window w;
  w.desktop->saveAnswer = dir.File("out.xml");
  auto& memo = w.Find<QPlainTextEdit>("Memo1");
  memo.setPlainText(QStringLiteral("  Вопрос\u00A0один\n+ да\n- нет\n\n  \n\nСколько?\n= 2"));
  w.Find<QPushButton>("bbSave").click();

  EXPECT_TRUE(w.desktop->errors.empty());
  EXPECT_EQ(w.Memo1Text(), QStringLiteral("Вопрос\u00A0один\n+ да\n- нет\n\nСколько?\n= 2\n"));
  const std::string xml = ReadFile(dir.File("out.xml"));
  EXPECT_NE(xml.find("<PlainText>Вопрос\u00A0один</PlainText>"), std::string::npos);
  EXPECT_NE(xml.find("<Task Type=\"TYPE_TASK_CHOICE_SINGLE\">"), std::string::npos);
  EXPECT_NE(xml.find("<Task Type=\"TYPE_TASK_ENTER_NUM\">"), std::string::npos);
}

TEST(MainWindow, OpensThroughTheQtLayerAndShowsErrors) {
  TempDir dir;
  const std::string path = dir.Write("задания.txt", "Q\r\n+ a\r- b\n");
  Window w;
  w.desktop->openAnswer = OpenChoice{path, kUtf8FilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  EXPECT_EQ(w.Memo1Text(), QStringLiteral("Q\n+ a\n- b\n"));
  EXPECT_EQ(w.Find<QLabel>("Label1").text(), QStringLiteral("Открыт файл: ") + PathToQString(path));
  EXPECT_TRUE(w.desktop->errors.empty());

  w.desktop->openAnswer = OpenChoice{dir.File("missing.txt"), kAnsiFilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  ASSERT_EQ(w.desktop->errors.size(), 1u);
  EXPECT_TRUE(w.desktop->errors[0].startsWith(QStringLiteral("Cannot open file \"")));
  EXPECT_TRUE(w.desktop->errors[0].endsWith(QStringLiteral("No such file or directory.")));
  EXPECT_EQ(w.Memo1Text(), QStringLiteral("Q\n+ a\n- b\n"));
  EXPECT_EQ(w.Find<QLabel>("Label1").text(), QStringLiteral("Открыт файл: ") + PathToQString(path));
}

// Long enough for the memo to hold it in paragraphs of several lines.
TEST(MainWindow, OpensAndSavesALongTextLineForLine) {
  std::string tasks;
  for (int task = 1; task <= kMemoGroupedFromLines / 4; ++task) {
    tasks += "  Question " + std::to_string(task) + "  \r\n+ yes\r\n- no\r\n\r\n \r\n";
  }
  TempDir dir;
  const std::string path = dir.Write("tasks.txt", tasks);
  Window w;
  w.window.show();
  w.desktop->openAnswer = OpenChoice{path, kAnsiFilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  EXPECT_EQ(w.Memo1Text(),
            QString::fromLatin1(tasks).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

  w.desktop->saveAnswer = dir.File("tasks.xml");
  w.Find<QPushButton>("bbSave").click();
  EXPECT_TRUE(w.desktop->errors.empty());
  const conversion::PreparedText prepared =
      conversion::PrepareTaskText(conversion::MemoText(ToU16String(QString::fromLatin1(tasks))));
  EXPECT_EQ(w.Memo1Text(),
            ToQString(prepared.normalised).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  const std::string xml = ReadFile(dir.File("tasks.xml"));
  std::size_t taskElements = 0;
  for (std::size_t at = xml.find("<Task "); at != std::string::npos;
       at = xml.find("<Task ", at + 1))
    ++taskElements;
  EXPECT_EQ(taskElements, static_cast<std::size_t>(kMemoGroupedFromLines / 4));
  EXPECT_NE(
      xml.find("<PlainText>Question " + std::to_string(kMemoGroupedFromLines / 4) + "</PlainText>"),
      std::string::npos);
}

TEST(MainWindow, LinkAndBannerOpenTheGuide) {
  Window w;
  w.window.show();
  emit w.Find<QLabel>("LinkLabel1").linkActivated(QStringLiteral("guide"));
  auto& banner = w.Find<QLabel>("Image1");
  const QPointF inside(10, 10);
  QMouseEvent press(QEvent::MouseButtonPress, inside, banner.mapToGlobal(inside), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, inside, banner.mapToGlobal(inside),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&banner, &press);
  QApplication::sendEvent(&banner, &release);
  EXPECT_EQ(w.desktop->addresses,
            (std::vector<QString>{QLatin1String(kGuide), QLatin1String(kGuide)}));
}

// Answers the next modal dialog of the given kind once it is on screen, and
// again as long as it stays open and on top (a dialog may still be busy when
// first asked).
template <typename Dialog>
void AnswerNext(std::function<void(Dialog&)> answer) {
  auto* poll = new QTimer(QCoreApplication::instance());  // gone with the application at the latest
  QObject::connect(poll, &QTimer::timeout,
                   [poll, answer, found = false, dialog = QPointer<Dialog>()]() mutable {
                     if (!found) dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
                     found = found || dialog;
                     if (!found) return;
                     if (!dialog || !dialog->isVisible()) {
                       poll->deleteLater();
                     } else if (QApplication::activeModalWidget() == dialog) {
                       answer(*dialog);
                     }
                   });
  poll->start(20);
}

// A file dialog answered with a path, as a user would type it.
void AnswerFileDialog(const std::string& path) {
  AnswerNext<QFileDialog>([path](QFileDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(PathToQString(path));
    static_cast<QDialog&>(dialog).done(QDialog::Accepted);
  });
}

template <typename Widget>
QStringList TextsOf(const QWidget& parent, QString (Widget::*text)() const) {
  QStringList texts;
  for (const Widget* widget : parent.findChildren<Widget*>()) {
    if (widget->isVisible()) texts << (widget->*text)();
  }
  return texts;
}

// Keys typed into a widget, as the user types them.
void Type(QWidget& widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&widget, &press);
  }
}

TEST(MainWindow, AsksBeforeTypedTextIsThrownAway) {
  TempDir dir;
  const std::string first = dir.Write("first.txt", "Q1\r\n+ a\r\n");
  const std::string second = dir.Write("second.txt", "Q2\r\n= 5\r\n");
  Window w;
  w.window.show();
  w.desktop->openAnswer = OpenChoice{first, kAnsiFilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  EXPECT_TRUE(w.window.close());  // nothing typed yet
  w.window.show();

  auto& memo = w.Find<QPlainTextEdit>("Memo1");
  memo.moveCursor(QTextCursor::End);
  Type(memo, QStringLiteral("- b"));
  w.desktop->openAnswer = OpenChoice{second, kAnsiFilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  EXPECT_EQ(w.Memo1Text(), QStringLiteral("Q1\n+ a\n- b"));
  EXPECT_FALSE(w.window.close());
  EXPECT_TRUE(w.window.isVisible());
  const QString onOpen = ToQString(kDiscardOnOpenQuestion);
  const QString onClose = ToQString(kDiscardOnCloseQuestion);
  EXPECT_EQ(w.desktop->questions, (std::vector<QString>{onOpen, onClose}));

  // Saved, the typed text closes without a question.
  w.desktop->saveAnswer = dir.File("first.xml");
  w.Find<QPushButton>("bbSave").click();
  EXPECT_TRUE(w.desktop->errors.empty());
  EXPECT_TRUE(w.window.close());
  EXPECT_EQ(w.desktop->questions.size(), 2u);

  w.window.show();
  Type(memo, QStringLiteral("x"));
  w.desktop->confirmAnswer = true;
  w.Find<QPushButton>("bbOpen").click();
  EXPECT_EQ(w.Memo1Text(), QStringLiteral("Q2\n= 5\n"));
  EXPECT_TRUE(w.window.close());
  EXPECT_EQ(w.desktop->questions, (std::vector<QString>{onOpen, onClose, onOpen}));
}

TEST(MainWindow, ALongPathNeitherWidensNorPinsTheWindow) {
  TempDir dir;
  std::filesystem::path folder = dir.Path();
  for (int depth = 0; depth < 6; ++depth) folder /= "Школа 2024-2025 Информатика 9 класс";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "Контрольная работа №2.txt").string();
  { std::ofstream(path) << "Q\n+ a\n"; }

  Window w;
  w.window.show();
  const QSize minimum = w.window.minimumSizeHint();
  w.desktop->openAnswer = OpenChoice{path, kAnsiFilterIndex};
  w.Find<QPushButton>("bbOpen").click();
  QApplication::processEvents();

  EXPECT_EQ(w.window.size(), QSize(618, 373));
  EXPECT_EQ(w.window.minimumSizeHint(), minimum);
  EXPECT_LT(w.window.minimumSizeHint().width(), 618);
  auto& label = w.Find<PathLabel>("Label1");
  EXPECT_EQ(label.text(), QStringLiteral("Открыт файл: ") + PathToQString(path));
  EXPECT_EQ(label.toolTip(), PathToQString(path));
  const QString shown = label.ShownCaption();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("Открыт файл: ") + PathToQString(dir.Path()).left(4)))
      << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("Контрольная работа №2.txt"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), label.contentsRect().width());

  w.window.resize(minimum.width(), 373);
  QApplication::processEvents();
  EXPECT_EQ(w.window.width(), minimum.width());
}

TEST(MainWindow, EachDescriptionLineIsOneLineAtTheDefaultSize) {
  Window w;
  w.window.show();
  auto& pages = w.Find<QTabWidget>("PageControl1");
  pages.setCurrentIndex(2);
  QApplication::processEvents();
  auto& description = w.Find<QPlainTextEdit>("Memo2");
  EXPECT_EQ(description.font().family(), QStringLiteral("Tahoma"));
  ASSERT_EQ(description.document()->blockCount(), 19);
  for (QTextBlock block = description.document()->begin(); block.isValid(); block = block.next()) {
    EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
  }
}

TEST(Desktop, QtsOwnTextsAreRussian) {
  TempDir dir;
  const std::string existing = dir.Write("typed.xml", "old");
  Desktop desktop;
  QStringList openTexts;
  AnswerNext<QFileDialog>([&openTexts](QFileDialog& dialog) {
    openTexts = TextsOf<QLabel>(dialog, &QLabel::text) +
                TextsOf<QPushButton>(dialog, &QPushButton::text);
    dialog.reject();
  });
  EXPECT_FALSE(desktop.ShowOpenDialog(nullptr, OpenChoice{dir.File("a.txt"), kUtf8FilterIndex}));
  for (const char* text : {"Перейти к:", "&Имя файла:", "Типы файлов:", "&Открыть", "Отмена"}) {
    EXPECT_TRUE(openTexts.contains(QString::fromUtf8(text)))
        << text << " in " << openTexts.join(u'|').toStdString();
  }

  QString prompt;
  QStringList promptButtons;
  AnswerNext<QMessageBox>([&](QMessageBox& box) {
    prompt = box.text();
    promptButtons = TextsOf<QPushButton>(box, &QPushButton::text);
    box.button(QMessageBox::Yes)->click();
  });
  AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
    dialog.selectFile(QStringLiteral("typed"));
    static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
  });
  EXPECT_EQ(desktop.ShowSaveDialog(nullptr, existing), existing);
  EXPECT_TRUE(prompt.startsWith(QStringLiteral("typed.xml"))) << prompt.toStdString();
  EXPECT_FALSE(prompt.contains(QStringLiteral("already exists"))) << prompt.toStdString();
  EXPECT_TRUE(prompt.contains(QStringLiteral("существует"))) << prompt.toStdString();
  EXPECT_TRUE(promptButtons.contains(QStringLiteral("&Да")))
      << promptButtons.join(u'|').toStdString();
  EXPECT_TRUE(promptButtons.contains(QStringLiteral("&Нет")))
      << promptButtons.join(u'|').toStdString();
}

// Enter answers "Нет": the edits stay unless the user picks "Да".
TEST(Desktop, QuestionsDefaultToNo) {
  Desktop desktop;
  QString title;
  QStringList buttons;
  AnswerNext<QMessageBox>([&](QMessageBox& box) {
    title = box.windowTitle();
    buttons = TextsOf<QPushButton>(box, &QPushButton::text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
  });
  EXPECT_FALSE(desktop.Confirm(nullptr, ToQString(kDiscardOnCloseQuestion)));
  EXPECT_EQ(title, QStringLiteral("TextToXML_ExamoraPro"));
  EXPECT_TRUE(buttons.contains(QStringLiteral("&Да"))) << buttons.join(u'|').toStdString();
  EXPECT_TRUE(buttons.contains(QStringLiteral("&Нет"))) << buttons.join(u'|').toStdString();

  AnswerNext<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
  EXPECT_TRUE(desktop.Confirm(nullptr, ToQString(kDiscardOnCloseQuestion)));
}

TEST(Banner, IsDrawnAtTheScreensPixelRatio) {
  Window w;
  EXPECT_EQ(w.Find<QLabel>("Image1").pixmap().devicePixelRatio(), w.window.devicePixelRatioF());

  const QPixmap sharp = BannerPixmap(w.window.font(), 2);
  EXPECT_EQ(sharp.size(), QSize(2 * kBannerWidth, 2 * kBannerHeight));
  EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(kBannerWidth, kBannerHeight));
  // Drawn anew at twice the detail, not the 1x picture scaled up.
  const QImage drawn = sharp.toImage();
  const QImage scaled = BannerPixmap(w.window.font(), 1).toImage().scaled(drawn.size());
  EXPECT_NE(drawn.convertToFormat(QImage::Format_ARGB32),
            scaled.convertToFormat(QImage::Format_ARGB32));
}

TEST(MainWindow, OpeningAndSavingWritesNothingButTheXmlFile) {
  TempDir dir;
  const std::string tasks = dir.Write("задания.txt", "Question\r\n+ yes\r\n- no\r\n");
  const std::string xml = dir.File("тест.xml");
  {
    MainWindow window(kGuide);
    window.show();
    AnswerFileDialog(tasks);
    window.findChild<QPushButton*>(QStringLiteral("bbOpen"))->click();
    ASSERT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Открыт файл: ") + PathToQString(tasks));
    AnswerFileDialog(xml);
    window.findChild<QPushButton*>(QStringLiteral("bbSave"))->click();
  }
  EXPECT_NE(ReadFile(xml).find("<PlainText>Question</PlainText>"), std::string::npos);
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(QtEnvironment::Home())) {
    written.push_back(entry.path().string());
  }
  EXPECT_EQ(written, std::vector<std::string>{});
  std::vector<std::string> inFolder;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    inFolder.push_back(entry.path().string());
  std::sort(inFolder.begin(), inFolder.end());
  EXPECT_EQ(inFolder, (std::vector<std::string>{tasks, xml}));
}

}  // namespace
}  // namespace texttoxml::app::gui
