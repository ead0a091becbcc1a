#include "dedup/window/dedup_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <system_error>
#include <thread>
#include <utility>

#include "dedup/runs/runs.h"
#include "dedup/window/file_dialogs.h"
#include "dedup/window/line_list_model.h"
#include "dedup/window/program_icon.h"
#include "dedup/window/window_thread_bridge.h"
#include "dedup/window/window_view.h"

namespace dedup {
namespace {

// The layout's right edge is 312 (the count label) and its bottom 234 (the
// progress bar and the labels); the client holds it with the same 8-pixel
// margin the list keeps on the left and at the top.
constexpr int kClientWidth = 312 + 8;
constexpr int kClientHeight = 234 + 8;

// Every row one pixel taller than the font needs.
class LineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(option.fontMetrics.height() + 1);
    return size;
  }
};

}  // namespace

DedupWindow::DedupWindow(DedupStartup startup)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      startup_(std::move(startup)),
      bridge_(std::make_shared<WindowThreadBridge>(this)) {
  view_ = std::make_shared<WindowView>(this, bridge_);
  setWindowTitle(QStringLiteral("Mirvo去重复文本工具1.0"));
  setWindowIcon(QIcon(QPixmap::fromImage(ProgramIconImage())));
  setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  // The button face is taken from whatever palette is current, so a skin
  // applied later recolours the background together with the text on it.
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2,
         area.y() + (area.height() - height()) / 2);
  }
}

DedupWindow::~DedupWindow() {
  // Workers still waiting on the window are released from here on.
  bridge_->Detach();
  for (const QPointer<QMessageBox>& box : ownerless_boxes_) delete box.data();
}

QPushButton* DedupWindow::AddButton(const QString& name, const QString& caption,
                                    const QRect& geometry) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

void DedupWindow::CreateControls() {
  model_ = new LineListModel(this);
  list_ = new QListView(this);
  list_->setObjectName(QStringLiteral("列表框1"));
  list_->setGeometry(8, 8, 201, 202);
  list_->setModel(model_);
  list_->setItemDelegate(new LineDelegate(list_));
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette paper = list_->palette();
  paper.setColor(QPalette::Base, Qt::white);
  paper.setColor(QPalette::Text, Qt::black);
  list_->setPalette(paper);

  import_button_ = AddButton(QStringLiteral("按钮4"),
                             QStringLiteral("导入数据"), {223, 8, 74, 32});
  clear_button_ = AddButton(QStringLiteral("按钮7"), QStringLiteral("清空数据"),
                            {223, 49, 74, 32});
  remove_button_ = AddButton(QStringLiteral("按钮1"),
                             QStringLiteral("去除重复"), {223, 91, 74, 32});
  export_button_ = AddButton(QStringLiteral("按钮5"),
                             QStringLiteral("导出数据"), {223, 132, 74, 32});
  QPushButton* website = AddButton(
      QStringLiteral("按钮6"), QStringLiteral("官方网站"), {223, 174, 74, 32});

  progress_bar_ = new QProgressBar(this);
  progress_bar_->setObjectName(QStringLiteral("进度条1"));
  progress_bar_->setGeometry(8, 216, 202, 16);
  progress_bar_->setOrientation(Qt::Horizontal);
  progress_bar_->setTextVisible(false);
  ShowProgress();

  auto* count_title = new QLabel(QStringLiteral("数量："), this);
  count_title->setObjectName(QStringLiteral("标签1"));
  count_title->setGeometry(223, 215, 31, 18);
  count_title->setTextFormat(Qt::PlainText);
  count_label_ = new QLabel(this);
  count_label_->setObjectName(QStringLiteral("标签2"));
  count_label_->setGeometry(257, 215, 55, 16);
  count_label_->setTextFormat(Qt::PlainText);

  // The two alternative methods lie beyond the client's right edge and have
  // no handler.
  AddButton(QStringLiteral("按钮2"), QStringLiteral("Tavrin 去除重复(新思路1)"),
            {616, 40, 152, 32});
  AddButton(QStringLiteral("按钮3"), QStringLiteral("Tavrin 去除重复(新思路2)"),
            {616, 80, 152, 32});

  connect(import_button_, &QPushButton::clicked, this,
          [this] { ImportLines(*view_); });
  connect(clear_button_, &QPushButton::clicked, this,
          [this] { ClearLines(*view_); });
  connect(remove_button_, &QPushButton::clicked, this,
          [this] { StartRun(&RemovalRun); });
  connect(export_button_, &QPushButton::clicked, this,
          [this] { StartRun(&ExportRun); });
  connect(website, &QPushButton::clicked, this, [this] {
    if (startup_.open_website) startup_.open_website();
  });
}

