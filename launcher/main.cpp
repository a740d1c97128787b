// ProductLauncher: picks a programmer and the interface language, then
// starts that programmer. "Program.ini" beside it is written when it ends,
// whether the dialog ended with OK or Cancel.
#include "IniFile.h"
#include "ProcessStarter.h"
#include "SelectProductDlg.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("ProductLauncher %s\n", RADIO_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    radio::CIniFile profile;
    profile.OpenInProgramDir(self, "Program.ini");
    radio::CQtProcessStarter starter;
    CSelectProductDlg dialog(profile, self, starter);
    dialog.DoModal();
    return 0;
}
