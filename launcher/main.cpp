// ProductLauncher: picks a programmer and the interface language, then
// starts that programmer. "Program.ini" beside it is written when it ends,
// whether the dialog ended with OK or Cancel.
#include "IniFile.h"
#include "ProcessStarter.h"
#include "SelectProductDlg.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    radio::CIniFile profile;
    profile.OpenInProgramDir(self, "Program.ini");
    radio::CQtProcessStarter starter;
    CSelectProductDlg dialog(profile, self, starter);
    dialog.DoModal();
    return 0;
}
