// The main window's popup menus and the commands that arrange the group of windows.
#include "main/main_window.h"

#include "assets/skin.h"
#include "counter/counter_window.h"
#include "framework/dialogs.h"
#include "framework/image_button.h"
#include "options/options_window.h"
#include "platform/platform.h"
#include "small_windows/about_window.h"
#include "small_windows/time_window.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QUrl>

namespace zarvo {

namespace {

struct Level {
  const char* caption;
  int alpha;
  bool blend;
};
constexpr Level kLevels[] = {{"Disabled", 255, false},
                             {"Low", 230, true},
                             {"Mediu", 200, true},
                             {"Intermediar", 150, true},
                             {"Hight", 100, true}};

// Opens the first of `candidates` that exists with the desktop's viewer for its kind. When none is
// there the menu item would otherwise do nothing at all, so say where the file was looked for.
void OpenDocument(Platform& platform, Dialogs& dialogs, const QString& what, const QStringList& candidates) {
  for (const QString& file : candidates)
    if (QFileInfo(file).isFile()) {
      platform.OpenUrl(QUrl::fromLocalFile(file).toString());
      return;
    }
  dialogs.ShowMessage(QStringLiteral("The %1 is not installed. Zarvo looked for it here:\n").arg(what) +
                      candidates.join(QLatin1Char('\n')));
}

QAction* Item(QMenu* menu, const QString& name, const QString& caption) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  return a;
}

} // namespace

