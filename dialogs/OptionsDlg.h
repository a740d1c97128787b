#pragma once

// The Optional Features dialog: one drop-down list or check box per option
// of the programmer's option block, filled from the image when it opens and
// stored back only on OK. Its controls, their ids and places are the
// programmer's template; the option rules are the core's LoadOptions and
// StoreOptions.

#include "MemoryImage.h"
#include "Variant.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QPushButton;

namespace radio {
class CAppContext;
}

class COptionsDlg : public QDialog {
    Q_OBJECT

public:
    explicit COptionsDlg(radio::CAppContext& app, QWidget* parent = nullptr);

    // Runs the dialog modally on the image of the active document.
    int DoModal(radio::Image& image);

    // The control of an option by its control id (a QComboBox or QCheckBox).
    QWidget* Control(int controlId) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildTemplate();
    void OnInitDialog();
    void OnOK();
    // ProgramLark lets only digits, Backspace, Delete and arrows through.
    static bool LarkKeyPasses(const QKeyEvent& key);
    // F1 shows the help of `controlId`; true when the key is to be discarded.
    bool HandleKey(const QKeyEvent& key, std::uint32_t controlId);

    radio::CAppContext& m_app;
    const radio::ModelVariant& m_variant;
    radio::Image* m_pImage = nullptr;
    // Per option of the variant, in its order.
    std::vector<QWidget*> m_controls;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
