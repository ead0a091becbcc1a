#include "checker_ui/checker_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>
#include <system_error>
#include <thread>
#include <utility>

#include "checker_ui/ansi_qt.h"
#include "checker_ui/article_editor.h"
#include "checker_ui/controls_view.h"
#include "checker_ui/result_grid.h"
#include "checker_ui/sample_article.h"
#include "checker_ui/window_icon.h"
#include "checker_ui/window_thread_view.h"
#include "core/check/fragments.h"
#include "platform/shell/shell_open.h"

namespace checker_ui {
namespace {

// The grid sits at this place of the tab control, whatever room Qt's tab
// bar takes above the page.
constexpr QPoint kGridInTabs(8, 32);
constexpr QSize kGridSize(832, 224);

QString Caption() {
  return QStringLiteral(u"Kelvor-文章原创度检测软件 1.0【紧急! BUG反馈QQ:") +
         QStringLiteral("00000000") + QStringLiteral(u",一起做到最好！】");
}

template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry) {
  control->setObjectName(QString::fromUtf8(name));
  control->setGeometry(geometry);
  return control;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        QRect geometry) {
  auto* button = Place(new QPushButton(text, parent), name, geometry);
  button->setAccessibleName(text);
  return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text,
                  QRect geometry) {
  auto* label = Place(new QLabel(text, parent), name, geometry);
  label->setAccessibleName(text);
  return label;
}

// Bold in the system's default face, at a character height in pixels; only
// the check run writes these boxes.
QLineEdit* MakeResultBox(QWidget* parent, const char* name,
                         const QString& accessible_name, int pixel_height,
                         QRect geometry) {
  auto* box = Place(new QLineEdit(parent), name, geometry);
  QFont font = QGuiApplication::font();
  font.setWeight(QFont::Bold);
  font.setPixelSize(pixel_height);
  box->setFont(font);
  box->setEnabled(false);
  box->setAccessibleName(accessible_name);
  return box;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text,
                        bool active, QRect geometry) {
  auto* box = Place(new QCheckBox(text, parent), name, geometry);
  box->setChecked(active);
  box->setEnabled(active);
  box->setAccessibleName(text);
  return box;
}

}  // namespace

