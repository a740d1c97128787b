#pragma once

// ProductLauncher's one dialog: the user picks a programmer and the
// interface language; OK writes the language into that programmer's
// profile, starts it and remembers the choice in "Program.ini".

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace radio {
class CIniFile;
class IProcessStarter;
} // namespace radio

class CSelectProductDlg : public QDialog {
    Q_OBJECT

public:
    // `profile`: "Program.ini", open; `launcherPath`: the launcher's own
    // file, beside which the programmers and their profiles are.
    CSelectProductDlg(radio::CIniFile& profile, std::string launcherPath,
                      radio::IProcessStarter& starter, QWidget* parent = nullptr);

    int DoModal();

    // Where the launcher says what went wrong (a message box by default).
    void SetErrorSink(std::function<void(const QString&)> sink) { m_showError = std::move(sink); }

    QComboBox* ProductBox() const { return m_product; }
    QCheckBox* ChineseBox() const { return m_chinese; }
    QCheckBox* EnglishBox() const { return m_english; }
    QLabel* Label() const { return m_label; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void OnInitDialog();
    void OnOK();

private:
    void SetLanguage(bool chinese);

    radio::CIniFile& m_profile;
    std::string m_launcherPath;
    radio::IProcessStarter& m_starter;
    std::function<void(const QString&)> m_showError;
    QLabel* m_label;
    QComboBox* m_product;
    QCheckBox* m_chinese;
    QCheckBox* m_english;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_bChinese = true;
};
