// The Qt side of the main window: its widgets, and the WindowPlatform through
// which its Form1 reaches them.
#include "app/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>
#include <span>

#include "app/qt/artwork.h"
#include "app/qt/memo.h"
#include "app/qt/path_label.h"
#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace texttoxml::app::gui {

namespace {

constexpr int kPageMargin = 2;
constexpr int kPanelHeight = 39;
constexpr int kButtonWidth = 128;
constexpr int kButtonHeight = 32;
constexpr int kButtonIconSize = 16;

// A picture that runs an action when clicked with the left button.
class ClickableLabel : public QLabel {
 public:
  explicit ClickableLabel(std::function<void()> onClick) : onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      onClick_();
    }
  }

 private:
  std::function<void()> onClick_;
};

QString JoinedLines(std::span<const std::u16string_view> lines) {
  QStringList joined;
  for (std::u16string_view line : lines) joined << ToQString(line);
  return joined.join(QLatin1Char('\n'));
}

QPlainTextEdit* ReadOnlyMemo(const char* name, std::span<const std::u16string_view> lines) {
  auto* memo = new QPlainTextEdit;
  memo->setObjectName(QLatin1String(name));
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setPlainText(JoinedLines(lines));
  return memo;
}

QPushButton* CommandButton(const char* name, std::u16string_view caption,
                           QStyle::StandardPixmap icon, QStyle* style) {
  auto* button = new QPushButton(style->standardIcon(icon), ToQString(caption));
  button->setObjectName(QLatin1String(name));
  button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
  button->setFixedSize(kButtonWidth, kButtonHeight);
  return button;
}

// The lead-in as plain navy text, the guide's name as a bold navy link.
QString GuideLinkHtml() {
  return QStringLiteral(
             "<span style=\"color:navy\">%1 </span>"
             "<a href=\"guide\"><span style=\"color:navy; font-weight:bold\">%2</span></a>")
      .arg(ToQString(kGuideLeadIn).toHtmlEscaped(), ToQString(kGuideName).toHtmlEscaped());
}

}  // namespace

MainWindow::MainWindow(std::string guideAddress, std::unique_ptr<Desktop> desktop)
    : desktop_(std::move(desktop)), form_(*this, std::move(guideAddress)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(ToQString(kAppTitle));
  resize(kWindowWidth, kWindowHeight);

  auto* pages = new QTabWidget;
  pages->setObjectName(QStringLiteral("PageControl1"));
  pages->addTab(BuildConversionTab(), ToQString(kConversionTabName));
  pages->addTab(BuildSampleTab(), ToQString(kSampleTabName));
  pages->addTab(BuildDescriptionTab(), ToQString(kDescriptionTabName));
  pages->setCurrentIndex(0);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  layout->addWidget(pages);
}

void MainWindow::CentreOnScreen() {
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (form_.FormCloseQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
}

QWidget* MainWindow::BuildConversionTab() {
  auto* tab = new QWidget;
  tab->setObjectName(QStringLiteral("TabSheet1"));

  label1_ = new PathLabel(ToQString(kOpenedFileCaption));
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->SetCaption(ToQString(form_.LabelCaption()));

  auto* group = new QGroupBox(ToQString(kSourceTextCaption));
  group->setObjectName(QStringLiteral("GroupBox1"));
  memo1_ = new Memo;
  memo1_->setObjectName(QStringLiteral("Memo1"));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(memo1_);

  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedHeight(kPanelHeight);
  QPushButton* open =
      CommandButton("bbOpen", kOpenButtonCaption, QStyle::SP_DialogOpenButton, style());
  QPushButton* save =
      CommandButton("bbSave", kSaveButtonCaption, QStyle::SP_DialogSaveButton, style());
  connect(open, &QPushButton::clicked, this, [this] { form_.BbOpenClick(); });
  connect(save, &QPushButton::clicked, this, [this] { form_.BbSaveClick(); });

  auto* link = new QLabel(GuideLinkHtml());
  link->setObjectName(QStringLiteral("LinkLabel1"));
  link->setTextFormat(Qt::RichText);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(link, &QLabel::linkActivated, this, [this] { form_.LinkLabel1LinkClick(); });

  auto* version = new QLabel(ToQString(kVersionCaption));
  version->setObjectName(QStringLiteral("Label2"));
  QPalette silver = version->palette();
  silver.setColor(QPalette::WindowText, QColor(0xc0, 0xc0, 0xc0));
  version->setPalette(silver);

  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->setContentsMargins(4, 2, 4, 2);
  panelLayout->addWidget(open);
  panelLayout->addWidget(save);
  panelLayout->addStretch();
  panelLayout->addWidget(link);
  panelLayout->addSpacing(8);
  panelLayout->addWidget(version);

  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->addWidget(label1_);
  layout->addWidget(group, 1);
  layout->addWidget(panel);
  return tab;
}

QWidget* MainWindow::BuildSampleTab() {
  auto* tab = new QWidget;
  tab->setObjectName(QStringLiteral("TabSheet2"));
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ReadOnlyMemo("Memo3", kSampleLines));
  return tab;
}

QWidget* MainWindow::BuildDescriptionTab() {
  auto* tab = new QWidget;
  tab->setObjectName(QStringLiteral("TabSheet3"));
  QPlainTextEdit* description = ReadOnlyMemo("Memo2", kDescriptionLines);
  description->setFrameShape(QFrame::NoFrame);

  auto* banner = new ClickableLabel([this] { form_.Image1Click(); });
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setFixedSize(kBannerWidth, kBannerHeight);
  banner->setPixmap(BannerPixmap(font(), devicePixelRatioF()));

  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(description, 1);
  layout->addWidget(banner, 0, Qt::AlignHCenter);
  return tab;
}

std::optional<OpenChoice> MainWindow::ShowOpenDialog(const OpenChoice& start) {
  return desktop_->ShowOpenDialog(this, start);
}

std::optional<std::string> MainWindow::ShowSaveDialog(const std::string& start) {
  return desktop_->ShowSaveDialog(this, start);
}

std::u16string MainWindow::MemoText() const {
  return memo1_->Text();
}

void MainWindow::SetMemoText(std::u16string_view text) {
  memo1_->SetText(text);
}

// The document's flag: set by the user's edits, cleared by the window.
bool MainWindow::MemoModified() const {
  return memo1_->document()->isModified();
}

void MainWindow::SetMemoModified(bool modified) {
  memo1_->document()->setModified(modified);
}

void MainWindow::SetLabelCaption(std::u16string_view caption) {
  label1_->SetCaption(ToQString(caption));
}

void MainWindow::ShowError(std::u16string_view message) {
  desktop_->ShowError(this, ToQString(message));
}

bool MainWindow::Confirm(std::u16string_view question) {
  return desktop_->Confirm(this, ToQString(question));
}

void MainWindow::SetBusy(bool busy) {
  if (!busy) {
    QApplication::restoreOverrideCursor();
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Only painting: the user's clicks wait until the work is done.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::OpenAddress(std::string_view address) {
  desktop_->OpenAddress(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
}

}  // namespace texttoxml::app::gui
