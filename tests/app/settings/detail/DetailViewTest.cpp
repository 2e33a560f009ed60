#include "frmPubDetail.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace {

using orv::settings::DetailViewRows;
using orv::settings::frmPubDetail;

// A list of `count` rows whose cells read "r<row> c<column>", with a selection.
class FakeRows final : public DetailViewRows {
public:
    explicit FakeRows(int count, int selected = 0) : count_(count), selected_(selected) {}

    int rowCount() const override { return count_; }
    int selectedRow() const override { return selected_; }
    void selectRow(int row) override { selected_ = row; }
    QString cellText(int row, int column) const override { return QStringLiteral("r%1 c%2").arg(row).arg(column); }

    void setRowCount(int count) { count_ = count; }

private:
    int count_;
    int selected_;
};

std::vector<QString> fieldsOf(const frmPubDetail& detail)
{
    std::vector<QString> texts;
    for (int n = 0; n < frmPubDetail::kFieldCount; ++n) texts.push_back(detail.field(n)->text());
    return texts;
}

std::vector<QString> cellsOf(int row)
{
    std::vector<QString> texts;
    for (int n = 0; n < frmPubDetail::kFieldCount; ++n) texts.push_back(QStringLiteral("r%1 c%2").arg(row).arg(n));
    return texts;
}

TEST(DetailView, MovesTheSelectionOfTheListItShows)
{
    using B = frmPubDetail::Button;
    struct Row {
        const char* name;
        int count;
        int selected;  // when the dialog opens
        std::vector<B> presses;
        int shown;  // afterwards, displayed and selected
    };
    const Row rows[] = {
        {"one row, every move", 1, 0, {B::First, B::Previous, B::Next, B::Last}, 0},
        {"previous on the first row", 250, 0, {B::Previous}, 0},
        {"next on the last row", 250, 249, {B::Next}, 249},
        {"next from row 3", 250, 2, {B::Next}, 3},
        {"last from anywhere", 250, 17, {B::Last}, 249},
        {"first", 250, 17, {B::First}, 0},
        {"previous twice", 250, 17, {B::Previous, B::Previous}, 15},
        {"beyond 16-bit row numbers", 40000, 32767, {B::Next, B::Next, B::Previous}, 32768},
        {"nothing selected: the first row", 250, -1, {}, 0},
        {"nothing selected, then next", 250, -1, {B::Next}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRows list(row.count, row.selected);
        frmPubDetail detail(list);
        detail.displaySelectedRow();
        for (const B press : row.presses) detail.press(press);
        EXPECT_EQ(list.selectedRow(), row.shown);
        EXPECT_EQ(fieldsOf(detail), cellsOf(row.shown));
    }
}

TEST(DetailView, ReadsTheListAfreshAtEveryPress)
{
    FakeRows list(10, 9);
    frmPubDetail detail(list);
    detail.displaySelectedRow();
    // Reloaded behind the dialog: more rows now, the fields still show what they showed.
    list.setRowCount(12);
    EXPECT_EQ(fieldsOf(detail), cellsOf(9));
    detail.press(frmPubDetail::Next);
    EXPECT_EQ(list.selectedRow(), 10);
    list.setRowCount(0);
    detail.press(frmPubDetail::Last);
    EXPECT_EQ(fieldsOf(detail), cellsOf(10));
}

TEST(DetailView, CopiesTheWholeFieldVisitedLast)
{
    FakeRows list(3, 1);
    frmPubDetail detail(list);
    detail.displaySelectedRow();
    QClipboard* clipboard = QGuiApplication::clipboard();

    detail.press(frmPubDetail::Copy);
    EXPECT_EQ(clipboard->text(), u"r1 c0"_qs);

    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(detail.field(3), &focus);
    detail.field(3)->setSelection(1, 2);
    EXPECT_EQ(detail.currentField(), 3);
    // Pressing a button leaves the field visited last as it was.
    QFocusEvent toButton(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(detail.button(frmPubDetail::Next), &toButton);
    detail.press(frmPubDetail::Next);
    detail.press(frmPubDetail::Copy);
    EXPECT_EQ(clipboard->text(), u"r2 c3"_qs);
}

TEST(DetailView, EnterCopiesAndEscCloses)
{
    FakeRows list(3, 0);
    frmPubDetail detail(list);
    detail.displaySelectedRow();
    detail.show();
    QGuiApplication::clipboard()->setText(u"before"_qs);
    QTest::keyClick(detail.field(0), Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"r0 c0"_qs);
    EXPECT_TRUE(detail.isVisible());
    QTest::keyClick(detail.field(0), Qt::Key_Escape);
    EXPECT_FALSE(detail.isVisible());
    EXPECT_EQ(detail.result(), QDialog::Rejected);
}

TEST(DetailView, KeepsItsTextsAndKeyboardOrder)
{
    FakeRows list(1);
    frmPubDetail detail(list);
    EXPECT_EQ(detail.windowTitle(), u"Detail View"_qs);
    const char* const captions[] = {"|<<", "<<", ">>", ">>|", "&Copy", "C&lose"};
    const char* const tips[] = {"Display the first row.", "Display the previous row.", "Display the next row.",
                                "Display the last row.", "Copy current field.", "Close this dialog box."};
    for (int b = 0; b < 6; ++b) {
        QPushButton* button = detail.button(static_cast<frmPubDetail::Button>(b));
        EXPECT_EQ(button->text(), QString::fromUtf8(captions[b]));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tips[b]));
        EXPECT_EQ(button->font().bold(), b < 4);
    }
    EXPECT_TRUE(detail.button(frmPubDetail::Copy)->isDefault());
    // Fields top to bottom, then the buttons left to right.
    const auto nextTabStop = [](QWidget* w) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    QWidget* at = detail.field(0);
    for (int n = 1; n < 6; ++n) {
        at = nextTabStop(at);
        EXPECT_EQ(at, detail.field(n));
    }
    for (int b = 0; b < 6; ++b) {
        at = nextTabStop(at);
        EXPECT_EQ(at, detail.button(static_cast<frmPubDetail::Button>(b)));
    }
    // The inner area ends 90 twips right of and below the Close button.
    detail.adjustSize();
    const QRect close = detail.button(frmPubDetail::Close)->geometry();
    const int margin = qRound(90 * detail.logicalDpiX() / 1440.0);
    EXPECT_EQ(detail.width() - close.right() - 1, margin);
    EXPECT_EQ(detail.height() - close.bottom() - 1, margin);
}

}  // namespace
