#include "ui/FormBuilder.h"

#include <algorithm>
#include <vector>

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace ui {
namespace {

// The rows of a drop-down list's popup keep the layout's item height.
class FixedItemHeightDelegate : public QStyledItemDelegate {
public:
    FixedItemHeightDelegate(int itemHeight, QObject* parent) : QStyledItemDelegate(parent), itemHeight_(itemHeight) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), itemHeight_};
    }

private:
    int itemHeight_;
};

QWidget* CreateControl(const ControlLayout& row, QWidget& parent,
                       const std::function<QWidget&(std::string_view name)>& chartArea) {
    switch (row.Kind) {
    case ControlKind::ChartArea: {
        // A chart keeps its place in the tab order but Tab passes over it; it
        // takes the focus only when clicked.
        QWidget& area = chartArea(row.Name);
        area.setFocusPolicy(Qt::ClickFocus);
        return &area;
    }
    case ControlKind::Button: return new QPushButton(ToQString(row.Text), &parent);
    case ControlKind::Edit: return new QLineEdit(ToQString(row.Text), &parent);
    case ControlKind::DropDownList: {
        auto* list = new QComboBox(&parent);
        list->setEditable(false);
        if (row.ItemHeight > 0) {
            list->setItemDelegate(new FixedItemHeightDelegate(row.ItemHeight, list));
        }
        return list;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(ToQString(row.Text), &parent);
        // "<a>:" must show as written, not as markup.
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    }
    throw std::logic_error("unknown control kind in the window layout");
}

}  // namespace

QFont FontFromLayout(const FontLayout& layout) {
    QString family = ToQString(layout.Name);
    // The designed face is rarely installed, and fontconfig's general sans is
    // wider: "<a>:" would no longer fit its label. Arial has the designed face's
    // widths and fontconfig maps it to its metric twin.
    if (family == QStringLiteral("MS Sans Serif") && !QFontDatabase::hasFamily(family)) {
        family = QStringLiteral("Arial");
    }
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(layout.PixelSize);
    font.setBold(layout.Bold);
    return font;
}

void BuildForm(QWidget& window, QWidget& clientArea, const WindowLayout& windowLayout,
               std::span<const ControlLayout> rows, const std::function<QWidget&(std::string_view name)>& chartArea) {
    window.setWindowTitle(ToQString(windowLayout.Caption));
    window.setFont(FontFromLayout(windowLayout.Font));
    window.move(windowLayout.Left, windowLayout.Top);
    // The stored size is where the window opens; ClientLayout lets it grow.
    clientArea.resize(windowLayout.ClientWidth, windowLayout.ClientHeight);
    AddControls(clientArea, rows, chartArea);
}

void AddControls(QWidget& clientArea, std::span<const ControlLayout> rows,
                 const std::function<QWidget&(std::string_view name)>& chartArea) {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlLayout& row : rows) {
        QWidget* control = CreateControl(row, clientArea, chartArea);
        control->setObjectName(ToQString(row.Name));
        control->setGeometry(row.Left, row.Top, row.Width, row.Height);
        control->setEnabled(row.Enabled);
        if (row.Font != nullptr) {
            control->setFont(FontFromLayout(*row.Font));
        }
        if (row.TabOrder >= 0) {
            tabOrder.emplace_back(row.TabOrder, control);
        }
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget*>::first);
    for (size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

}  // namespace ui
