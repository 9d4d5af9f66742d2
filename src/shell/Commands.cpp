#include "shell/Commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QObject>
#include <QWidget>
#include <optional>

#include "settings/PreviewSettings.h"
#include "shell/CMontageDoc.h"
#include "shell/ToolbarIcons.h"

namespace {

// The desktop's keys for the command, then the program's own that the desktop lacks.
QList<QKeySequence> Keys(QKeySequence::StandardKey standard, const QList<QKeySequence>& own = {}) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
  for (const QKeySequence& key : own) {
    if (!keys.contains(key)) keys.append(key);
  }
  return keys;
}

QAction* MakeAction(QWidget& window, const QString& text, const QString& tip,
                    const QList<QKeySequence>& keys, std::optional<ToolbarIcon> icon = {}) {
  auto* action = new QAction(text, &window);
  action->setToolTip(tip);
  action->setStatusTip(tip);
  action->setShortcuts(keys);
  // Every command is reached from anywhere in the window: no menu bar holds them.
  action->setShortcutContext(Qt::WindowShortcut);
  if (icon) action->setIcon(MakeToolbarIcon(*icon));
  window.addAction(action);
  return action;
}

QString Tr(const char* text) { return QCoreApplication::translate("Commands", text); }

}  // namespace

Commands::Commands(CMontageDoc& document, QWidget& window)
    : New(MakeAction(window, Tr("&New"), Tr("New"),
                     Keys(QKeySequence::New, {QKeySequence(Qt::CTRL | Qt::Key_N)}),
                     ToolbarIcon::New)),
      Open(MakeAction(window, Tr("&Open..."), Tr("Open"),
                      Keys(QKeySequence::Open, {QKeySequence(Qt::CTRL | Qt::Key_O)}),
                      ToolbarIcon::Open)),
      Save(MakeAction(window, Tr("&Save"), Tr("Save"),
                      Keys(QKeySequence::Save, {QKeySequence(Qt::CTRL | Qt::Key_S)}),
                      ToolbarIcon::Save)),
      SaveAs(MakeAction(window, Tr("Save &As..."), Tr("Save As"), {})),
      Print(MakeAction(window, Tr("&Print..."), Tr("Print"),
                       Keys(QKeySequence::Print, {QKeySequence(Qt::CTRL | Qt::Key_P)}))),
      Produce(MakeAction(
          window, Tr("P&roduce..."),
          Tr("Make one composite for every group of the class list or portrait index"), {})),
      Undo(MakeAction(window, {}, Tr("Undo"),
                      Keys(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z),
                                                QKeySequence(Qt::ALT | Qt::Key_Backspace)}),
                      ToolbarIcon::Undo)),
      Redo(MakeAction(window, Tr("Redo"), Tr("Redo"),
                      Keys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                QKeySequence(Qt::CTRL | Qt::Key_Y)}))),
      ZoomIn(MakeAction(window, Tr("Zoom in"), Tr("Zoom In"), Keys(QKeySequence::ZoomIn),
                        ToolbarIcon::ZoomIn)),
      ZoomOut(MakeAction(window, Tr("Zoom out"), Tr("Zoom Out"), Keys(QKeySequence::ZoomOut),
                         ToolbarIcon::ZoomOut)),
      FitToWindow(MakeAction(window, Tr("Adjust zoom so layout fits the window"),
                             Tr("Fit To Window"), {}, ToolbarIcon::FitToWindow)),
      ZoomActualSize(
          MakeAction(window, Tr("Zoom to 100%"), Tr("Zoom 100%"), {}, ToolbarIcon::ActualSize)),
      NextPane(MakeAction(window, Tr("Next Pane"), Tr("Next Pane"), {QKeySequence(Qt::Key_F6)})),
      PreviousPane(MakeAction(window, Tr("Previous Pane"), Tr("Previous Pane"),
                              {QKeySequence(Qt::SHIFT | Qt::Key_F6)})),
      About(MakeAction(window, Tr("&About Montage..."), Tr("About Montage"),
                       Keys(QKeySequence::HelpContents, {QKeySequence(Qt::Key_F1)}))),
      document_(document) {
  // The actions outlive the commands within the window; the document outlives both.
  QObject::connect(New, &QAction::triggered, New, [&document] { document.OnNewDocument(); });
  QObject::connect(Open, &QAction::triggered, Open, [&document] { document.OpenLayout({}); });
  QObject::connect(Save, &QAction::triggered, Save, [&document] { document.Save(); });
  QObject::connect(SaveAs, &QAction::triggered, SaveAs, [&document] { document.SaveAs(); });
  QObject::connect(Undo, &QAction::triggered, Undo, [&document] { document.Undo(); });
  QObject::connect(Redo, &QAction::triggered, Redo, [&document] { document.Redo(); });
  document_.AddView(*this);
  UpdateStates();
}

Commands::~Commands() { document_.RemoveView(*this); }

void Commands::UpdateStates() {
  Save->setEnabled(!document_.path().empty());
  Produce->setEnabled(!PreviewSettings::Instance().ClassListPath.empty());
  const UndoHistory& history = document_.History();
  Undo->setEnabled(history.NextUndo() != nullptr);
  Undo->setText(QString::fromStdString(document_.UndoText()));
  Undo->setToolTip(history.NextUndo() != nullptr ? Tr("Undo %1").arg(QString::fromStdString(
                                                       history.NextUndo()->Description()))
                                                 : Tr("Undo"));
  Redo->setEnabled(history.NextRedo() != nullptr);
}

void Commands::OnUpdate(unsigned) { UpdateStates(); }