void TForm1::CreateMenus() {
  // Every menu command runs under the error guard.
  const auto command = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

  // More time at any moment, not only when warned: in the menu (and so the tray's) while a
  // countdown runs.
  Postpone1 = new QAction(QStringLiteral("Postpone 10 minutes"), this);
  Postpone1->setObjectName(QStringLiteral("Postpone1"));
  connect(Postpone1, &QAction::triggered, this, command(&TForm1::PostponeClick));
  PostponeSeparator1 = new QAction(this);
  PostponeSeparator1->setSeparator(true);
  connect(&session_, &CountdownSession::Started, this, [this] {
    PopupMenu1->insertActions(PopupMenu1->actions().value(0), {Postpone1, PostponeSeparator1});
  });
  connect(&session_, &CountdownSession::Stopped, this, [this] {
    PopupMenu1->removeAction(Postpone1);
    PopupMenu1->removeAction(PostponeSeparator1);
  });

  About1 = Item(PopupMenu1, QStringLiteral("About1"), QStringLiteral("About"));
  About1->setIcon(PictureIcon({skin::kMenuAbout}));
  PopupMenu1->setDefaultAction(About1);
  connect(About1, &QAction::triggered, this, command(&TForm1::About1Click));
  QAction* help = Item(PopupMenu1, QStringLiteral("Help1"), QStringLiteral("Help"));
  help->setIcon(PictureIcon({skin::kMenuHelp}));
  connect(help, &QAction::triggered, this, command(&TForm1::Help1Click));
  connect(Item(PopupMenu1, QStringLiteral("Whatsnew1"), QStringLiteral("What's new")), &QAction::triggered,
          this, command(&TForm1::Whatsnew1Click));
  PopupMenu1->addSeparator();

  QMenu* view = PopupMenu1->addMenu(QStringLiteral("View"));
  view->setObjectName(QStringLiteral("View1"));
  ShowonlyTimeRemaining1 =
      Item(view, QStringLiteral("ShowonlyTimeRemaining1"), QStringLiteral("Show only Time Remaining"));
  ShowonlyTimeRemaining1->setCheckable(true);
  connect(ShowonlyTimeRemaining1, &QAction::triggered, this, [this] {
    ShowonlyTimeRemaining1->setChecked(!ShowonlyTimeRemaining1->isChecked()); // set by the command only
    Guarded([this] { ShowTimeClick(); });
  });
  view->addSeparator();
  HideOptionsPanel1 = Item(view, QStringLiteral("HideOptionsPanel1"), QStringLiteral("Hide Options window"));
  connect(HideOptionsPanel1, &QAction::triggered, this, command(&TForm1::OptionsClick));
  HideCounter1 = Item(view, QStringLiteral("HideCounter1"), QStringLiteral("Hide Counter window"));
  connect(HideCounter1, &QAction::triggered, this, command(&TForm1::CounterClick));
  view->addSeparator();
  connect(Item(view, QStringLiteral("AlignOptionswindow1"), QStringLiteral("Align Options window")),
          &QAction::triggered, this, [this] { Guarded([this] { FormOptions->AlignClick(); }); });
  connect(Item(view, QStringLiteral("AlignCounterwindow1"), QStringLiteral("Align Counter window")),
          &QAction::triggered, this, [this] { Guarded([this] { FormCounter->AlignClick(); }); });

  QMenu* options = PopupMenu1->addMenu(QStringLiteral("Options"));
  options->setObjectName(QStringLiteral("Options1"));
  options->menuAction()->setIcon(PictureIcon({skin::kMenuOptions}));
  Alwaysontop1 = Item(options, QStringLiteral("Alwaysontop1"), QStringLiteral("Always on top"));
  Alwaysontop1->setCheckable(true);
  connect(Alwaysontop1, &QAction::triggered, this, command(&TForm1::TopAlwaysClick));
  options->addSeparator();
  ForceShutDown1 = Item(options, QStringLiteral("ForceShutDown1"), QStringLiteral("Force Shut Down"));
  ForceShutDown1->setCheckable(true);
  ForceShutDown1->setChecked(true);
  connect(ForceShutDown1, &QAction::triggered, this, [this] {
    ForceShutDown1->setChecked(!ForceShutDown1->isChecked()); // undo the menu's own toggle
    Guarded([this] { ForceShutDown1Click(); });
  });
  Showhelp1 = Item(options, QStringLiteral("Showhelp1"), QStringLiteral("Show help"));
  Showhelp1->setCheckable(true);
  Showhelp1->setChecked(true);
  connect(Showhelp1, &QAction::triggered, this, [this] {
    Showhelp1->setChecked(!Showhelp1->isChecked());
    Guarded([this] { Showhelp1Click(); });
  });

  QMenu* run = PopupMenu1->addMenu(QStringLiteral("Run"));
  run->setObjectName(QStringLiteral("Run1"));
  run->menuAction()->setIcon(PictureIcon({skin::kMenuRun}));
  auto runItem = [this, run](const QString& name, const QString& caption, const QString& confirmation,
                             const QString& word) {
    QAction* a = Item(run, name, caption);
    connect(a, &QAction::triggered, this, [this, confirmation, word] {
      Guarded([this, confirmation, word] { RunMenuCommand(confirmation, word); });
    });
    return a;
  };
  ShutDown1 = runItem(QStringLiteral("ShutDown1"), QStringLiteral("Shut Down"),
                      QStringLiteral("ShutDown now?"), QStringLiteral("shutdown"));
  Restart1 = runItem(QStringLiteral("Restart1"), QStringLiteral("Restart"), QStringLiteral("Restart now?"),
                     QStringLiteral("restart"));
  LogOff1 = runItem(QStringLiteral("LogOff1"), QStringLiteral("LogOff"), QStringLiteral("LogOff now?"),
                    QStringLiteral("logoff"));
  StandBy1 = runItem(QStringLiteral("StandBy1"), QStringLiteral("Stand By"), QStringLiteral("Stand By now?"),
                     QStringLiteral("standby"));
  Hibernate1 = runItem(QStringLiteral("Hibernate1"), QStringLiteral("Hibernate"),
                       QStringLiteral("Hibernate now?"), QStringLiteral("hibernate"));
  run->addSeparator();
  Showconfirmation1 = Item(run, QStringLiteral("Showconfirmation1"), QStringLiteral("Show confirmation"));
  Showconfirmation1->setCheckable(true); // a click inverts its own check mark
  Showconfirmation1->setChecked(true);

  QMenu* alpha = PopupMenu1->addMenu(QStringLiteral("Transparent"));
  alpha->setObjectName(QStringLiteral("AlphaBlend2"));
  AlphaBlend1 = alpha->menuAction();
  AlphaBlend1->setObjectName(QStringLiteral("AlphaBlend1"));
  PopupMenuAlfa = new QMenu(this);
  PopupMenuAlfa->setObjectName(QStringLiteral("PopupMenuAlfa"));
  auto* groupAlfa = new QActionGroup(this);
  auto* groupSub = new QActionGroup(this);
  for (int i = 0; i < 5; ++i) {
    const Level& level = kLevels[i];
    const QString caption = QString::fromLatin1(level.caption);
    QAction* a = Item(PopupMenuAlfa, caption + QStringLiteral("1"), caption);
    QAction* b = Item(alpha, caption + QStringLiteral("2"), caption);
    for (QAction* item : {a, b}) {
      item->setCheckable(true);
      item->setChecked(i == 0);
      connect(item, &QAction::triggered, this, [this, i] {
        Guarded([this, i] { SetTransparency(kLevels[i].alpha, kLevels[i].blend); });
        LevelItemsAlfa[i]->setChecked(true);
        LevelItemsSubmenu[i]->setChecked(true);
      });
    }
    groupAlfa->addAction(a);
    groupSub->addAction(b);
    LevelItemsAlfa << a;
    LevelItemsSubmenu << b;
  }
  PopupMenu1->addSeparator();
  QAction* exit = Item(PopupMenu1, QStringLiteral("Exit1"), QStringLiteral("Exit"));
  exit->setIcon(PictureIcon({skin::kMenuExit}));
  connect(exit, &QAction::triggered, this, command(&TForm1::CloseButtonClick));

  PopupMenuShowTime = new QMenu(this);
  PopupMenuShowTime->setObjectName(QStringLiteral("PopupMenuShowTime"));
  PopupMenuShowTime1 = Item(PopupMenuShowTime, QStringLiteral("PopupMenuShowTime1"),
                            QStringLiteral("Show only Time Remaining"));
  PopupMenuShowTime1->setCheckable(true);
  connect(PopupMenuShowTime1, &QAction::triggered, this, [this] {
    PopupMenuShowTime1->setChecked(!PopupMenuShowTime1->isChecked());
    Guarded([this] { ShowTimeClick(); });
  });
}

