#pragma once

// The Product Information dialog: the user chooses the radio type and its
// frequency band from the profile's catalogue. OK writes the choice into the
// image and the settings store, names the main window and gives the channel
// view its band.

#include "MemoryImage.h"
#include "Variant.h"

#include <QDialog>

class CChannelView;
class QComboBox;
class QPushButton;

namespace radio {
class CAppContext;
class CProductCatalogue;
} // namespace radio

class CProductInfoDlg : public QDialog {
    Q_OBJECT

public:
    explicit CProductInfoDlg(radio::CAppContext& app, QWidget* parent = nullptr);

    // Runs the dialog modally for the image and view of the active document.
    int DoModal(radio::Image& image, CChannelView* view);

    QComboBox* TypeBox() const { return m_typeBox; }
    QComboBox* BandBox() const { return m_bandBox; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Fills the boxes from the catalogue and the stored selection.
    void OnInitDialog();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnTypeChanged(int index);
    void OnOK();
    radio::CProductCatalogue Catalogue() const;

    radio::CAppContext& m_app;
    const radio::ModelVariant& m_variant;
    radio::Image* m_pImage = nullptr;
    CChannelView* m_pView = nullptr;
    QComboBox* m_typeBox;
    QComboBox* m_bandBox;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_bFilling = false;
};
