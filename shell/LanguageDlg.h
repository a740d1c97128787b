#pragma once

// The Language dialog (134): English or Chinese. OK with the other language
// writes "Language" of "Setup" into the profile and sets the changed flag,
// which the dialog keeps for its whole life; whoever ran it then restarts
// the program so that it starts in the new language.

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace radio {
class CAppContext;
}

class CLanguageDlg : public QDialog {
    Q_OBJECT

public:
    explicit CLanguageDlg(radio::CAppContext& app, QWidget* parent = nullptr);

    int DoModal();

    QRadioButton* EnglishButton() const { return m_english; }
    QRadioButton* ChineseButton() const { return m_chinese; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Set by an OK that changed the language; never cleared.
    bool m_bChanged = false;

protected:
    void OnInitDialog();
    void OnOK();
    void keyPressEvent(QKeyEvent* event) override;

private:
    radio::CAppContext& m_app;
    QRadioButton* m_english;
    QRadioButton* m_chinese;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
