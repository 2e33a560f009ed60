#include "frmPubDetail.h"

#include "Twips.h"

#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv::settings {

namespace {

constexpr int kMarginTwips = 90;
constexpr int kFieldWidthTwips = 6600;

struct ButtonText {
    const char* caption;
    const char* tip;
};
constexpr ButtonText kButtons[] = {
    {"|<<", "Display the first row."},   {"<<", "Display the previous row."},
    {">>", "Display the next row."},     {">>|", "Display the last row."},
    {"&Copy", "Copy current field."},    {"C&lose", "Close this dialog box."},
};
constexpr const char* kLabels[] = {"&Date And Time", "&Object", "&Action", "&Path", "O&riginal Name", "&New Name"};

}  // namespace

frmPubDetail::frmPubDetail(DetailViewRows& rows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      rows_(rows)
{
    setWindowTitle(tr("Detail View"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);
    const qreal dpi = logicalDpiX();
    const int margin = viewing::twipsToPixels(kMarginTwips, dpi);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(margin);
    for (int n = 0; n < kFieldCount; ++n) {
        auto* field = new QLineEdit(this);
        field->setReadOnly(true);
        field->setMinimumWidth(viewing::twipsToPixels(kFieldWidthTwips, dpi));
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
        field->installEventFilter(this);
        auto* label = new QLabel(tr(kLabels[n]), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(field);
        grid->addWidget(label, n, 0);
        grid->addWidget(field, n, 1);
        fields_[static_cast<std::size_t>(n)] = field;
    }

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QFont bold = font;
    bold.setBold(true);
    for (int b = 0; b < 6; ++b) {
        auto* button = new QPushButton(tr(kButtons[b].caption), this);
        button->setToolTip(tr(kButtons[b].tip));
        if (b <= Last) button->setFont(bold);
        connect(button, &QPushButton::clicked, this, [this, b] { press(static_cast<Button>(b)); });
        row->addWidget(button);
        buttons_[static_cast<std::size_t>(b)] = button;
    }
    buttons_[Copy]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(margin);
    layout->addLayout(grid);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = fields_[0];
    for (QWidget* next : fields_) {
        if (next != previous) setTabOrder(previous, next);
        previous = next;
    }
    for (QWidget* next : buttons_) {
        setTabOrder(previous, next);
        previous = next;
    }
    fields_[0]->setFocus();
}

void frmPubDetail::displaySelectedRow()
{
    const int selected = rows_.selectedRow();
    if (selected >= 0) display(selected);
    else if (rows_.rowCount() > 0) selectAndDisplay(0);
}

void frmPubDetail::press(Button button)
{
    // The list is read afresh at every press: it may have been reloaded behind the dialog.
    const int count = rows_.rowCount();
    const int selected = rows_.selectedRow();
    switch (button) {
    case First:
        if (count > 0) selectAndDisplay(0);
        break;
    case Previous:
        if (selected < 0 && count > 0) selectAndDisplay(0);
        else if (selected > 0) selectAndDisplay(selected - 1);
        break;
    case Next:
        if (selected < 0 && count > 0) selectAndDisplay(0);
        else if (selected >= 0 && selected + 1 < count) selectAndDisplay(selected + 1);
        break;
    case Last:
        if (count > 0) selectAndDisplay(count - 1);
        break;
    case Copy: {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(fields_[static_cast<std::size_t>(currentField_)]->text());
        break;
    }
    case Close: reject(); break;
    }
}

void frmPubDetail::selectAndDisplay(int row)
{
    rows_.selectRow(row);
    display(row);
}

void frmPubDetail::display(int row)
{
    for (int n = 0; n < kFieldCount; ++n) {
        QLineEdit* field = fields_[static_cast<std::size_t>(n)];
        field->setText(rows_.cellText(row, n));
        field->setCursorPosition(0);
    }
}

bool frmPubDetail::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (int n = 0; n < kFieldCount; ++n) {
            QLineEdit* field = fields_[static_cast<std::size_t>(n)];
            if (field != watched) continue;
            currentField_ = n;
            // After the mouse press that gave the focus, which would place the cursor instead.
            QMetaObject::invokeMethod(field, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orv::settings
