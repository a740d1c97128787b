#pragma once

// The About box (dialog 100): caption, version, copyright and owner lines
// from the language section of the profile, the program's icon ("title.ico"
// beside the program, else the built-in one) and OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace radio {
class CAppContext;
}

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(const radio::CAppContext& app, QWidget* parent = nullptr);

    QLabel* Line(int controlId) const; // 1001, 1002, 1003
    QLabel* IconLabel() const { return m_icon; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void OnInitDialog();

private:
    const radio::CAppContext& m_app;
    QLabel* m_icon;
    QLabel* m_version;
    QLabel* m_copyrights;
    QLabel* m_owner;
    QPushButton* m_ok;
};