std::optional<std::string> DedupWindow::ApplyStartupSkin() {
  if (!startup_.apply_skin) return std::nullopt;
  return startup_.apply_skin(startup_.program_dir);
}

void DedupWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted() && on_close_) on_close_();
}

void DedupWindow::StartRun(void (*run)(DedupView&)) {
  // Disabling the buttons before the worker starts closes the moment in
  // which a second click could start a second run.
  for (const ActionButton button : kActionButtons) {
    SetButtonEnabledNow(button, false);
  }
  try {
    std::thread([view = view_, run] { run(*view); }).detach();
  } catch (const std::system_error& error) {
    for (const ActionButton button : kActionButtons) {
      SetButtonEnabledNow(button, true);
    }
    NewMessageBox({Message::Kind::kError,
                   std::string("无法启动工作线程：") + error.what(), "错误："})
        ->open();
  }
}

QPushButton* DedupWindow::ActionButtonWidget(ActionButton button) const {
  switch (button) {
    case ActionButton::kRemove:
      return remove_button_;
    case ActionButton::kClear:
      return clear_button_;
    case ActionButton::kExport:
      return export_button_;
    case ActionButton::kImport:
      return import_button_;
  }
  return nullptr;
}

int DedupWindow::ItemCountNow() const { return model_->rowCount(); }

core::AnsiText DedupWindow::ItemTextNow(int index) const {
  const std::shared_ptr<const LineList> lines = model_->lines();
  if (index < 0 || static_cast<std::size_t>(index) >= lines->size()) {
    return core::AnsiText();
  }
  return core::AnsiText((*lines)[static_cast<std::size_t>(index)]);
}

std::shared_ptr<const LineList> DedupWindow::ItemsNow() const {
  return model_->lines();
}

void DedupWindow::AppendItemsNow(LineList lines) {
  model_->Append(std::move(lines));
}

void DedupWindow::ClearItemsNow() { model_->Clear(); }

void DedupWindow::SetProgressMaximumNow(int maximum) {
  progress_.SetMaximum(maximum);
  ShowProgress();
}

void DedupWindow::SetProgressPositionNow(int position) {
  progress_.SetPosition(position);
  ShowProgress();
}

void DedupWindow::ShowProgress() {
  // Qt draws an equal minimum and maximum as a busy animation; an empty
  // range should look like an empty bar.
  const int maximum = std::max(progress_.maximum(), progress_.minimum() + 1);
  progress_bar_->setRange(progress_.minimum(), maximum);
  progress_bar_->setValue(progress_.position());
}

void DedupWindow::SetCountCaptionNow(const core::AnsiText& caption) {
  count_label_->setText(DisplayText(caption.view()));
}

void DedupWindow::SetButtonEnabledNow(ActionButton button, bool enabled) {
  if (QPushButton* widget = ActionButtonWidget(button)) {
    widget->setEnabled(enabled);
  }
}

QFileDialog* DedupWindow::NewFileDialog(bool save,
                                        const FileDialogRequest& request) {
  QString proposed = QString::fromStdString(request.file_name);
  if (save && !proposed.isEmpty() && !request.default_extension.empty() &&
      !proposed.contains(QLatin1Char('.'))) {
    proposed +=
        QLatin1Char('.') + QString::fromStdString(request.default_extension);
  }
  if (!save && proposed.isEmpty()) proposed = last_open_file_;
  return MakeFileDialog(save ? FileDialogKind::kSave : FileDialogKind::kOpen,
                        request, proposed, this);
}

QMessageBox* DedupWindow::NewMessageBox(const Message& message) {
  const QString text = QString::fromStdString(message.text);
  const QString caption = QString::fromStdString(message.caption);
  QMessageBox* box = nullptr;
  if (message.kind == Message::Kind::kPlain) {
    // No owner: the main window stays usable while the box is open.
    box = new QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                          nullptr);
    box->setWindowModality(Qt::NonModal);
    ownerless_boxes_.removeAll(nullptr);
    ownerless_boxes_.append(box);
  } else {
    box = new QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok,
                          this);
  }
  box->setTextFormat(Qt::PlainText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  return box;
}

}  // namespace dedup
