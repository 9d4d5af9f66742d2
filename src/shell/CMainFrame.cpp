#include "shell/CMainFrame.h"

#include <QAction>
#include <QByteArray>
#include <QCloseEvent>
#include <QKeySequence>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>

#include "platform/Profile.h"
#include "shell/CAboutDlg.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"
#include "shell/MontageForm.h"
#include "shell/ProgramVersion.h"
#include "shell/ToolbarIcons.h"

namespace {

constexpr char kWindowPlace[] = "WindowPlacement";
// The preview never gets narrower than this, however narrow the window.
constexpr int kPreviewMinimumWidth = 50;

QAction* MakeAction(QWidget* owner, const QString& text, const QString& tip,
                    const QList<QKeySequence>& keys) {
  auto* action = new QAction(text, owner);
  action->setToolTip(tip);
  action->setStatusTip(tip);
  action->setShortcuts(keys);
  // Every command is reached from anywhere in the window: no menu bar holds them.
  action->setShortcutContext(Qt::WindowShortcut);
  owner->addAction(action);
  return action;
}

}  // namespace

CMainFrame::CMainFrame(CMontageDoc& document, Profile& profile, QWidget* parent)
    : QMainWindow(parent), document_(document), profile_(profile) {
  setObjectName(QStringLiteral("mainFrame"));
  CreatePanes();
  CreateCommands();
  CreateToolBar();
  document_.AddView(*this);
  form_->InitialUpdate();
  UpdateCaption();
  UpdateCommandStates();
  RestoreWindowPlace();
}

CMainFrame::~CMainFrame() { document_.RemoveView(*this); }

void CMainFrame::CreatePanes() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("panes"));
  splitter_->setChildrenCollapsible(false);
  view_ = new CMontageView(document_, splitter_);
  view_->setObjectName(QStringLiteral("preview"));
  view_->setAccessibleName(tr("Preview"));
  view_->setMinimumWidth(kPreviewMinimumWidth);
  form_ = new MontageForm(document_, profile_, splitter_);
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

void CMainFrame::CreateCommands() {
  commands_.New = MakeAction(this, tr("&New"), tr("New"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
  connect(commands_.New, &QAction::triggered, this, [this] { document_.OnNewDocument(); });
  commands_.Open =
      MakeAction(this, tr("&Open..."), tr("Open"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
  connect(commands_.Open, &QAction::triggered, this, [this] { document_.OpenLayout({}); });
  commands_.Save = MakeAction(this, tr("&Save"), tr("Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
  connect(commands_.Save, &QAction::triggered, this, [this] { document_.Save(); });
  commands_.Print =
      MakeAction(this, tr("&Print..."), tr("Print"), {QKeySequence(Qt::CTRL | Qt::Key_P)});
  connect(commands_.Print, &QAction::triggered, view_, &CMontageView::Print);
  commands_.Undo =
      MakeAction(this, {}, tr("Undo"),
                 {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
  connect(commands_.Undo, &QAction::triggered, this, [this] { document_.Undo(); });
  commands_.Redo = MakeAction(
      this, tr("Redo"), tr("Redo"),
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(commands_.Redo, &QAction::triggered, this, [this] { document_.Redo(); });

  commands_.ZoomIn = MakeAction(this, tr("Zoom in"), tr("Zoom In"), {});
  connect(commands_.ZoomIn, &QAction::triggered, view_, &CMontageView::ZoomIn);
  commands_.ZoomOut = MakeAction(this, tr("Zoom out"), tr("Zoom Out"), {});
  connect(commands_.ZoomOut, &QAction::triggered, view_, &CMontageView::ZoomOut);
  commands_.FitToWindow =
      MakeAction(this, tr("Adjust zoom so layout fits the window"), tr("Fit To Window"), {});
  connect(commands_.FitToWindow, &QAction::triggered, view_, &CMontageView::FitToWindow);
  commands_.ZoomActualSize = MakeAction(this, tr("Zoom to 100%"), tr("Zoom 100%"), {});
  connect(commands_.ZoomActualSize, &QAction::triggered, view_, &CMontageView::ZoomActualSize);

  commands_.NextPane = MakeAction(this, tr("Next Pane"), tr("Next Pane"), {Qt::Key_F6});
  connect(commands_.NextPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
  commands_.PreviousPane =
      MakeAction(this, tr("Previous Pane"), tr("Previous Pane"), {Qt::SHIFT | Qt::Key_F6});
  connect(commands_.PreviousPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
  commands_.About =
      MakeAction(this, tr("&About Montage..."), tr("About Montage"), {QKeySequence::HelpContents});
  connect(commands_.About, &QAction::triggered, this, &CMainFrame::ShowAbout);

  commands_.New->setIcon(MakeToolbarIcon(ToolbarIcon::New));
  commands_.Open->setIcon(MakeToolbarIcon(ToolbarIcon::Open));
  commands_.Save->setIcon(MakeToolbarIcon(ToolbarIcon::Save));
  commands_.Undo->setIcon(MakeToolbarIcon(ToolbarIcon::Undo));
  commands_.ZoomIn->setIcon(MakeToolbarIcon(ToolbarIcon::ZoomIn));
  commands_.ZoomOut->setIcon(MakeToolbarIcon(ToolbarIcon::ZoomOut));
  commands_.FitToWindow->setIcon(MakeToolbarIcon(ToolbarIcon::FitToWindow));
  commands_.ZoomActualSize->setIcon(MakeToolbarIcon(ToolbarIcon::ActualSize));
}

void CMainFrame::CreateToolBar() {
  QToolBar* toolBar = addToolBar(tr("Toolbar"));
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setMovable(true);
  toolBar->setFloatable(true);
  toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar->addAction(commands_.New);
  toolBar->addAction(commands_.Open);
  toolBar->addAction(commands_.Save);
  toolBar->addSeparator();
  toolBar->addAction(commands_.Undo);
  toolBar->addAction(commands_.ZoomIn);
  toolBar->addAction(commands_.ZoomOut);
  toolBar->addAction(commands_.FitToWindow);
  toolBar->addAction(commands_.ZoomActualSize);
}

void CMainFrame::UpdateCaption() {
  setWindowTitle(
      QString::fromStdString(document_.Title()) + QStringLiteral(" - ") +
      QString::fromUtf8(ApplicationTitle.data(), static_cast<qsizetype>(ApplicationTitle.size())));
}

void CMainFrame::UpdateCommandStates() {
  commands_.Save->setEnabled(!document_.path().empty());
  const UndoHistory& history = document_.History();
  commands_.Undo->setEnabled(history.NextUndo() != nullptr);
  commands_.Undo->setText(QString::fromStdString(document_.UndoText()));
  commands_.Undo->setToolTip(
      history.NextUndo() != nullptr
          ? tr("Undo %1").arg(QString::fromStdString(history.NextUndo()->Description()))
          : tr("Undo"));
  commands_.Redo->setEnabled(history.NextRedo() != nullptr);
}

void CMainFrame::OnUpdate(unsigned) { UpdateCommandStates(); }

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
