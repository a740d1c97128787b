#include "CopyFromDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CCopyFromDlg::CCopyFromDlg(radio::Model preset, QWidget* parent)
    : QDialog(parent), m_programmer(new QComboBox), m_ok(new QPushButton(tr("OK"))),
      m_cancel(new QPushButton(tr("Cancel"))) {
    setWindowTitle(tr("Copy Channels From"));
    for (const radio::ModelVariant* variant : radio::AllVariants()) {
        m_programmer->addItem(
            QString::fromUtf8(variant->programName.data(),
                              static_cast<qsizetype>(variant->programName.size())),
            static_cast<int>(variant->model));
        if (variant->model == preset) {
            m_programmer->setCurrentIndex(m_programmer->count() - 1);
        }
    }
    auto* form = new QFormLayout;
    form->addRow(new QLabel(tr("The file was saved by")), m_programmer);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

radio::Model CCopyFromDlg::Model() const {
    return static_cast<radio::Model>(m_programmer->currentData().toInt());
}

radio::Model CCopyFromDlg::Guess(std::uintmax_t size, radio::Model current) {
    const radio::ModelVariant& lark = radio::VariantFor(radio::Model::Lark);
    if (size < static_cast<std::uintmax_t>(radio::VariantFor(radio::Model::Wren).imageSize) &&
        size >= static_cast<std::uintmax_t>(lark.imageSize)) {
        return radio::Model::Lark;
    }
    // The Wren family's files look alike: the programmer in use is the best
    // guess when it is one of them.
    return current == radio::Model::Lark ? radio::Model::WrenV3 : current;
}
