// Where every skin picture lives in the compiled-in resources, with its size and frame count.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace zarvo::skin {

struct Strip {
  const char* path;
  QSize frame;
  int frames;
};

inline QString Path(const char* p) { return QString::fromLatin1(p); }

// Main window
inline constexpr const char* kBackground = ":/skin/main/background.jpg"; // 200 x 140
inline constexpr const char* kDigitsBand = ":/skin/main/band.png";       // 188 x 29, behind the two times
inline constexpr const char* kTitleBar = ":/skin/main/titlebar.jpg";     // 200 x 30
inline constexpr const char* kMainTitle = ":/skin/main/title.jpg";       // 110 x 25
inline constexpr Strip kStartList{":/skin/main/Start_List.png", {85, 50}, 3};
inline constexpr Strip kMenuList{":/skin/main/Menu_List.png", {30, 20}, 3};
inline constexpr Strip kTransparentList{":/skin/main/Transparent_List.png", {30, 20}, 3};
inline constexpr Strip kOptionsList{":/skin/main/Options_List.png", {30, 20}, 3};
inline constexpr Strip kCounterList{":/skin/main/Counter_List.png", {30, 20}, 3};
inline constexpr Strip kTopAlwaysList{":/skin/main/TopAlways_List.png", {30, 20}, 3};
inline constexpr Strip kShowTimeList{":/skin/main/ShowTime_List.png", {30, 20}, 3};
inline constexpr Strip kMinimizeList{":/skin/main/Minimize_List.png", {13, 20}, 3};
inline constexpr Strip kHideList{":/skin/main/Hide_List.png", {13, 20}, 3};
inline constexpr Strip kCloseButtonList{":/skin/main/CloseButton_List.png", {13, 20}, 3};
inline constexpr const char* kMinimizePicture = ":/skin/main/Minimize.png";       // 13 x 20
inline constexpr const char* kHidePicture = ":/skin/main/Hide.png";               // 13 x 20
inline constexpr const char* kCloseButtonPicture = ":/skin/main/CloseButton.png"; // 13 x 20
inline constexpr const char* kStopPlaying = ":/skin/main/StopPlaying.png";        // 45 x 20

// Options window
inline constexpr const char* kOptionsTitle = ":/skin/options/title.jpg"; // 110 x 25
inline constexpr Strip kShutDownList{":/skin/options/ShutDown_List.png", {140, 25}, 3};
inline constexpr Strip kRestartList{":/skin/options/Restart_List.png", {140, 35}, 3};
inline constexpr Strip kLogOffList{":/skin/options/LogOff_List.png", {140, 30}, 3};
inline constexpr Strip kStandByList{":/skin/options/StandBy_List.png", {140, 30}, 3};
inline constexpr Strip kHibernateList{":/skin/options/Hibernate_List.png", {140, 30}, 3};
inline constexpr Strip kZarvoList{":/skin/options/Zarvo_List.png", {140, 30}, 3};
inline constexpr Strip kExecuteList{":/skin/options/Execute_List.png", {140, 30}, 3};
inline constexpr Strip kMessageList{":/skin/options/Message_List.png", {140, 30}, 3};
inline constexpr Strip kCheckList{":/skin/options/Check_List.png", {35, 25}, 2};

// Satellite frame (Options and Counter windows)
inline constexpr Strip kAlignList{":/skin/satellite/Align_List.png", {13, 15}, 2};
inline constexpr Strip kLockedList{":/skin/satellite/Locked_List.png", {13, 15}, 2};

// Counter window
inline constexpr const char* kCounterTitle = ":/skin/counter/title.jpg"; // 110 x 25
inline constexpr Strip kCounterStartList{":/skin/counter/Start_List.png", {60, 35}, 3};
inline constexpr Strip kCounterPauseList{":/skin/counter/Pause_List.png", {60, 35}, 3};
inline constexpr Strip kCounterStopList{":/skin/counter/Stop_List.png", {60, 35}, 3};

// Message and About windows
inline constexpr const char* kMessageTitle = ":/skin/message/title.jpg"; // 110 x 25
inline constexpr const char* kAboutTitle = ":/skin/about/title.jpg";     // 110 x 25
// The arrows of the message memo's scroll bar, 9 x 6
inline constexpr const char* kScrollUp = ":/skin/message/ScrollUp.png";
inline constexpr const char* kScrollDown = ":/skin/message/ScrollDown.png";

// Menu pictures, 16 x 16
inline constexpr const char* kMenuAbout = ":/skin/menu/about.png";
inline constexpr const char* kMenuHelp = ":/skin/menu/help.png";
inline constexpr const char* kMenuOptions = ":/skin/menu/options.png";
inline constexpr const char* kMenuRun = ":/skin/menu/run.png";
inline constexpr const char* kMenuExit = ":/skin/menu/exit.png";

// Program icon: scalable, the tray's 16 x 16 and the About emblem's 48 x 48
inline constexpr const char* kIconScalable = ":/skin/icon/zarvo.svg";
inline constexpr const char* kIcon16 = ":/skin/icon/zarvo16.png";
inline constexpr const char* kIcon48 = ":/skin/icon/zarvo48.png";

// Every picture above, for checks over the whole skin: the single pictures with their sizes, and the strips.
struct Single {
  const char* path;
  QSize size;
};
inline constexpr Single kSingles[] = {
    {kBackground, {200, 140}},    {kTitleBar, {200, 30}},     {kMainTitle, {110, 25}},
    {kMinimizePicture, {13, 20}}, {kHidePicture, {13, 20}},   {kCloseButtonPicture, {13, 20}},
    {kStopPlaying, {45, 20}},     {kOptionsTitle, {110, 25}}, {kCounterTitle, {110, 25}},
    {kMessageTitle, {110, 25}},   {kAboutTitle, {110, 25}},   {kMenuAbout, {16, 16}},
    {kMenuHelp, {16, 16}},        {kMenuOptions, {16, 16}},   {kMenuRun, {16, 16}},
    {kMenuExit, {16, 16}},        {kIcon16, {16, 16}},        {kIcon48, {48, 48}},
    {kIconScalable, {48, 48}},    {kDigitsBand, {188, 29}},   {kScrollUp, {9, 6}},
    {kScrollDown, {9, 6}},
};
inline constexpr const Strip* kStrips[] = {
    &kStartList,     &kMenuList,         &kTransparentList,  &kOptionsList,     &kCounterList,
    &kTopAlwaysList, &kShowTimeList,     &kMinimizeList,     &kHideList,        &kCloseButtonList,
    &kShutDownList,  &kRestartList,      &kLogOffList,       &kStandByList,     &kHibernateList,
    &kZarvoList,     &kExecuteList,      &kMessageList,      &kCheckList,       &kAlignList,
    &kLockedList,    &kCounterStartList, &kCounterPauseList, &kCounterStopList,
};

// Every picture the windows read at their own size (the .png and .jpg ones), singles first.
inline QStringList PicturesAtOwnSize() {
  QStringList paths;
  for (const Single& single : kSingles)
    if (!QString::fromLatin1(single.path).endsWith(QLatin1String(".svg")))
      paths << QString::fromLatin1(single.path);
  for (const Strip* strip : kStrips)
    paths << QString::fromLatin1(strip->path);
  return paths;
}

// The same without the pictures of the Message and About windows, which are made when first needed.
inline QStringList PicturesOfTheFirstWindows() {
  QStringList paths = PicturesAtOwnSize();
  for (const char* late : {kMessageTitle, kAboutTitle, kScrollUp, kScrollDown})
    paths.removeOne(QString::fromLatin1(late));
  return paths;
}

} // namespace zarvo::skin
