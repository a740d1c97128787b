// The command ids of the programmers: the resource ids of their menus,
// toolbar and accelerators, which are also the context numbers of the help
// topics of the commands. Every part uses these; none writes the numbers.
#pragma once

namespace cmd {
// The framework's standard commands
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
// The programmers' own
inline constexpr int kRead = 32773;
inline constexpr int kWrite = 32774;
inline constexpr int kComSetup = 32777;
inline constexpr int kControlBar = 32780;
inline constexpr int kScanInfo = 32782;
inline constexpr int kProductInformation = 32786;
inline constexpr int kChannelInformation = 32787;
inline constexpr int kOptionalFeatures = 32788;
inline constexpr int kLanguage = 32799;
// Ours: the report as a PDF file.
inline constexpr int kFileExportPdf = 32800;
// Ours: the channel table of another programmer's file.
inline constexpr int kCopyChannelsFrom = 32801;
// Ours: the same data into one radio after another.
inline constexpr int kWriteSeveral = 32802;
} // namespace cmd
