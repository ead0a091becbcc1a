// The checker's one window: the article editor, the buttons, the two result
// boxes and the result grid, with the handlers of their events.
#ifndef CHECKER_UI_CHECKER_WINDOW_H_
#define CHECKER_UI_CHECKER_WINDOW_H_

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/check/check_run.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTabWidget;

namespace checker_ui {

class ArticleEditor;
class ControlsView;
class ResultGrid;
struct ViewLink;

class CheckerWindow : public QWidget {
  Q_OBJECT

 public:
  // Hands a UTF-8 address to the desktop's browser.
  using Opener = std::function<void(const std::string& address)>;

  // What the window reaches outside itself; empty members take the real
  // search engine and the desktop's "open".
  struct Services {
    check::FragmentSource fragment_source;
    Opener opener;
  };

  static constexpr int kClientWidth = 864;
  static constexpr int kClientHeight = 640;

  explicit CheckerWindow(Services services = {}, QWidget* parent = nullptr);
  ~CheckerWindow() override;

  ArticleEditor* editor() const { return editor_; }
  ResultGrid* grid() const { return grid_; }
  QPushButton* start_button() const { return start_button_; }
  QLineEdit* character_count_box() const { return character_count_box_; }
  QLineEdit* rate_box() const { return rate_box_; }

  // Whether a check's worker was ever started. Workers are never waited
  // for, so once one exists the program must not run its static
  // destructors under it.
  bool WorkerStarted() const;

  // The handlers of the buttons and the grid.
  void CopyIn();
  void ClearText();
  void StartCheck();
  void CopyOut();
  void OpenSelectedRow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void PlaceGrid();
  void CentreOnScreen();

  Services services_;
  std::unique_ptr<ControlsView> controls_view_;
  std::shared_ptr<ViewLink> link_;
  bool centred_after_show_ = false;

  ArticleEditor* editor_ = nullptr;
  QPushButton* start_button_ = nullptr;
  QLineEdit* character_count_box_ = nullptr;
  QLineEdit* rate_box_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QWidget* grid_page_ = nullptr;
  ResultGrid* grid_ = nullptr;
};

}  // namespace checker_ui

#endif  // CHECKER_UI_CHECKER_WINDOW_H_
