// The window as it comes up: the stored layout, before any user action.

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMenuBar>
#include <QStatusBar>

#include "WindowFixture.h"

namespace {

struct ExpectedControl {
    const char* Name;
    const char* ClassName;
    QRect Geometry;
    const char* Text;
    bool Enabled;
};

// Typed from the window's design, not from the code's table.
const ExpectedControl kExpected[] = {
    {"Chart1", "QWidget", {0, 0, 697, 300}, "", true},
    {"BtnDecomp", "QPushButton", {704, 149, 81, 25}, "Decompose", false},
    {"Chart2", "QWidget", {0, 304, 697, 300}, "", true},
    {"BtnThresh", "QPushButton", {704, 467, 81, 25}, "Thresholding", false},
    {"BtnReconstr", "QPushButton", {704, 264, 81, 25}, "Reconstruct", false},
    {"EdtThresh", "QLineEdit", {725, 443, 41, 21}, "10", true},
    {"CBLev", "QComboBox", {704, 120, 81, 21}, "", true},
    {"EdtN", "QLineEdit", {704, 4, 81, 21}, "513", true},
    {"BtnLoad", "QPushButton", {704, 32, 81, 25}, "Load Data", true},
    {"CB1", "QComboBox", {704, 400, 81, 21}, "", true},
    {"Edit1", "QLineEdit", {731, 581, 57, 21}, "", true},
    {"Label1", "QLabel", {699, 584, 30, 16}, "<a>:", true},
};

QString TextOf(QWidget& control) {
    if (auto* button = qobject_cast<QPushButton*>(&control)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(&control)) return list->currentText();
    if (auto* label = qobject_cast<QLabel*>(&control)) return label->text();
    return {};
}

using StartState = WindowTest;

TEST_F(StartState, WindowCaptionSizeAndPosition) {
    EXPECT_EQ(form->windowTitle().toStdString(), "The Quelmar Scheme ");
    // The menu bar sits above the stored area and the status bar below it;
    // the window opens at that size, though it may shrink; the work starts
    // with Load.
    const int menuHeight = form->menuBar()->height();
    const int statusHeight = form->statusBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_GT(statusHeight, 0);
    EXPECT_EQ(form->menuBar()->geometry(), QRect(0, 0, 792, menuHeight));
    EXPECT_EQ(form->centralWidget()->geometry(), QRect(0, menuHeight, 792, 610));
    EXPECT_EQ(form->size(), QSize(792, 610 + menuHeight + statusHeight));
    EXPECT_LT(form->minimumSizeHint().height(), form->size().height());
    EXPECT_EQ(QApplication::focusWidget(), &Button("BtnLoad"));
    EXPECT_EQ(form->pos(), QPoint(195, 108));
}

TEST_F(StartState, EveryControlAtItsPlaceWithItsTextAndState) {
    for (const ExpectedControl& expected : kExpected) {
        SCOPED_TRACE(expected.Name);
        QWidget& control = Control<QWidget>(expected.Name);
        EXPECT_EQ(control.parentWidget(), form->centralWidget());
        EXPECT_STREQ(control.metaObject()->className(), expected.ClassName);
        EXPECT_EQ(control.geometry(), expected.Geometry);
        EXPECT_EQ(TextOf(control).toStdString(), expected.Text);
        EXPECT_EQ(control.isEnabled(), expected.Enabled);
        EXPECT_TRUE(control.isVisible());
    }
}

TEST_F(StartState, ListsAreEmptyReadOnlyAndUnchosen) {
    for (const char* name : {"CBLev", "CB1"}) {
        SCOPED_TRACE(name);
        QComboBox& list = List(name);
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(list.currentIndex(), -1);
        EXPECT_FALSE(list.isEditable());
    }
}

TEST_F(StartState, NoSeriesHoldsPoints) {
    EXPECT_EQ(Series1().Count(), 0);
    EXPECT_EQ(Series2().Count(), 0);
    EXPECT_EQ(Series3().Count(), 0);
}

TEST_F(StartState, TabOrderFollowsTheLayout) {
    const char* order[] = {"Chart1", "BtnDecomp", "Chart2",  "BtnThresh", "BtnReconstr", "EdtThresh",
                           "CBLev",  "EdtN",      "BtnLoad", "CB1",       "Edit1"};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        SCOPED_TRACE(order[i]);
        QWidget* next = Control<QWidget>(order[i]).nextInFocusChain();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->objectName().toStdString(), order[i + 1]);
    }
    EXPECT_EQ(Control<QLabel>("Label1").focusPolicy(), Qt::NoFocus);
}

TEST_F(StartState, TabKeyPassesOverChartsAndDisabledButtons) {
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Edit("EdtThresh").setFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"CBLev", "EdtN", "BtnLoad", "CB1", "Edit1", "EdtThresh"}));
}

TEST_F(StartState, WindowFontIsAnElevenPixelSansAndTheLabelHasItsOwnBoldFont) {
    const QFont windowFont = form->font();
    EXPECT_EQ(windowFont.pixelSize(), 11);
    EXPECT_FALSE(windowFont.bold());
    EXPECT_EQ(windowFont.styleHint(), QFont::SansSerif);
    for (const char* name : {"BtnLoad", "EdtN", "CB1", "Edit1"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QFontInfo(Control<QWidget>(name).font()).pixelSize(), 11);
    }
    QLabel& label = Control<QLabel>("Label1");
    const QFontInfo labelFont(label.font());
    EXPECT_EQ(labelFont.pixelSize(), 13);
    EXPECT_TRUE(labelFont.bold());
    // "<a>:" is shown as written, not taken for a link, and fits its label.
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_LE(QFontMetrics(label.font()).horizontalAdvance(label.text()), label.width());
    // The button captions fit their 81-pixel buttons with room for the frame.
    for (const char* name : {"BtnDecomp", "BtnThresh", "BtnReconstr", "BtnLoad"}) {
        QPushButton& button = Button(name);
        EXPECT_LE(QFontMetrics(button.font()).horizontalAdvance(button.text()), button.width() - 8) << name;
    }
}

TEST_F(StartState, ListItemsAreThirteenPixelsHigh) {
    form->SetViewChoices(3);
    form->SetLevelChoices(2);
    for (const char* name : {"CBLev", "CB1"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(List(name).view()->sizeHintForRow(0), 13);
    }
}

TEST_F(StartState, ChartAreasAreWhiteAndTheGapBetweenThemIsNot) {
    const QImage image = form->centralWidget()->grab().toImage();
    const QRgb white = qRgb(255, 255, 255);
    for (const QPoint point : {QPoint(0, 0), QPoint(690, 294), QPoint(5, 150), QPoint(0, 304), QPoint(690, 598)}) {
        EXPECT_EQ(image.pixel(point), white) << point.x() << "," << point.y();
    }
    // The charts' raised bevels are shaded on their right and bottom edges.
    EXPECT_NE(image.pixel(696, 299), white);
    EXPECT_NE(image.pixel(696, 603), white);
    // Rows 300 to 303 and column 697 onwards belong to the window itself.
    EXPECT_NE(image.pixel(348, 301), white);
    EXPECT_NE(image.pixel(697, 150), white);
    EXPECT_NE(image.pixel(348, 605), white);
}

}  // namespace