CheckerWindow::CheckerWindow(Services services, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(std::move(services)),
      link_(std::make_shared<ViewLink>()) {
  if (!services_.fragment_source) {
    services_.fragment_source = [](const core::AnsiText& segment,
                                   core::TextList& fragments) {
      return check::CollectHighlightFragments(segment, fragments);
    };
  }
  if (!services_.opener) {
    services_.opener = [](const std::string& address) {
      platform::ShellOpen(address);
    };
  }
  controls_view_ = std::make_unique<ControlsView>(*this);
  link_->target = controls_view_.get();

  setWindowTitle(Caption());
  setWindowIcon(WindowIcon());
  setFixedSize(kClientWidth, kClientHeight);
  QFont font(QStringLiteral(u"宋体"));
  font.setPixelSize(12);
  setFont(font);
  BuildControls();
  CentreOnScreen();

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  // The creation handler.
  controls_view_->ResetEditorFormat();
  controls_view_->ResetResultGrid();
}

CheckerWindow::~CheckerWindow() {
  // A worker still running stops at its next hand-off.
  link_->target = nullptr;
  link_->window_gone = true;
}

void CheckerWindow::BuildControls() {
  const QString article_caption =
      QStringLiteral(u"请将文章粘贴到这里，标题可以放到第一行");
  auto* group = Place(new QGroupBox(article_caption, this), "分组框1",
                      QRect(8, 8, 848, 272));
  group->setAccessibleName(article_caption);
  editor_ = Place(new ArticleEditor(group), "txtDataZ", QRect(8, 16, 832, 248));
  editor_->setAccessibleName(article_caption);
  editor_->ReplaceText(QString::fromUtf16(
      SampleArticle().data(), static_cast<qsizetype>(SampleArticle().size())));

  auto* copy_in = MakeButton(this, "按钮1", QStringLiteral(u"复制进来"),
                             QRect(8, 288, 80, 32));
  auto* clear = MakeButton(this, "按钮2", QStringLiteral(u"清空文本"),
                           QRect(96, 288, 80, 32));
  start_button_ = MakeButton(this, "按钮3", QStringLiteral(u"开始检测"),
                             QRect(184, 288, 80, 32));
  auto* copy_out = MakeButton(this, "按钮4", QStringLiteral(u"拷贝出去"),
                              QRect(272, 288, 80, 32));
  const QString count_caption = QStringLiteral(u"文章字数:");
  const QString rate_caption = QStringLiteral(u"百度原创度:");
  MakeLabel(this, "标签2", count_caption, QRect(360, 296, 56, 16));
  character_count_box_ = MakeResultBox(this, "编辑框1", count_caption, 16,
                                       QRect(419, 292, 56, 24));
  MakeLabel(this, "标签3", rate_caption, QRect(480, 296, 72, 16));
  rate_box_ =
      MakeResultBox(this, "编辑框2", rate_caption, 19, QRect(551, 292, 81, 24));

  // Shown and never consulted: the check asks the one engine it knows.
  auto* baidu = MakeCheckBox(this, "选择框1", QStringLiteral(u"查百度"), true,
                             QRect(8, 333, 64, 16));
  MakeCheckBox(this, "选择框2", QStringLiteral(u"查谷歌"), false,
               QRect(88, 333, 64, 16));
  MakeCheckBox(this, "选择框3", QStringLiteral(u"查360"), false,
               QRect(173, 333, 64, 16));
  MakeCheckBox(this, "选择框4", QStringLiteral(u"查搜狗"), false,
               QRect(256, 333, 64, 16));

  tabs_ = Place(new QTabWidget(this), "选择夹1", QRect(8, 368, 848, 264));
  tabs_->setFocusPolicy(Qt::NoFocus);
  tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);
  const QStringList pages{QStringLiteral(u"百度"), QStringLiteral(u"谷歌"),
                          QStringLiteral(u"360"), QStringLiteral(u"搜狗")};
  for (const QString& page : pages) {
    auto* widget = new QWidget;
    widget->setAccessibleName(page);
    tabs_->addTab(widget, page);
  }
  grid_page_ = tabs_->widget(0);
  grid_ = new ResultGrid(grid_page_);
  grid_->setObjectName(QStringLiteral(u"高级表格1"));
  grid_->resize(kGridSize);
  grid_->setAccessibleName(pages[0]);
  grid_page_->installEventFilter(this);
  PlaceGrid();

  connect(copy_in, &QPushButton::clicked, this, &CheckerWindow::CopyIn);
  connect(clear, &QPushButton::clicked, this, &CheckerWindow::ClearText);
  connect(start_button_, &QPushButton::clicked, this,
          &CheckerWindow::StartCheck);
  connect(copy_out, &QPushButton::clicked, this, &CheckerWindow::CopyOut);
  connect(grid_, &ResultGrid::RowActivated, this,
          &CheckerWindow::OpenSelectedRow);

  setTabOrder(editor_, copy_in);
  setTabOrder(copy_in, clear);
  setTabOrder(clear, start_button_);
  setTabOrder(start_button_, copy_out);
  setTabOrder(copy_out, baidu);
  setTabOrder(baidu, grid_);
}

bool CheckerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_page_ &&
      (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
       event->type() == QEvent::Show)) {
    PlaceGrid();
  }
  return QWidget::eventFilter(watched, event);
}

void CheckerWindow::PlaceGrid() {
  grid_->move(kGridInTabs - grid_page_->mapTo(tabs_, QPoint(0, 0)));
}

void CheckerWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The frame is known only once the window is shown.
  if (!centred_after_show_) {
    centred_after_show_ = true;
    CentreOnScreen();
  }
}

void CheckerWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  QWindow* native = windowHandle();
  const QMargins frame =
      native != nullptr ? native->frameMargins() : QMargins();
  const QSize outer = size().grownBy(frame);
  const QPoint corner(area.x() + (area.width() - outer.width()) / 2,
                      area.y() + (area.height() - outer.height()) / 2);
  move(corner);
}

bool CheckerWindow::WorkerStarted() const { return link_->worker_started; }

void CheckerWindow::CopyIn() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  const QString text =
      (mime != nullptr && mime->hasText()) ? mime->text() : QString();
  editor_->ReplaceText(ThroughCodePage(text));
}

void CheckerWindow::ClearText() { editor_->ReplaceText(QString()); }

void CheckerWindow::StartCheck() {
  // The run disables the button as its first step, but that step reaches
  // the window through the event queue; a second click queued before it
  // would start a second run over the same grid.
  start_button_->setEnabled(false);
  link_->worker_started = true;
  try {
    std::thread([link = link_, source = services_.fragment_source] {
      WindowThreadView view(link);
      check::CheckRun(view, source);
    }).detach();
  } catch (const std::system_error&) {
    start_button_->setEnabled(true);
  }
}

void CheckerWindow::CopyOut() {
  QGuiApplication::clipboard()->setText(
      ToQString(controls_view_->ReadArticle()));
}

void CheckerWindow::OpenSelectedRow() {
  const int row = grid_->TopSelectedRow();
  if (row < 1) return;
  const QString address = grid_->CellText(row, 3);
  if (!address.isEmpty()) services_.opener(address.toStdString());
}

}  // namespace checker_ui
