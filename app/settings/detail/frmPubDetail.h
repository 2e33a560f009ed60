#pragma once

#include "DetailViewRows.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace orv::settings {

// The Detail View: one record of the main window's shown list at a time, one field per line, with
// buttons that move that list's selection and one that copies the field visited last. It keeps no
// copy of the records.
class frmPubDetail final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFieldCount = 6;
    enum Button { First, Previous, Next, Last, Copy, Close };

    frmPubDetail(DetailViewRows& rows, QWidget* parent = nullptr);

    // Shows the selected row; with none selected, selects the first.
    void displaySelectedRow();
    // The command of one of the six buttons.
    void press(Button button);

    // The field (0 to 5) that last received the focus.
    int currentField() const { return currentField_; }
    QLineEdit* field(int n) const { return fields_[static_cast<std::size_t>(n)]; }
    QPushButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectAndDisplay(int row);
    void display(int row);

    DetailViewRows& rows_;
    std::array<QLineEdit*, kFieldCount> fields_{};
    std::array<QPushButton*, 6> buttons_{};
    int currentField_ = 0;
};

}  // namespace orv::settings
