#include "GuiTestSupport.h"

#include "ChildFrame.h"
#include "IniFile.h"
#include "LanguageLibrary.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

std::string TestProfile(const std::string& language) {
    return "[Setup]\nLanguage=" + language +
           "\nAppName=RadioCloneTest\n"
           "Type1=T-1\nField1=136 - 174MHz|400 - 470MHz\nType2=T-2\nField2=400 - 470MHz\n"
           "[English]\nCompany=Test Radio\nAppName=Test Programmer\nAbout Title=About Test\n"
           "[Chinese]\nCompany=测试电台\nAppName=测试编程\nAbout Title=关于测试\n";
}

bool RecordingProcessStarter::StartDetached(const std::string& program,
                                            const std::vector<std::string>& arguments,
                                            std::string& error) {
    QFile profile(QString::fromStdString(profilePath));
    std::string onDisk;
    if (profile.open(QIODevice::ReadOnly)) {
        onDisk = profile.readAll().toStdString();
    }
    starts.push_back({program, arguments, onDisk});
    if (fail) {
        error = program + ": no such file";
        return false;
    }
    return true;
}

std::string ProgrammerTest::ChildTitle() const {
    const QMdiSubWindow* child = Frame()->ActiveChild();
    QString title = child->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  child->isWindowModified() ? QStringLiteral("*") : QString());
    return title.toStdString();
}

void ProgrammerTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_services.processes = &m_processes;
    m_services.settings = &m_store;
    m_services.messages = &m_messageBoxes;
    m_services.fileDialogs = &m_fileDialogs;
    m_services.help = &m_help;
}

void ProgrammerTest::TearDown() {
    m_app.reset();
}

radio::MessageResult ProgrammerTest::Answer(const radio::MessageRequest& request) {
    m_messages.push_back(request);
    return m_answer;
}

bool ProgrammerTest::Start(radio::Model model, const std::string& language,
                           const QStringList& arguments, bool writeProfile) {
    if (!writeProfile) {
        QFile::remove(
            QString::fromStdString(Path(std::string(radio::VariantFor(model).profileFile))));
        return Launch(model, arguments);
    }
    return StartWithProfile(model, TestProfile(language), arguments);
}

bool ProgrammerTest::StartWithProfile(radio::Model model, const std::string& profile,
                                      const QStringList& arguments) {
    QFile file(QString::fromStdString(Path(std::string(radio::VariantFor(model).profileFile))));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(QByteArray::fromStdString(profile));
    file.close();
    return Launch(model, arguments);
}

bool ProgrammerTest::Launch(radio::Model model, const QStringList& arguments) {
    const radio::ModelVariant& variant = radio::VariantFor(model);
    // The language libraries the build made, beside the program as shipped.
    for (const char* name : {"English", "Chinese"}) {
        const std::string library =
            radio::CLanguageLibrary::FileName(name, std::string(variant.languageLibrarySuffix));
        QFile::copy(QString::fromStdString(std::string(RADIO_BIN_DIR "/") + library),
                    QString::fromStdString(Path(library)));
    }
    m_processes.profilePath = Path(std::string(variant.profileFile));
    m_app.reset();
    m_app = std::make_unique<CProgrammerApp>(variant, Path(std::string(variant.programName)),
                                             m_services);
    if (!m_app->InitInstance(arguments, false)) {
        return false;
    }
    Frame()->show();
    return true;
}

std::string ProgrammerTest::Path(const std::string& name) const {
    return m_dir.filePath(QString::fromStdString(name)).toStdString();
}

void ProgrammerTest::ClickCell(int row, int col) {
    CMSFlexGrid& grid = Grid();
    grid.scrollTo(grid.model()->index(row - 1, col - 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRectOf(row, col).center());
}

QWidget* ProgrammerTest::ShownEditor() const {
    QWidget* editor = View()->EditorForColumn();
    return editor != nullptr && !editor->isHidden() ? editor : nullptr;
}

void ProgrammerTest::TypeIntoEditor(const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(ShownEditor());
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void ProgrammerTest::PressKey(Qt::Key key) {
    QWidget* target = ShownEditor();
    QTest::keyClick(target != nullptr ? target : static_cast<QWidget*>(&Grid()), key);
}

std::vector<std::string> ProgrammerTest::RowTexts(int row) const {
    std::vector<std::string> texts;
    for (int c = 1; c < Grid().Cols(); ++c) {
        texts.push_back(Grid().TextMatrix(row, c));
    }
    return texts;
}
