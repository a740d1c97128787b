// The programs' own pictures, drawn in code so that they stay sharp at the
// sizes they are shown at and need no image files in the resources.
#pragma once

#include <QIcon>
#include <QImage>

namespace radio {

// Toolbar glyph of a command (cmd::kFileNew, kFileOpen, kFileSave, kRead,
// kWrite, kFilePrint, kAppAbout): kToolbarImageWidth x kToolbarImageHeight,
// transparent background. A null image for any other command.
inline constexpr int kToolbarImageWidth = 18;
inline constexpr int kToolbarImageHeight = 19;
QImage ToolbarImage(int commandId);

// The main window's background: a quiet tile that repeats without seams.
// RGB32, no alpha.
inline constexpr int kBackgroundTileWidth = 238;
inline constexpr int kBackgroundTileHeight = 157;
QImage BackgroundTile();

// The program icon, drawn for each of kTitleIconSizes; any other size is
// drawn from the largest design and may be less crisp.
inline constexpr int kTitleIconSizes[] = {16, 32, 48, 256};
QImage TitleIconImage(int size);
// All of kTitleIconSizes in one icon. Needs a QGuiApplication (QPixmap).
QIcon TitleIcon();

// 16 x 16 dark "x" for a close button, transparent background.
QImage CloseGlyph();

} // namespace radio