void TForm1::MenuClick() {
  // Centred under the Menu button.
  const QPoint at = mapToGlobal(QPoint(Menu->x(), Menu->y() + Menu->height()));
  const int w = PopupMenu1->sizeHint().width();
  PopupMenu1->popup(QPoint(at.x() - w / 2, at.y()));
}

void TForm1::ShowMainMenu(const QPoint& globalPos) { PopupMenu1->popup(globalPos); }

void TForm1::ShowTimeMenu(const QPoint& globalPos) { PopupMenuShowTime->popup(globalPos); }

void TForm1::TransparentClick() {
  if (!platform_.SupportsTransparency()) {
    dialogs_.ShowMessage(QString(14, QLatin1Char(' ')) + QStringLiteral("Sorry !\nOnly in Windows 2k,XP"));
    return;
  }
  PopupMenuAlfa->popup(mapToGlobal(QPoint(Transparent->x(), Transparent->y() + Transparent->height())));
}

void TForm1::SetTransparency(int alpha, bool blend) { group_.SetTransparency(alpha, blend); }

void TForm1::TopAlwaysClick() {
  AlwaysOnTop = !AlwaysOnTop;
  group_.SetStayOnTop(AlwaysOnTop); // each window keeps its outline through the change
  Alwaysontop1->setChecked(AlwaysOnTop);
}

// While the group is in the tray or minimised, these act on whether the window comes back with it.
void TForm1::OptionsClick() {
  const bool shown = !WindowShown(FormOptions);
  group_.SetWindowShown(FormOptions, shown);
  HideOptionsPanel1->setText(shown ? QStringLiteral("Hide Options Panel")
                                   : QStringLiteral("Show Options Panel"));
}

void TForm1::CounterClick() {
  const bool shown = !WindowShown(FormCounter);
  group_.SetWindowShown(FormCounter, shown);
  HideCounter1->setText(shown ? QStringLiteral("Hide Counter Panel") : QStringLiteral("Show Counter Panel"));
}

void TForm1::ShowTimeClick() {
  if (!CountdownRunning()) {
    dialogs_.ShowMessage(QStringLiteral("Click Start first"));
    return;
  }
  SetTimeOnlyView(!TimeOnlyView);
}

void TForm1::SetTimeOnlyView(bool on) {
  TimeOnlyView = on;
  PopupMenuShowTime1->setChecked(on);
  ShowonlyTimeRemaining1->setChecked(on);
  group_.ShowTimeOnly(on);
}

// Help opens Help/index.html below the working directory the program started in when there is one
// (a page kept beside a portable copy), else the installed page: started from a desktop menu, the
// working directory is the home folder, which has no Help folder.
void TForm1::Help1Click() {
  OpenDocument(platform_, dialogs_, QStringLiteral("help page"),
               {BrowserCommand + QStringLiteral("/Help/index.html"),
                platform_.DataDirectory() + QStringLiteral("/Help/index.html")});
}

// The change history beside the executable, else the installed copy, in the default text viewer.
void TForm1::Whatsnew1Click() {
  OpenDocument(platform_, dialogs_, QStringLiteral("change history"),
               {platform_.ExecutableDirectory() + QStringLiteral("/history.txt"),
                platform_.DataDirectory() + QStringLiteral("/history.txt")});
}

void TForm1::About1Click() {
  CreateLateWindows();
  FormAbout->ShowModal();
}

void TForm1::Showhelp1Click() {
  Showhelp1->setChecked(!Showhelp1->isChecked());
  hints_.HideHint();
}

} // namespace zarvo
