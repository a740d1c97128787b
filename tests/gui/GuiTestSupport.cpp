#include "GuiTestSupport.h"

#include "IniFile.h"

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

void ProgrammerTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
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
                           const QStringList& arguments) {
    const radio::ModelVariant& variant = radio::VariantFor(model);
    QFile profile(QString::fromStdString(Path(std::string(variant.profileFile))));
    if (!profile.open(QIODevice::WriteOnly)) {
        return false;
    }
    profile.write(QByteArray::fromStdString(TestProfile(language)));
    profile.close();
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
