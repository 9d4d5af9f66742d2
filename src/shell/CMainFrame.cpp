#include "shell/CMainFrame.h"

#include <QAction>
#include <QByteArray>
#include <QCloseEvent>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>

#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/CAboutDlg.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"
#include "shell/Commands.h"
#include "shell/ProduceDlg.h"
#include "shell/ProgramVersion.h"
#include "shell/form/MontageForm.h"

namespace {

constexpr char kWindowPlace[] = "WindowPlacement";
// The preview never gets narrower than this, however narrow the window.
constexpr int kPreviewMinimumWidth = 50;

}  // namespace

CMainFrame::CMainFrame(CMontageDoc& document, Profile& profile, QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      profile_(profile),
      commands_(std::make_unique<Commands>(document, *this)) {
  setObjectName(QStringLiteral("mainFrame"));
  CreatePanes();
  ConnectCommands();
  CreateToolBar();
  form_->InitialUpdate();
  UpdateCaption();
  RestoreWindowPlace();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreatePanes() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("panes"));
  splitter_->setChildrenCollapsible(false);
  view_ = new CMontageView(document_, splitter_);
  view_->setObjectName(QStringLiteral("preview"));
  view_->setAccessibleName(tr("Preview"));
  view_->setMinimumWidth(kPreviewMinimumWidth);
  form_ = new MontageForm(document_, profile_, *commands_, splitter_);
  form_->setObjectName(QStringLiteral("form"));
  // Each step of the automatic test is seen before the next one starts.
  form_->SetRepaintPreview([this] { view_->repaint(); });
  splitter_->addWidget(view_);
  splitter_->addWidget(form_);
  // Resizing the window gives or takes width from the preview; the form keeps its column.
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  setCentralWidget(splitter_);
}

void CMainFrame::ConnectCommands() {
  const Commands& c = *commands_;
  connect(c.Print, &QAction::triggered, view_, &CMontageView::Print);
  connect(c.Produce, &QAction::triggered, this, &CMainFrame::ShowProduce);
  connect(c.ZoomIn, &QAction::triggered, view_, &CMontageView::ZoomIn);
  connect(c.ZoomOut, &QAction::triggered, view_, &CMontageView::ZoomOut);
  connect(c.FitToWindow, &QAction::triggered, view_, &CMontageView::FitToWindow);
  connect(c.ZoomActualSize, &QAction::triggered, view_, &CMontageView::ZoomActualSize);
  connect(c.NextPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
  connect(c.PreviousPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
  connect(c.About, &QAction::triggered, this, &CMainFrame::ShowAbout);
}

void CMainFrame::CreateToolBar() {
  QToolBar* toolBar = addToolBar(tr("Toolbar"));
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setMovable(true);
  toolBar->setFloatable(true);
  toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  const Commands& c = *commands_;
  for (QAction* action : {c.New, c.Open, c.Save}) toolBar->addAction(action);
  toolBar->addSeparator();
  for (QAction* action : {c.Undo, c.ZoomIn, c.ZoomOut, c.FitToWindow, c.ZoomActualSize}) {
    toolBar->addAction(action);
  }
}

void CMainFrame::UpdateCaption() {
  setWindowTitle(
      QString::fromStdString(document_.Title()) + QStringLiteral(" - ") +
      QString::fromUtf8(ApplicationTitle.data(), static_cast<qsizetype>(ApplicationTitle.size())));
}

void CMainFrame::MoveFocusToOtherPane() {
  QWidget* focus = focusWidget();
  const bool inPreview = focus != nullptr && (focus == view_ || view_->isAncestorOf(focus));
  if (inPreview) {
    // The form's first control that takes the keyboard, as Tab would reach it.
    for (QWidget* next = form_->nextInFocusChain(); next != form_;
         next = next->nextInFocusChain()) {
      if (form_->isAncestorOf(next) && next->isVisibleTo(form_) && next->isEnabled() &&
          (next->focusPolicy() & Qt::TabFocus) != 0) {
        next->setFocus(Qt::TabFocusReason);
        return;
      }
    }
    form_->setFocus(Qt::TabFocusReason);
  } else {
    view_->setFocus(Qt::TabFocusReason);
  }
}

void CMainFrame::ShowProduce() {
  // A command that is disabled may still come from a form button pressed while it was enabled.
  if (!commands_->Produce->isEnabled()) return;
  ProduceDlg dialog(document_.layout(), PreviewSettings::Instance().ClassListPath, profile_, this);
  dialog.exec();
}

void CMainFrame::ShowAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (columnSized_) return;
  // The form's column is as wide as the form needs; the preview has the rest.
  columnSized_ = true;
  const int column = form_->ColumnWidth();
  const int total = splitter_->width();
  splitter_->setSizes({std::max(kPreviewMinimumWidth, total - column), column});
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!document_.CanCloseFrame()) {
    event->ignore();
    return;
  }
  StoreWindowPlace();
  event->accept();
}

void CMainFrame::RestoreWindowPlace() {
  const std::string stored = profile_.ReadText(Profile::SettingsSection, kWindowPlace, "");
  if (!stored.empty() &&
      restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)))) {
    return;
  }
  // A first run: most of the screen, so the preview has room beside the form.
  const QScreen* screen = this->screen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  resize(std::min(1400, available.width() * 9 / 10), std::min(950, available.height() * 9 / 10));
}

void CMainFrame::StoreWindowPlace() {
  profile_.WriteText(Profile::SettingsSection, kWindowPlace,
                     saveGeometry().toBase64().toStdString());
}
