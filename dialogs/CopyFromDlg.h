#pragma once

// Asks which programmer a .dat file to copy channels from belongs to: the
// file's size tells ProgramLark from the Wren family, but not the Wren
// family's three programmers from each other.

#include "Variant.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QPushButton;

class CCopyFromDlg : public QDialog {
    Q_OBJECT

public:
    CCopyFromDlg(radio::Model preset, QWidget* parent = nullptr);

    radio::Model Model() const;
    QComboBox* ProgrammerBox() const { return m_programmer; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // The programmer a file of `size` bytes most likely belongs to, seen
    // from the programmer `current`.
    static radio::Model Guess(std::uintmax_t size, radio::Model current);

private:
    QComboBox* m_programmer;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
